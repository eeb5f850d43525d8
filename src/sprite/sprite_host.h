#pragma once
// What a sprite asks of the window that keeps it: to end it, to put another
// skin in its place, to read the skin folder again, and where the windows
// stand that a new sprite keeps clear of.
#include <string>
#include <vector>

#include "platform/geometry.h"

class CSpriteWindow;

class SpriteHost {
 public:
  // Ends the sprite in slot: nothing of it may be touched after the call.
  virtual void CloseSprite(int slot) = 0;
  // Ends the sprite in slot and puts one of skinName there.
  virtual void ReplaceSprite(int slot, const std::wstring& skinName) = 0;
  // Updates the catalogue the sprites were given.
  virtual void RescanSkins() = 0;
  // The windows but `sprite` that stand on the desktop: the host's own and
  // the other sprites.
  virtual std::vector<Rect> TakenPlaces(const CSpriteWindow* sprite) const = 0;

 protected:
  ~SpriteHost() = default;
};
