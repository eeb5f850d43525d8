#pragma once
// Opening a strip for reading by its wide-character path.
#include <cstdio>
#include <string>

// Null when the path does not exist, cannot be expressed on this system, or
// cannot be opened; otherwise a file open for reading raw bytes.
std::FILE* OpenStripFile(const std::wstring& path);
