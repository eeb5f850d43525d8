#pragma once
#include <cstdint>

class CWnd;

// A modal dialog built from a dialog template (res/).
class CDialog {
 public:
  explicit CDialog(uint32_t templateId) : templateId(templateId) {}
  virtual ~CDialog() = default;
  // Runs the dialog; returns the id of the button that closed it.
  intptr_t DoModal(CWnd* parent);

 private:
  uint32_t templateId;
};
