#include "../dialog.h"
#include "../win_constants.h"
#include "headless_world.h"

intptr_t CDialog::DoModal(CWnd*) {
  auto& world = headless::detail::TheWorld();
  ++world.dialogsShown;
  return kIdOk;
}
