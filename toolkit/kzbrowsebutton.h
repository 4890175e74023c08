// The buttons beside a text field of a dialog that fill the field with a folder or a file the user picks
// in the system's folder browser or open dialog. Cancelling the browser leaves the field as it was.
#ifndef TOOLKIT_KZBROWSEBUTTON_H
#define TOOLKIT_KZBROWSEBUTTON_H

#include <cstdint>

#include "foundation/kstring.h"
#include "toolkit/kzbutton.h"

class KFile;
class ZafWindow;

class KZBrowseButton : public KZButton {
 public:
  // One row high, `width` cells wide, labelled with the dialogs' browse label; fills `field`, and the
  // browser is owned by `dialog`'s native window. Neither is owned.
  KZBrowseButton(int32_t left, int32_t top, int32_t width, ZafWindowObject* field, ZafWindow* dialog);

  // The browse label "\Strings\Dialog\Browse".
  static KString Label();

 protected:
  // Shows the browser starting from `file`; false when the user cancelled, else the choice is in `file`.
  virtual bool Browse(KFile& file, void* owner) = 0;

 private:
  // The button's user function: only its selection opens the browser.
  static ZafLong Chosen(ZafWindowObject* object, ZafEventRecord& event, ZafLong code);

  ZafWindowObject* field;
  ZafWindow* dialog;
};

class KZBrowseDirectoryButton : public KZBrowseButton {
 public:
  using KZBrowseButton::KZBrowseButton;

 protected:
  bool Browse(KFile& file, void* owner) override;
};

class KZBrowseFileButton : public KZBrowseButton {
 public:
  // `filter` is the open dialog's file-type filter text, kept whole.
  KZBrowseFileButton(int32_t left, int32_t top, int32_t width, ZafWindowObject* field, ZafWindow* dialog,
                     const KString& filter);

 protected:
  bool Browse(KFile& file, void* owner) override;

 private:
  KString filter;
};

#endif
