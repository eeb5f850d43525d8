#include "main_frame.h"
#include "platform/system.h"
#include "sprite/sprite_window.h"

std::optional<uint32_t> FrameSleep(int32_t fps, uint32_t elapsedMs) {
  const double interval = 1000.0 / UsableFps(fps);
  const double elapsed = elapsedMs;
  if (interval <= elapsed) return std::nullopt;
  return static_cast<uint32_t>(interval - elapsed);
}

bool CMainFrame::HasSpriteWork() const {
  for (const CSpriteWindow* sprite : sprites) {
    if (sprite != nullptr && sprite->HasWork()) return true;
  }
  return false;
}

void CMainFrame::TickFrame() {
  // The wait comes before the work: a tick after an idle spell draws at once,
  // and ticks in a row still come no faster than the frame rate.
  const uint32_t now = platform::TimeGetTime();
  const auto sleep = FrameSleep(settings.fps, now - lastTickTime);
  if (sleep) {
    platform::Sleep(*sleep);
    lastTickTime = platform::TimeGetTime();
  } else {
    lastTickTime = now;
  }
  // A frame came before this tick was due, or during a wait for it: more
  // are likely to, and each would wake the thread only for it to sleep again.
  pacing = sleep.has_value() || afterPacingWait;
  for (CSpriteWindow* sprite : sprites) {
    if (sprite != nullptr) sprite->FollowWorker();
  }
}

void CMainFrame::WaitForSpriteWork() {
  afterPacingWait = pacing;
  if (!pacing) {
    platform::WaitForWork();
    return;
  }
  pacing = false;
  // A millisecond past the truncated rest, so that the tick after it need not sleep.
  const auto rest = FrameSleep(settings.fps, platform::TimeGetTime() - lastTickTime);
  platform::WaitForMessageOrTime(rest ? *rest + 1 : 0);
}
