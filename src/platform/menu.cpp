#include "menu.h"

// Moving hands the menu over; only the backends know how to make one.
CMenu::CMenu(CMenu&& other) noexcept : handle(other.handle), owned(other.owned) {
  other.handle = nullptr;
  other.owned = false;
}

CMenu& CMenu::operator=(CMenu&& other) noexcept {
  if (this != &other) {
    DestroyMenu();
    handle = other.handle;
    owned = other.owned;
    other.handle = nullptr;
    other.owned = false;
  }
  return *this;
}
