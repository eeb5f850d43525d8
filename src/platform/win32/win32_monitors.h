#pragma once
#include <cstdint>

namespace win32 {

// The scale of the whole desktop, the one stock fonts are made for.
int32_t SystemDpi();

}  // namespace win32
