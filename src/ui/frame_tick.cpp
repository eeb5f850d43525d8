#include "main_frame.h"
#include "platform/system.h"
#include "platform/win_constants.h"
#include "sprite/sprite_window.h"

std::optional<uint32_t> FrameSleep(int32_t fps, uint32_t elapsedMs) {
  const double interval = 1000.0 / UsableFps(fps);
  const double elapsed = elapsedMs;
  if (interval <= elapsed) return std::nullopt;
  return static_cast<uint32_t>(interval - elapsed);
}

void CMainFrame::TickFrame() {
  for (CSpriteWindow* sprite : sprites) {
    if (sprite == nullptr) continue;
    if (sprite->frameChanged.load(std::memory_order_relaxed) != 0) {
      sprite->Render();
      sprite->frameChanged.store(0, std::memory_order_relaxed);
    }
    if (sprite->moving.load(std::memory_order_relaxed) != 0) {
      sprite->SetWindowPos(ZOrder::Keep, sprite->targetX.load(std::memory_order_relaxed),
                           sprite->targetY.load(std::memory_order_relaxed), 0, 0,
                           swp::kNoSize | swp::kNoZOrder | swp::kNoActivate);
    }
  }
  const uint32_t now = platform::TimeGetTime();
  if (const auto sleep = FrameSleep(settings.fps, now - lastTickTime)) {
    platform::Sleep(*sleep);
    lastTickTime = platform::TimeGetTime();
  } else {
    lastTickTime = now;
  }
}
