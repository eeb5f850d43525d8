#include "main_frame.h"
#include "platform/system.h"
#include "res/resource_ids.h"
#include "res/resources.h"

namespace {

uint32_t ReasonString(platform::FileError reason) {
  using platform::FileError;
  switch (reason) {
    case FileError::Missing: return IDS_SAVE_FOLDER_MISSING;
    case FileError::Exists: return IDS_SAVE_NO_TEMPORARY;
    case FileError::Locked: return IDS_SAVE_LOCKED;
    case FileError::Denied: return IDS_SAVE_DENIED;
    case FileError::NotAFile: return IDS_SAVE_NOT_A_FILE;
    case FileError::TooLarge: return IDS_SAVE_TOO_LARGE;
    default: return IDS_SAVE_FAILED;
  }
}

}  // namespace

void CMainFrame::ReportSaveFailure() {
  if (saveFailureReported) return;
  saveFailureReported = true;
  const SaveFailure& failure = settings.LastSaveFailure();
  platform::MessageBoxFromResource(IDS_SETTINGS_NOT_SAVED,
                                   {failure.path, FormatString(ReasonString(failure.reason), {})});
}
