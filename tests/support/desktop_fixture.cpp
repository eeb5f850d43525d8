#include "desktop_fixture.h"

#include <fstream>
#include <random>
#include <sstream>

#include "app/exe_path.h"
#include "platform/headless/headless.h"
#include "platform/win_constants.h"
#include "skin_png/png_maker.h"

void DesktopTest::SetUp() {
  headless::Reset();
  previousDir = std::filesystem::current_path();
  std::random_device random;
  folder = std::filesystem::temp_directory_path() / ("kitemaru-desktop-" + std::to_string(random()));
  std::filesystem::create_directories(folder / "skin");
  headless::SetExecutablePath(FromFsPath(folder / "kitemaru.exe"));
}

void DesktopTest::TearDown() {
  if (frame != nullptr && app->mainWindow == frame) Close();
  app.reset();
  headless::Reset();
  std::filesystem::current_path(previousDir);
  std::error_code error;
  std::filesystem::remove_all(folder, error);
}

void DesktopTest::MakeSkin(const std::wstring& name, int frameCount, int size, const std::string& extraIni) {
  const auto skinFolder = folder / "skin" / ToFsPath(name);
  std::filesystem::create_directories(skinFolder);
  const int height = size * std::max(frameCount, 1);
  const auto image = pngmaker::Rgba(size, height, [size](uint32_t, uint32_t y) {
    return std::array<uint8_t, 4>{200, 100, static_cast<uint8_t>(y / size * 10), 128};
  });
  pngmaker::WriteFile(skinFolder / "strip.png", pngmaker::Encode(image));
  std::ofstream ini(skinFolder / "skin.ini");
  ini << "[Default]\nFile=strip.png\nAnimationFrame=" << frameCount << "\nAnimationWait=100\n" << extraIni;
}

void DesktopTest::WriteConfig(const std::string& text) { std::ofstream(folder / "config.ini") << text; }

std::string DesktopTest::ReadConfig() const {
  std::ifstream in(folder / "config.ini");
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string DesktopTest::ConfigValue(const std::string& section, const std::string& key) const {
  std::istringstream lines(ReadConfig());
  std::string line;
  bool inSection = false;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      inSection = line == "[" + section + "]";
    } else if (inSection && line.rfind(key + "=", 0) == 0) {
      return line.substr(key.size() + 1);
    }
  }
  return "<missing>";
}

void DesktopTest::Start() {
  app = std::make_unique<CkitemaruApp>();
  ASSERT_TRUE(app->InitInstance());
  frame = static_cast<CMainFrame*>(app->mainWindow);
  ASSERT_NE(frame, nullptr);
}

void DesktopTest::Close() {
  frame->PostMessage(wm::kClose);
  headless::PumpPending();
  frame = nullptr;
}
