#include "headless_world.h"
#include "platform/dialog.h"
#include "platform/win_constants.h"

intptr_t CDialog::DoModal(CWnd*) {
  auto& world = headless::detail::TheWorld();
  ++world.dialogsShown;
  return kIdOk;
}
