#include "native/print/filedialog.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "foundation/kfile.h"
#include "native/controls/controlconstants.h"
#include "native/print/filemessage.h"
#include "native/user/focusmanager.h"
#include "native/user/localtext.h"
#include "native/user/messageapi.h"
#include "native/user/styles.h"
#include "native/user/sysinfo.h"

namespace native {

namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 330;
constexpr int kFolderHeight = 270;
constexpr int kRowHeight = 22;

bool isDirectory(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool isRegularFile(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::string workingFolder() {
  char buffer[4096];
  if (::getcwd(buffer, sizeof buffer) != nullptr) {
    return buffer;
  }
  const char* home = std::getenv("HOME");
  return home != nullptr && home[0] == '/' ? home : "/";
}

std::u16string title(const KFileDialogRequest& request) {
  if (!request.title.IsEmpty()) {
    return std::u16string(request.title.Data(), static_cast<std::size_t>(request.title.Length()));
  }
  switch (request.kind) {
    case KFileDialogRequest::Kind::kOpen:
      return u"Open";
    case KFileDialogRequest::Kind::kSave:
      return u"Save As";
    case KFileDialogRequest::Kind::kFolder:
      break;
  }
  return u"Choose Folder";
}

std::string trimmed(const std::string& text) {
  std::size_t first = text.find_first_not_of(" \t");
  return first == std::string::npos ? std::string()
                                    : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

int32_t FileDialog::show(KFileDialogRequest& request) {
  FileDialog dialog(request);
  if (!dialog.run()) {
    return -1;
  }
  if (request.file != nullptr) {
    request.file->SetName(KString::FromUtf8(dialog.chosen_));
  }
  return dialog.answer_;
}

void FileDialog::install() {
  KSetFileDialogHook([](KFileDialogRequest& request) { return show(request); });
}

FileDialog::FileDialog(KFileDialogRequest& request)
    : ModalDialog(static_cast<HWND>(request.owner), title(request), kWidth,
                  request.kind == KFileDialogRequest::Kind::kFolder ? kFolderHeight : kHeight),
      request_(request) {
  std::string start = request.file != nullptr ? request.file->Name().ToUtf8() : std::string();
  std::string startName;
  std::string startFolder = start.empty() ? workingFolder() : FolderListing::resolve(workingFolder(), start);
  if (!isDirectory(startFolder)) {
    startName = startFolder.substr(startFolder.rfind('/') + 1);
    startFolder = FolderListing::parentOf(startFolder);
  }
  if (!isDirectory(startFolder)) {
    startFolder = workingFolder();
  }
  std::string filterText = request.filter.ToUtf8();
  if (!isFolderBrowser()) {
    filters_ =
        request.extensionList ? FileFilters::fromExtensions(filterText) : FileFilters::fromText(filterText);
  }

  addControl(kStaticClass, u"Folder:", SS_LEFT | SS_NOPREFIX, RECT{10, 12, 66, 12 + kRowHeight}, -1);
  addControl(kEditClass, u"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, RECT{70, 10, 410, 10 + kRowHeight},
             kFolderField);
  int listBottom = isFolderBrowser() ? kFolderHeight - 44 : 230;
  addControl(kListBoxClass, u"", LBS_NOTIFY | WS_VSCROLL | WS_BORDER | WS_TABSTOP,
             RECT{10, 40, 410, listBottom}, kFileList);
  if (!isFolderBrowser()) {
    addControl(kStaticClass, u"File name:", SS_LEFT | SS_NOPREFIX, RECT{10, 242, 96, 242 + kRowHeight}, -1);
    addControl(kEditClass, utf16FromUtf8(startName), ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP,
               RECT{100, 240, 410, 240 + kRowHeight}, kFileName);
    addControl(kStaticClass, u"Files of type:", SS_LEFT | SS_NOPREFIX, RECT{10, 272, 96, 272 + kRowHeight},
               -1);
    HWND filterList = addControl(kComboBoxClass, u"", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL,
                                 RECT{100, 270, 410, 370}, kFilterList);
    for (const FileFilter& filter : filters_) {
      SendMessage(filterList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(utf16FromUtf8(filter.label).c_str()));
    }
    // Saving lists every file of the listed types at once; the first filter is the default when opening.
    SendMessage(filterList, CB_SETCURSEL, 0, 0);
    enable(kFilterList, request.kind == KFileDialogRequest::Kind::kOpen);
  }
  if (!isFolderBrowser()) {
    // A name typed at once is the file's name.
    startFocus(kFileName);
  }
  int buttonsTop = (isFolderBrowser() ? kFolderHeight : kHeight) - 32;
  addControl(kButtonClass, u"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, RECT{240, buttonsTop, 320, buttonsTop + 24},
             IDOK);
  addControl(kButtonClass, u"Cancel", BS_PUSHBUTTON | WS_TABSTOP, RECT{330, buttonsTop, 410, buttonsTop + 24},
             IDCANCEL);
  goTo(startFolder);
}

void FileDialog::goTo(const std::string& folder) {
  folder_ = folder;
  setText(kFolderField, utf16FromUtf8(folder_));
  refill();
}

void FileDialog::refill() {
  std::vector<std::string> patterns;
  if (request_.kind == KFileDialogRequest::Kind::kOpen) {
    LRESULT filter = SendMessage(item(kFilterList), CB_GETCURSEL, 0, 0);
    if (filter >= 0 && static_cast<std::size_t>(filter) < filters_.size()) {
      patterns = filters_[static_cast<std::size_t>(filter)].patterns;
    }
  } else if (request_.kind == KFileDialogRequest::Kind::kSave) {
    for (const FileFilter& filter : filters_) {
      patterns.insert(patterns.end(), filter.patterns.begin(), filter.patterns.end());
    }
  }
  entries_ = FolderListing::read(folder_, patterns, isFolderBrowser());
  HWND list = item(kFileList);
  SendMessage(list, LB_RESETCONTENT, 0, 0);
  for (const FolderEntry& entry : entries_) {
    std::u16string shown = utf16FromUtf8(entry.name);
    if (entry.isFolder && entry.name != "..") {
      shown += u"/";
    }
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
  }
}

const FolderEntry* FileDialog::selectedEntry() const {
  LRESULT index = SendMessage(item(kFileList), LB_GETCURSEL, 0, 0);
  if (index < 0 || static_cast<std::size_t>(index) >= entries_.size()) {
    return nullptr;
  }
  return &entries_[static_cast<std::size_t>(index)];
}

void FileDialog::onCommand(int id, int code) {
  if (id == kFilterList && code == CBN_SELCHANGE) {
    refill();
    return;
  }
  if (id != kFileList) {
    return;
  }
  const FolderEntry* entry = selectedEntry();
  if (entry == nullptr) {
    return;
  }
  if (code == LBN_SELCHANGE && !entry->isFolder && !isFolderBrowser()) {
    setText(kFileName, utf16FromUtf8(entry->name));
  } else if (code == LBN_DBLCLK) {
    if (entry->isFolder) {
      goTo(FolderListing::resolve(folder_, entry->name));
    } else {
      end(true);
    }
  }
}

bool FileDialog::refuse(int id) {
  MessageBeep(0);
  focusAll(id);
  return false;
}

bool FileDialog::accept() {
  HWND focus = GetFocus();
  if (focus == item(kFolderField)) {
    std::string typed = FolderListing::resolve(folder_, trimmed(utf8FromUtf16(text(kFolderField))));
    if (!isDirectory(typed)) {
      return refuse(kFolderField);
    }
    goTo(typed);
    SetFocus(item(kFileList));
    return false;
  }
  const FolderEntry* entry = selectedEntry();
  bool folderPicked = entry != nullptr && entry->isFolder;
  // Enter on ".." in the list goes up in every dialog; the folder browser chooses any other folder.
  if (folderPicked && focus == item(kFileList) && entry->name == "..") {
    goTo(FolderListing::parentOf(folder_));
    return false;
  }
  if (isFolderBrowser()) {
    chosen_ = folderPicked && entry->name != ".." ? FolderListing::resolve(folder_, entry->name) : folder_;
    answer_ = 0;
    return true;
  }
  std::string name = trimmed(utf8FromUtf16(text(kFileName)));
  if (folderPicked && (focus == item(kFileList) || name.empty())) {
    goTo(FolderListing::resolve(folder_, entry->name));
    return false;
  }
  if (name.empty()) {
    return refuse(kFileName);
  }
  return chooseFile(name);
}

std::string FileDialog::withTypeExtension(const std::string& path) const {
  if (!request_.extensionList) {
    return path;
  }
  auto filter = static_cast<int32_t>(SendMessage(item(kFilterList), CB_GETCURSEL, 0, 0));
  return KSavedName(request_, KString::FromUtf8(path), filter).ToUtf8();
}

bool FileDialog::chooseFile(const std::string& name) {
  std::string path = FolderListing::resolve(folder_, name);
  if (isDirectory(path)) {
    goTo(path);
    setText(kFileName, u"");
    return false;
  }
  bool opening = request_.kind == KFileDialogRequest::Kind::kOpen;
  if (opening && !isRegularFile(path)) {
    std::string withExtension = withTypeExtension(path);
    if (!isRegularFile(withExtension)) {
      FileMessage::tellNotFound(window(), title(request_), path);
      focusAll(kFileName);
      return false;
    }
    path = withExtension;
  }
  if (!opening && !isDirectory(FolderListing::parentOf(path))) {
    return refuse(kFileName);
  }
  // Saving offers no choice of type: a name that needs an extension gets the default (first) one.
  chosen_ = opening ? path : KSavedName(request_, KString::FromUtf8(path), 0).ToUtf8();
  if (!request_.extensionList) {
    answer_ = 0;
  } else if (opening) {
    answer_ = static_cast<int32_t>(SendMessage(item(kFilterList), CB_GETCURSEL, 0, 0));
  } else {
    // Saving: the type of the name that is written.
    answer_ = static_cast<int32_t>(FileFilters::filterOf(filters_, chosen_.substr(chosen_.rfind('/') + 1)));
  }
  if (!opening && ::access(chosen_.c_str(), F_OK) == 0 &&
      !FileMessage::askToReplace(window(), title(request_), chosen_)) {
    // No: back to the name, as it was typed.
    focusAll(kFileName);
    return false;
  }
  return true;
}

}  // namespace native
