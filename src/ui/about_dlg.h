#pragma once
#include "platform/dialog.h"
#include "res/resource_ids.h"

// The about box; everything it shows comes from its dialog template.
class CAboutDlg : public CDialog {
 public:
  CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};
