#include "foundation/kfiledialog.h"

#include <utility>

#include "foundation/kbitmap.h"
#include "foundation/kfile.h"

namespace {

KFileDialogHook& InstalledHook() {
  static KFileDialogHook hook;
  return hook;
}

// Runs the hook on a copy of the file's path, so that a cancelled dialog leaves the caller's file exactly as
// it was, whatever the dialog did on the way.
int32_t Ask(KFileDialogRequest& request, KFile& file) {
  const KFileDialogHook& hook = InstalledHook();
  if (!hook) {
    return -1;
  }
  KFile answerFile;
  answerFile.Assign(file);
  request.file = &answerFile;
  int32_t answer = hook(request);
  if (answer < 0) {
    return -1;
  }
  file.SetName(answerFile.Name());
  return answer;
}

int32_t CountFields(const KString& list) {
  int32_t count = 0;
  KString field;
  while (field.GetField(list, count, u',')) {
    ++count;
  }
  return count;
}

// The answer of a dialog over an extension list: a filter beyond the list counts as "another".
int32_t FilterAnswer(int32_t answer, const KString& extensions) {
  int32_t count = CountFields(extensions);
  return answer >= count ? count : answer;
}

bool IsListed(const KString& extension, const KString& extensions) {
  KString listed;
  for (int32_t i = 0; listed.GetField(extensions, i, u','); ++i) {
    listed.Trim();
    if (KString::EqualsNoCase(listed, extension)) {
      return true;
    }
  }
  return false;
}

// Whether the file's name has an extension that the request takes as the name's own.
bool KeepsOwnExtension(const KFileDialogRequest& request, const KFile& file) {
  KString extension;
  if (!file.GetExtension(extension)) {
    return false;
  }
  switch (request.ownExtension) {
    case KFileDialogRequest::OwnExtension::kAny:
      return true;
    case KFileDialogRequest::OwnExtension::kListed:
      return IsListed(extension, request.filter);
    case KFileDialogRequest::OwnExtension::kPicture:
      return KBitmap::FileFormat(file.Name()) == KBitmap::kFormatJpeg ||
             KString::EqualsNoCase(extension, u"tga");
  }
  return false;
}

}  // namespace

void KSetFileDialogHook(KFileDialogHook hook) {
  InstalledHook() = std::move(hook);
}

int32_t KOpenFileDialog(KFile& file, const KString& filter, const KString* title, void* owner) {
  KFileDialogRequest request;
  request.kind = KFileDialogRequest::Kind::kOpen;
  request.filter = filter;
  request.extensionList = title == nullptr && owner == nullptr;
  if (title != nullptr) {
    request.title = *title;
  }
  request.owner = owner;
  request.ownExtension = KFileDialogRequest::OwnExtension::kListed;
  int32_t answer = Ask(request, file);
  if (answer < 0) {
    return -1;
  }
  return request.extensionList ? FilterAnswer(answer, filter) : 0;
}

int32_t KSaveFileDialog(KFile& file, const KString& extensions, bool fixedExtension,
                        KFileDialogRequest::OwnExtension ownExtension) {
  KFileDialogRequest request;
  request.kind = KFileDialogRequest::Kind::kSave;
  request.filter = extensions;
  request.fixedExtension = fixedExtension;
  request.ownExtension = ownExtension;
  int32_t answer = Ask(request, file);
  if (answer < 0) {
    return -1;
  }
  file.SetName(KSavedName(request, file.Name(), answer));
  return FilterAnswer(answer, extensions);
}

KString KSavedName(const KFileDialogRequest& request, const KString& chosen, int32_t answer) {
  KFile file(chosen);
  if (!request.fixedExtension && KeepsOwnExtension(request, file)) {
    return chosen;
  }
  KString extension;
  if (request.fixedExtension ||
      !extension.GetField(request.filter, FilterAnswer(answer, request.filter), u',')) {
    extension.GetField(request.filter, 0, u',');
  }
  extension.Trim();
  if (extension.IsEmpty()) {
    return chosen;
  }
  if (request.fixedExtension) {
    file.RemoveExtension();
  }
  KString named(file.Name());
  named.AppendChar(u'.');
  return named.Append(extension);
}

int32_t KBrowseForFolder(KFile& file, int32_t flags, void* owner) {
  KFileDialogRequest request;
  request.kind = KFileDialogRequest::Kind::kFolder;
  request.extensionList = false;
  request.owner = owner;
  request.flags = flags;
  return Ask(request, file) < 0 ? -1 : 0;
}
