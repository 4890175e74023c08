// The borderless picture window shown while the program starts: the splash picture read from the file
// beside the program, with the version, the release date and the notice line written over it. A picture
// that is missing or cannot be read leaves the window without one, and the program starts without it.
#ifndef TOOLKIT_KZSPLASH_H
#define TOOLKIT_KZSPLASH_H

#include "foundation/kbitmap.h"
#include "foundation/krect.h"
#include "foundation/kstring.h"
#include "toolkit/kzwindow.h"

class KZSplash : public KZWindow {
 public:
  // The picture beside the program: its path with the extension "tgs".
  KZSplash();
  // The picture from an uncompressed true-colour Targa file.
  explicit KZSplash(const KString& picturePath);
  ~KZSplash() override;

  // False when the picture could not be read: the window then shows nothing and need not be shown.
  bool HasPicture() const { return picture.Data() != nullptr; }
  // Where the version line starts (left, top), ends (right) and the notice line ends (bottom), in
  // window pixels.
  const KRect& TextRect() const { return textRect; }

  // The picture, then the texts over it in the program's splash font; nothing without a picture.
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;

 private:
  // The program's path with the extension "tgs"; empty without an application object.
  static KString DefaultPicturePath();
  // Reads the picture; a file that is missing or not a picture the reader takes leaves none.
  void ReadPicture(const KString& path);
  void DrawTexts();

  KBitmap picture{0, 0, KBitmap::kRgb15};
  KRect textRect;
};

#endif
