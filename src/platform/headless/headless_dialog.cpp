#include "headless_world.h"
#include "platform/dialog.h"
#include "platform/win_constants.h"
#include "res/resources.h"

intptr_t CDialog::DoModal(CWnd*) {
  auto& world = headless::detail::TheWorld();
  const DialogTemplate* layout = FindDialogTemplate(templateId);
  if (layout == nullptr) return -1;
  ++world.dialogsShown;
  world.lastDialogCaption = layout->caption;
  return kIdOk;
}
