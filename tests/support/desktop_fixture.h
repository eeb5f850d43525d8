#pragma once
// A program folder in a temporary directory with skins drawn by the test, and
// the application started in it on the headless window system.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "exe/kitemaru_app.h"
#include "support/test_folder.h"
#include "ui/main_frame.h"

class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A skin folder with a Default strip of frameCount frames of size x size
  // pixels; every pixel of frame k is (blue k*10, green 100, red 200, alpha 128).
  void MakeSkin(const std::wstring& name, int frameCount = 2, int size = 32, const std::string& extraIni = "");
  void WriteConfig(const std::string& text) { WriteBytes(folder / "config.ini", text); }
  std::string ReadConfig() const { return ReadBytes(folder / "config.ini"); }
  // The value of section/key in the saved config.ini, or "<missing>".
  std::string ConfigValue(const std::string& section, const std::string& key) const;
  void Start();
  // Starts with a skin "kite" shown in slot 0, its section ending in `settings`.
  void StartWithKite(const std::string& settings = "") {
    MakeSkin(L"kite");
    WriteConfig("[Window0]\nSkinName=kite\n" + settings);
    Start();
  }
  // Closes the control window as the close box would, runs the loop dry and
  // takes the quit it leaves, so that the test may start again.
  void Close();
  // Ticks the frame every 5 ms, at most 200 times, until done holds; returns done().
  bool TickUntil(const std::function<bool()>& done);
  int LayeredUpdates(int slot) const;
  // Whether the menu's item is checked; a missing item fails the test.
  static bool Checked(const CMenu& menu, uint32_t id);

 private:
  TestFolder temp;
  CurrentDirectoryScope restoreDirectory{std::filesystem::current_path()};

 protected:
  const std::filesystem::path& folder = temp.Path();
  std::unique_ptr<CkitemaruApp> app;
  CMainFrame* frame = nullptr;
};
