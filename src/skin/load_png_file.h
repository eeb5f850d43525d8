#pragma once
// Opening a strip for reading by its wide-character path.
#include <cstdio>
#include <string>

// Null when the path is not an existing regular file, cannot be expressed on
// this system, or cannot be opened; otherwise a file open for reading bytes.
std::FILE* OpenStripFile(const std::wstring& path);
