#pragma once
// Opening a strip for reading by its wide-character path.
#include <cstdio>
#include <string>

#include "skin/load_png_error.h"

// Null when the path is not an existing regular file, cannot be expressed on
// this system, or cannot be opened; otherwise a file open for reading bytes.
// When given, error says which (NotFound or Unreadable) on failure.
std::FILE* OpenStripFile(const std::wstring& path, PngLoadError* error = nullptr);
