#pragma once
// The named bitmaps that all windows of one class share: read from the framework data file at the class's
// set-up and let go at its clean-up. Windows hand them to their buttons, which never delete them.

#include <cstddef>
#include <initializer_list>
#include <vector>

#include "framework/data/zafbitmapdata.h"

class KZBitmap;

class YZBitmapSet {
 public:
  explicit YZBitmapSet(std::initializer_list<const ZafIChar*> names) : names(names), bitmaps(names.size()) {}
  YZBitmapSet(const YZBitmapSet&) = delete;
  YZBitmapSet& operator=(const YZBitmapSet&) = delete;

  // Reads every bitmap by its name (again, after a clean-up).
  void Load();
  // Lets go of the bitmaps. One a window still shows lives on until its last button lets go of it.
  void Release();
  // The bitmap at that place in the list of names; null before Load or after Release.
  KZBitmap* operator[](std::size_t index) const { return bitmaps.at(index); }
  std::size_t Size() const { return bitmaps.size(); }

 private:
  std::vector<const ZafIChar*> names;
  std::vector<KZBitmap*> bitmaps;
};
