#pragma once
// A menu of installed skins: entry i is command IDM_SKIN_FIRST + i. The names
// it shows are kept beside it, so that a command means the skin the user
// saw, whatever the catalogue holds when the command arrives.
#include <cstdint>
#include <string>

#include "platform/menu.h"
#include "skin/skin_info.h"

// Makes menu list the first kMaxMenuSkins entries of catalogue, changing
// only the items from the first that differs; listed is what it lists.
// False when the system refused an item: the menu lists those before it.
bool ListSkins(CMenu& menu, SkinNames& listed, const SkinCatalogue& catalogue);
// The skin of command id in a menu listing listed; empty for none.
std::wstring ListedSkin(const SkinNames& listed, uint32_t id);
