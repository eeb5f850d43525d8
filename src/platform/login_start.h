#pragma once
// The user's entry that starts a program when they log in: one for this
// program, wherever its copy lies.
#include <string>
#include <string_view>

namespace platform {

// The program the entry starts; empty when there is none, it cannot be
// read, or the user switched it off.
std::wstring LoginStartProgram();
// Makes the entry start program with argument, in place of any entry before.
// False when it could not be written; the entry before then stays whole.
bool SetLoginStart(const std::wstring& program, std::wstring_view argument);
// False when an entry is still there.
bool RemoveLoginStart();

}  // namespace platform
