#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "platform/win_constants.h"
#include "res/resource_ids.h"
#include "sprite/sprite_window.h"
#include "support/desktop_fixture.h"

namespace {

// Slot 0 shows a sprite from the start; slot 1 holds settings of its own.
const char kConfig[] =
    "[Window0]\nSkinName=kite\nPosition=10, 20\n"
    "[Window1]\nPosition=300, 400\nTopMost=1\nMoveRangeLeft=100\nMoveMethod=0\n";

enum class Outcome { Empty, StandsWithoutWorker, DrawnLater };

struct Case {
  const char* what;
  headless::Resource resource;
  int n;
  bool onSprite;  // the command goes to slot 1's sprite, loaded first, rather than to the control window
  uint32_t command;
  Outcome outcome;
};

}  // namespace

class OutOfResourcesTest : public DesktopTest {
 protected:
  bool DrawnAgain(int slot, int than) {
    return TickUntil([&] { return LayeredUpdates(slot) > than; });
  }

  // Runs the case's action into slot 1, with the fault armed when fail is
  // set, checks what shows, exits, and returns the saved config.ini.
  std::string Run(const Case& c, bool fail) {
    WriteConfig(kConfig);
    Start();
    if (c.onSprite) frame->SendMessage(wm::kCommand, IDM_SKIN_FIRST);
    if (fail) headless::FailNth(c.resource, c.n);
    (c.onSprite ? static_cast<CWnd*>(frame->sprites[1]) : frame)->SendMessage(wm::kCommand, c.command);
    headless::PumpPending();
    EXPECT_TRUE(headless::IsWindow(frame->GetSafeHwnd()));
    EXPECT_TRUE(DrawnAgain(0, LayeredUpdates(0))) << "the other sprite stopped";
    CSpriteWindow* sprite = frame->sprites[1];
    if (fail && c.outcome == Outcome::Empty) {
      EXPECT_EQ(sprite, nullptr);
      EXPECT_EQ(headless::Windows().size(), 3u);  // the control window, sprite 0 and its editor
    } else if (sprite == nullptr) {
      ADD_FAILURE() << "slot 1 is empty";
    } else if (fail && c.outcome == Outcome::StandsWithoutWorker) {
      EXPECT_FALSE(sprite->worker.joinable());
      EXPECT_EQ(sprite->moving.load(), 0);
      EXPECT_GT(LayeredUpdates(1), 0);
    } else {
      EXPECT_TRUE(DrawnAgain(1, 0));
    }
    headless::FailNth(c.resource, 0);
    Close();
    return ReadConfig();
  }
};

TEST_F(OutOfResourcesTest, RefusedResourcesEmptyTheSlotOrLeaveTheSpriteStandingAndKeepTheSettings) {
  using R = headless::Resource;
  const Case cases[] = {
      {"worker at creation", R::ThreadStart, 1, false, IDM_SKIN_FIRST, Outcome::Empty},
      {"sprite window", R::Window, 1, false, IDM_SKIN_FIRST, Outcome::Empty},
      {"range editor window", R::Window, 2, false, IDM_SKIN_FIRST, Outcome::Empty},
      {"strip bitmap", R::Bitmap, 1, false, IDM_SKIN_FIRST, Outcome::Empty},
      {"skin-switch menu", R::Menu, 1, false, IDM_SKIN_FIRST, Outcome::Empty},
      {"popup menu", R::Menu, 2, false, IDM_SKIN_FIRST, Outcome::Empty},
      {"new skin's bitmap", R::Bitmap, 1, true, IDM_SKIN_FIRST, Outcome::Empty},
      {"worker after stop", R::ThreadStart, 1, true, IDM_MOVE_STOP, Outcome::StandsWithoutWorker},
      {"worker after a skin switch", R::ThreadStart, 1, true, IDM_SKIN_FIRST, Outcome::StandsWithoutWorker},
      {"first layered update", R::LayeredUpdate, 1, false, IDM_SKIN_FIRST, Outcome::DrawnLater},
  };
  MakeSkin(L"kite");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::string normal = Run(c, false);
    const std::string refused = Run(c, true);
    if (c.outcome == Outcome::Empty) {
      const auto at = normal.find("SkinName=kite", normal.find("[Window1]"));
      ASSERT_NE(at, std::string::npos);
      normal.replace(at, 13, "SkinName=");
    }
    EXPECT_EQ(refused, normal);
  }
}
