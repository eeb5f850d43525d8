#include "desktop_fixture.h"

#include <chrono>
#include <thread>

#include "app/exe_path.h"
#include "app/ini_document.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_skin_folders.h"
#include "platform/win_constants.h"
#include "sprite/sprite_window.h"
#include "support/png_maker.h"

void DesktopTest::SetUp() {
  headless::Reset();
  std::filesystem::create_directories(folder / "skin");
  headless::SetExecutablePath(FromFsPath(folder / "kitemaru.exe"));
}

void DesktopTest::TearDown() {
  if (frame != nullptr && app->mainWindow == frame) Close();
  app.reset();
  headless::Reset();
  headless::SetUserAndSystemSkinFolders({});
}

void DesktopTest::MakeSkin(const std::wstring& name, int frameCount, int size, const std::string& extraIni) {
  const auto skinFolder = folder / "skin" / ToFsPath(name);
  const int height = size * std::max(frameCount, 1);
  const auto image = pngmaker::Rgba(size, height, [size](uint32_t, uint32_t y) {
    return std::array<uint8_t, 4>{200, 100, static_cast<uint8_t>(y / size * 10), 128};
  });
  WriteBytes(skinFolder / "skin.ini", "[Default]\nFile=strip.png\nAnimationFrame=" + std::to_string(frameCount) +
                                          "\nAnimationWait=100\n" + extraIni);
  pngmaker::WriteFile(skinFolder / "strip.png", pngmaker::Encode(image));
}

std::string DesktopTest::ConfigValue(const std::string& section, const std::string& key) const {
  const std::string text = ReadConfig();
  const auto wide = [](const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); };
  const std::optional<std::wstring> value = IniDocument(wide(text)).Find(wide(section), wide(key));
  return value ? std::string(value->begin(), value->end()) : "<missing>";
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
  Message quit;
  ASSERT_TRUE(platform::PeekMessage(quit, true));
  EXPECT_EQ(quit.message, wm::kQuit);
}

bool DesktopTest::TickUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 200 && !done(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    frame->TickFrame();
  }
  return done();
}

int DesktopTest::LayeredUpdates(int slot) const {
  return headless::State(frame->sprites[slot]->GetSafeHwnd()).layeredUpdates;
}

bool DesktopTest::Checked(const CMenu& menu, uint32_t id) {
  MenuItemInfo item;
  EXPECT_TRUE(menu.FindItem(id, item)) << "no menu item " << id;
  return item.checked;
}
