#include <new>

#include "main_frame.h"
#include "platform/win_constants.h"
#include "skin/skin_catalogue.h"
#include "sprite/sprite_window.h"

namespace {
const Rect kSpriteCreationRect{0, 0, 1280, 1024};
}

bool CMainFrame::CreateSprite(int slot, const std::wstring& skinName, bool replacing) {
  SkinInfo info;
  if (FindSkin(catalogue, skinName, info) == 0) return false;
  if (CheckSkinFiles(info) == 0) return false;
  if (slot == AnySlot) {
    slot = FreeSlot();
    if (slot == AnySlot) return false;
  } else if (slot < 0 || slot >= kSlotCount || sprites[slot] != nullptr) {
    return false;
  }
  const std::wstring className = RegisterWindowClass({L"", cs::kDblClks, ClassBrush::WindowColor, 0});
  auto* sprite = new (std::nothrow) CSpriteWindow(*this, settings.windows[slot], catalogue, slot);
  if (sprite == nullptr) return false;
  sprite->standWithoutWorker = replacing;
  sprites[slot] = sprite;
  if (!sprite->CreateEx(ws::kExLayered | ws::kExToolWindow, className, L"", ws::kPopup | ws::kVisible,
                        kSpriteCreationRect, skinName.c_str())) {
    // A file vanished between the check and the load, or the system could
    // not give the sprite a window, bitmaps, menus or a worker: the object
    // stored nothing and holds nothing; drop it and free the slot.
    sprites[slot] = nullptr;
    delete sprite;
    return false;
  }
  skinNameKept[slot] = false;
  return true;
}

int CMainFrame::FreeSlot() const {
  for (const bool kept : {false, true}) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
      if (sprites[slot] == nullptr && skinNameKept[slot] == kept) return slot;
    }
  }
  return AnySlot;
}

void CMainFrame::CloseSprite(int slot) {
  if (slot < 0 || slot >= kSlotCount || sprites[slot] == nullptr) return;
  CSpriteWindow* sprite = sprites[slot];
  sprites[slot] = nullptr;
  sprite->DestroyWindow();
  delete sprite;
}

void CMainFrame::ReplaceSprite(int slot, const std::wstring& skinName) {
  CloseSprite(slot);
  CreateSprite(slot, skinName, true);
}

std::vector<Rect> CMainFrame::TakenPlaces(const CSpriteWindow* sprite) const {
  std::vector<Rect> taken{GetWindowRect()};
  for (const CSpriteWindow* other : sprites) {
    if (other != nullptr && other != sprite && other->GetSafeHwnd() != nullptr) taken.push_back(other->GetWindowRect());
  }
  return taken;
}

void CMainFrame::DestroySprites() {
  for (int slot = 0; slot < kSlotCount; ++slot) CloseSprite(slot);
}
