#include "skin/skin_menu.h"

#include <algorithm>

#include "res/resource_ids.h"

static_assert(IDM_SKIN_FIRST + kMaxMenuSkins - 1 == IDM_SKIN_LAST, "every listed skin has a skin command");

bool ListSkins(CMenu& menu, SkinNames& listed, const SkinCatalogue& catalogue) {
  const size_t count = std::min(catalogue.size(), kMaxMenuSkins);
  size_t same = 0;
  while (same < listed.size() && same < count && listed[same] == catalogue[same].name) ++same;
  for (size_t i = listed.size(); i > same; --i) menu.DeleteMenu(static_cast<int>(i - 1));
  listed.resize(same);
  for (size_t i = same; i < count; ++i) {
    if (!menu.AppendMenu(IDM_SKIN_FIRST + static_cast<uint32_t>(i), catalogue[i].name)) return false;
    listed.push_back(catalogue[i].name);
  }
  return true;
}

std::wstring ListedSkin(const SkinNames& listed, uint32_t id) {
  const size_t index = id - IDM_SKIN_FIRST;
  return id >= IDM_SKIN_FIRST && index < listed.size() ? listed[index] : std::wstring();
}
