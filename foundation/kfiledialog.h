#pragma once
// The open, save and folder dialogs as the rest of the program asks for them. The foundation only states
// the request; the GUI installs a hook that shows its own dialog, and tests install one that answers from
// a script.

#include <cstdint>
#include <functional>

#include "foundation/kstring.h"

class KFile;

// What a dialog asks the user, and where the answer goes.
struct KFileDialogRequest {
  enum class Kind { kOpen, kSave, kFolder };

  Kind kind = Kind::kOpen;
  // The start: the dialog opens in this file's folder with its name; the hook leaves the chosen path here
  // (for the folder browser, the chosen folder).
  KFile* file = nullptr;
  // Comma-separated extensions without dots ("jpg,tga"), one filter each, when extensionList is true;
  // otherwise the toolkit's filter text, handed on as it is.
  KString filter;
  bool extensionList = true;
  KString title;          // empty for the dialog's own title
  void* owner = nullptr;  // the native window that owns the dialog, or null
  int32_t flags = 0;      // the folder browser's flags
  // Saving: whether every chosen name takes the first extension of the list, in place of its own.
  bool fixedExtension = false;
  // Which extension of a chosen name is its own: any, only a listed one (in any letter case), or one that
  // names a format the picture writer writes ("jp..." JPEG, "tga" Targa). Another name gets the chosen
  // filter's extension added to the whole name, so that "Heat 1.2" is saved as "Heat 1.2.qve", not as
  // "Heat 1.2" of no type, and "picture.png" does not name a Targa picture. Open dialogs use kListed for a
  // name that is not found as typed.
  enum class OwnExtension { kAny, kListed, kPicture };
  OwnExtension ownExtension = OwnExtension::kAny;
};

// Shows the request and answers -1 when the user cancels, else the position from 0 of the filter the user
// chose (0 when the dialog has no filters).
using KFileDialogHook = std::function<int32_t(KFileDialogRequest& request)>;

// Installs the hook (an empty one removes it). Without a hook every dialog answers -1, cancelled.
void KSetFileDialogHook(KFileDialogHook hook);

// The open dialog. With an extension list (title and owner null) it answers the chosen filter's position
// when it is one of the listed extensions and the number of listed extensions otherwise; with the
// toolkit's filter text it answers 0. -1 when cancelled; the chosen path is left in the file.
int32_t KOpenFileDialog(KFile& file, const KString& filter, const KString* title = nullptr,
                        void* owner = nullptr);

// The save dialog over an extension list whose first entry is the default. A chosen name without an
// extension of its own (`ownExtension`) gets the chosen filter's (the default when the choice is none of
// the list); with `fixedExtension` every name gets the default in place of its own. Answers like the open
// dialog with an extension list; -1 when cancelled.
int32_t KSaveFileDialog(
    KFile& file, const KString& extensions, bool fixedExtension = false,
    KFileDialogRequest::OwnExtension ownExtension = KFileDialogRequest::OwnExtension::kAny);

// The file a save request writes when the user chose `chosen` with the filter at `answer` (the hook's
// answer): the name KSaveFileDialog leaves, which is the one a save dialog checks before replacing. For an
// open request, the file to look for when `chosen` is not found.
KString KSavedName(const KFileDialogRequest& request, const KString& chosen, int32_t answer);

// The folder browser; the chosen folder is left in the file. 0, or -1 when cancelled.
int32_t KBrowseForFolder(KFile& file, int32_t flags, void* owner);
