#include "imaging/yreplacementfile.h"

#include <cerrno>

#include "foundation/kx.h"
#include "imaging/yimaginglog.h"

YReplacementFile::YReplacementFile(const KString& targetName) : target(targetName) {
  file.SetName(KFile::CreateTemporaryBeside(targetName));
  try {
    file.Open(KFile::kReadWrite, false);
  } catch (const KX&) {
    KDeleteFile(file.Name());
    throw;
  }
}

YReplacementFile::~YReplacementFile() {
  if (committed) {
    return;
  }
  const KString name = file.Name();
  try {
    file.Close();
  } catch (const KX& failure) {
    KString text("YReplacementFile: closing an abandoned file failed ");
    text.AppendInt(failure.Code());
    YLogError(text);
  }
  KDeleteFile(name);
}

void YReplacementFile::Commit() {
  file.Flush();
  if (!file.Rename(KFile(target))) {
    throw KXStream(kErrFileWrite, errno);
  }
  committed = true;
}
