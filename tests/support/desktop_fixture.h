#pragma once
// A program folder in a temporary directory with skins drawn by the test, and
// the application started in it on the headless window system.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/kitemaru_app.h"
#include "ui/main_frame.h"

class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A skin folder with a Default strip of frameCount frames of size x size
  // pixels; every pixel of frame k is (blue k*10, green 100, red 200, alpha 128).
  void MakeSkin(const std::wstring& name, int frameCount = 2, int size = 32, const std::string& extraIni = "");
  void WriteConfig(const std::string& text);
  std::string ReadConfig() const;
  // The value of section/key in the saved config.ini, or "<missing>".
  std::string ConfigValue(const std::string& section, const std::string& key) const;
  void Start();
  // Closes the control window as the close box would and runs the loop dry.
  void Close();

  std::filesystem::path folder;
  std::unique_ptr<CkitemaruApp> app;
  CMainFrame* frame = nullptr;

 private:
  std::filesystem::path previousDir;
};
