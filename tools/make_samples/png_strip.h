#pragma once

#include <filesystem>
#include <vector>

#include "canvas.h"

// Writes the frames, all of one size, as one 8-bit RGBA PNG with frame 0 at the
// top. Returns false when the file cannot be written.
bool WriteStrip(const std::filesystem::path& path, const std::vector<Canvas>& frames);
