#pragma once
// One running program per settings file: a later start that would use the
// same config.ini shows the running program's control window and ends.
#include <string>

#include "platform/instance_lock.h"

// The lock's name for a settings file: the same however its path is spelled
// (relative parts, linked folders, and on Windows letter case).
std::wstring InstanceName(const std::wstring& settingsPath);

enum class StartRole { Run, HandedOver };

// Claims the lock for this start, or asks the program holding it to show its
// control window. A holder that neither answers nor lets go within about two
// seconds is still starting or ending: this start then leaves too.
StartRole ClaimOrHandOver(platform::InstanceLock& lock);
