#pragma once
// The open, save and folder dialogs: a folder field, the folder's list (".." to go up, folders, then the
// files the filter lets through), a file-name field and, for opening, a filter list. Double-clicking a
// folder or choosing OK on one goes into it; typing a folder path and pressing Enter goes there. Installed
// as the foundation's file-dialog hook, they answer KOpenFileDialog, KSaveFileDialog and KBrowseForFolder.

#include <string>
#include <vector>

#include "foundation/kfiledialog.h"
#include "native/print/filefilters.h"
#include "native/print/folderlisting.h"
#include "native/print/modaldialog.h"

namespace native {

class FileDialog : public ModalDialog {
 public:
  enum ControlId { kFolderField = 201, kFileList, kFileName, kFilterList };

  // Shows the request and answers as the hook must: -1 on cancel, else the chosen filter's position (0 when
  // there are no filters to choose); the chosen path is left in the request's file.
  static int32_t show(KFileDialogRequest& request);
  // Makes these dialogs answer the foundation's file-dialog calls.
  static void install();

  explicit FileDialog(KFileDialogRequest& request);

 protected:
  void onCommand(int id, int code) override;
  bool accept() override;

 private:
  bool isFolderBrowser() const { return request_.kind == KFileDialogRequest::Kind::kFolder; }
  void goTo(const std::string& folder);
  void refill();
  const FolderEntry* selectedEntry() const;
  bool refuse(int id);
  bool chooseFile(const std::string& name);
  // With an extension list, a path without one of the listed extensions gets the chosen type's added (the
  // first type's when every file is shown): the name saving writes for the same typed name, so that a file
  // saved as "Heat 1.2" opens as "Heat 1.2" too. Otherwise the path as it is.
  std::string withTypeExtension(const std::string& path) const;

  KFileDialogRequest& request_;
  std::vector<FileFilter> filters_;
  std::string folder_;
  std::vector<FolderEntry> entries_;
  std::string chosen_;
  int32_t answer_ = 0;
};

}  // namespace native
