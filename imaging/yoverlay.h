#pragma once
// A picture the image pane draws over an image (a logo, a finish-line graphic): its file's path and a bitmap
// read from the file only while the pane draws it. The overlays are collected once at start-up from the
// program's folder, numbered by the last character of their extension.

#include <cstdint>

#include "foundation/kbitmap.h"
#include "foundation/ksparsearray.h"
#include "foundation/kstring.h"

class YOverlay : public KSparseArrayItem {
 public:
  // The bitmap format of collected overlays: 24 bits, rows aligned to 4 bytes.
  static constexpr uint32_t kCollectedFormat = 136;
  // Paths longer than this are cut.
  static constexpr int32_t kMaxPath = 255;

  YOverlay(const KString& file, uint32_t format);

  const KString& Path() const { return path; }
  // The picture's pixels, read from the file first when they are not held; null when the file cannot be
  // read as an uncompressed true-colour Targa (a warning naming the step and the path is logged, and the
  // next Lock tries again). Pair every address with Unlock.
  uint8_t* Lock();
  void Unlock() { bitmap.Unlock(); }
  const KBitmap& Bitmap() const { return bitmap; }

  const char* ClassName() const override { return "YOverlay"; }

  // Takes every file of `folder` matching "*.tg?" whose name ends in a digit or "A" (in name order) into
  // `overlays`: a digit d not yet taken numbers the overlay d, any other the greater of 10 and one more
  // than the highest number. With `noOverlay` ("-nooverlay") nothing is taken.
  static void Collect(KSparseArray& overlays, const KString& folder, bool noOverlay);

  // Class set-up and clean-up: the reader all overlays share.
  static void InitClass();
  static void ExitClass();

 private:
  KBitmap bitmap;
  KString path;
};
