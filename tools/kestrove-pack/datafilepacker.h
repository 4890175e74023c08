#pragma once
// Packs the pictures of the picture table into a framework data file with the framework's own storage
// writer: bitmaps as the framework's named bitmaps, icons as its named icons.

#include <filesystem>
#include <vector>

#include "tools/kestrove-pack/picturetable.h"

// The extension of a picture's source file in the pictures folder.
inline constexpr const char* kPictureExtension = ".pix";

// Reads each entry's picture from `folder`/<name>.pix and writes them all into a new data file at `output`,
// which replaces an older one only once it is complete. Throws std::runtime_error naming the picture when a
// source is missing or unreadable, when its size is not the table's, when a source in the folder has no
// table line, and when the data file cannot be written.
void PackDataFile(const std::vector<PictureEntry>& table, const std::filesystem::path& folder,
                  const std::filesystem::path& output);
