// Decoded strips on the real window system: what they cost in GDI objects
// and whether each frame is drawn from its own rows.
#include "platform/win32/win32_frame_bitmap.h"

#include <gtest/gtest.h>

#include <array>
#include <set>

#include "platform/win_constants.h"
#include "platform/wnd.h"
#include "skin/offscreen_surface.h"
#include "support/png_maker.h"
#include "support/test_folder.h"

namespace {

constexpr int kSprites = 10;

// Row y is coloured by its number: red its low byte, green its high byte.
std::wstring WriteNumberedRows(const TestFolder& dir, const char* name, uint32_t height) {
  const auto path = dir.Path() / name;
  const auto image = pngmaker::Rgba(1, height, [](uint32_t, uint32_t y) {
    return std::array<uint8_t, 4>{uint8_t(y), uint8_t(y >> 8), 0, 255};
  });
  EXPECT_TRUE(pngmaker::WriteFile(path, pngmaker::Encode(image)));
  return path.wstring();
}

COLORREF Numbered(uint32_t y) { return RGB((uint8_t(y) * 255) >> 8, ((y >> 8) * 255) >> 8, 0); }

// The distinct live GDI objects behind the surfaces: each one's memory DC and
// the bitmap selected into it, asked of GDI itself.
size_t GdiObjects(const std::array<OffscreenSurface, kSprites>& surfaces) {
  std::set<HGDIOBJ> objects;
  for (const auto& surface : surfaces) {
    HDC dc = surface.Strip().GetNative()->dc;
    HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
    objects.insert(dc);
    objects.insert(bitmap);
  }
  return objects.size();
}

TEST(Win32Surface, SixteenThousandFramesCostNoMoreObjectsAndEveryFrameDraws) {
  TestFolder dir;
  const std::wstring single = WriteNumberedRows(dir, "single.png", 1);
  const std::wstring many = WriteNumberedRows(dir, "many.png", 16384);
  std::array<OffscreenSurface, kSprites> singles, manys;
  for (int i = 0; i < kSprites; ++i) {
    ASSERT_EQ(singles[i].LoadPng(single, 1), 1);
    ASSERT_EQ(manys[i].LoadPng(many, 16384), 1);
  }
  EXPECT_EQ(GdiObjects(manys), GdiObjects(singles));

  const std::wstring windowClass = RegisterWindowClass({L"", 0, ClassBrush::None, 0});
  std::array<CWnd, kSprites> windows;
  for (int i = 0; i < kSprites; ++i) {
    ASSERT_TRUE(windows[i].CreateEx(ws::kExLayered | ws::kExToolWindow, windowClass, L"", ws::kPopup,
                                    {0, 0, 1, 1}, nullptr));
    const OffscreenSurface& surface = manys[i];
    const int32_t frame = 16383 - i * 1000;
    EXPECT_TRUE(windows[i].UpdateLayeredWindow({10 * i, 0}, {1, 1}, surface.Strip(), surface.FrameOrigin(frame)))
        << i;
    // The source point reaches the frame's own row in GDI's top-down coordinates.
    EXPECT_EQ(GetPixel(surface.Strip().GetNative()->dc, 0, surface.FrameOrigin(frame).y),
              Numbered(uint32_t(frame)));
  }
}

}  // namespace
