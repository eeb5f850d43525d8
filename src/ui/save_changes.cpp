#include "main_frame.h"
#include "sprite/sprite_window.h"

// Settings are written as the user makes changes, so that a crash, a killed
// process or a power cut loses at most the last seconds of them.
void CMainFrame::SaveChanges() {
  CaptureSkinNames();
  for (int slot = 0; slot < kSlotCount; ++slot) {
    CSpriteWindow* sprite = sprites[slot];
    if (sprite == nullptr || sprite->GetSafeHwnd() == nullptr) {
      lastSeenAt[slot].reset();
      continue;
    }
    const Rect rect = sprite->GetWindowRect();
    const Point at{rect.left, rect.top};
    if (!sprite->IsDrifting() && lastSeenAt[slot] == at) sprite->StorePosition();
    lastSeenAt[slot] = at;
  }
  if (settings.fps == lastSaved.fps && settings.language == lastSaved.language && settings.windows == lastSaved.windows) {
    return;
  }
  SaveSettings();
}

void CMainFrame::SaveSettings() {
  CaptureSkinNames();
  for (CSpriteWindow* sprite : sprites) {
    if (sprite != nullptr) sprite->StorePosition();
  }
  // Taken before the save: a failed one is not tried again each second,
  // only after the next change, and at exit.
  lastSaved = {settings.fps, settings.language, settings.windows};
  if (!settings.Save()) ReportSaveFailure();
}
