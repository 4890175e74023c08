#pragma once
// Turns the splash picture's source (a PNG) into the picture file the program reads at start: an
// uncompressed true-colour Targa, written with the foundation's Targa writer.

#include <filesystem>

// Writes `png` as a 24-bit Targa at `output`, which replaces an older one only once it is complete. Pixels
// that are not wholly opaque are laid over white. Throws std::runtime_error when the PNG cannot be read or
// the Targa cannot be written.
void PackSplash(const std::filesystem::path& png, const std::filesystem::path& output);
