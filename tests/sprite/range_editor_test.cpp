#include <gtest/gtest.h>

#include <tuple>

#include "platform/win_constants.h"
#include "sprite/size_window.h"

TEST(RangeEditorKeys, StepsByKeyAndModifiers) {
  struct Case {
    uint32_t key;
    bool ctrl;
    bool shift;
    RangeEditorKey expected;
  };
  const Case cases[] = {
      {vk::kLeft, false, false, {false, false, -1, 0, 0, 0}},
      {vk::kRight, true, false, {false, false, 8, 0, 0, 0}},
      {vk::kUp, false, true, {false, false, 0, 0, 0, -1}},
      {vk::kDown, true, true, {false, false, 0, 0, 0, 8}},
      {vk::kHome, false, false, {false, false, -16, 0, 0, 0}},
      {vk::kEnd, true, true, {false, false, 0, 0, 32, 0}},
      {vk::kPrior, true, false, {false, false, 0, -32, 0, 0}},
      {vk::kNext, false, true, {false, false, 0, 0, 0, 16}},
      {vk::kRight, false, true, {false, false, 0, 0, 1, 0}},
      {vk::kReturn, true, true, {true, false, 0, 0, 0, 0}},
      {vk::kEscape, false, true, {false, true, 0, 0, 0, 0}},
      {'A', true, true, {false, false, 0, 0, 0, 0}},
      {0x70 /* F1 */, false, false, {false, false, 0, 0, 0, 0}},
  };
  const auto fields = [](const RangeEditorKey& k) { return std::tuple{k.accept, k.cancel, k.dx, k.dy, k.dw, k.dh}; };
  for (const Case& c : cases) {
    EXPECT_EQ(fields(RangeEditorKeyFor(c.key, c.ctrl, c.shift)), fields(c.expected))
        << "key " << c.key << " ctrl " << c.ctrl << " shift " << c.shift;
  }
}

TEST(RangeEditorText, HelpLinesThenPositionAndSize) {
  EXPECT_EQ(RangeEditorText({-12, 40, 388, 340}),
            L"※ 左ダブルクリックで決定、右クリックでキャンセル\n\n※ 方向キーで移動、Shift＋方向キーでサイズ変更\n"
            L"　　Ctrlで変動量増加、Home/End/PgUp/PgDnでさらに増加\n\n(-12, 40) (400 x 300)");
}
