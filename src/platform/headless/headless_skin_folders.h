#pragma once
// The user's and the system's skin folders of the headless backend, for tests.
#include <string>
#include <vector>

namespace headless {

// What platform::UserAndSystemSkinFolders returns; none until a test sets it.
void SetUserAndSystemSkinFolders(std::vector<std::wstring> folders);

}  // namespace headless
