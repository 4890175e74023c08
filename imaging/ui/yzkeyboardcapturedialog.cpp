#include "imaging/ui/yzkeyboardcapturedialog.h"

#include "imaging/ui/yzspacebar.h"
#include "model/qvsettings.h"
#include "native/native.h"

YZKeyboardCaptureDialog::YZKeyboardCaptureDialog(ZafWindowObject* opener)
    : KZDialog(QvSettings::Text(u"\\Strings\\Hardware\\KbdCaptureDlg\\Title").CStr(), kOk, kOk),
      itsOpener(opener) {
  AddPrompt(QvSettings::Text(u"\\Strings\\Hardware\\KbdCaptureDlg\\Spacebar").CStr(), -1);
}

ZafEventType YZKeyboardCaptureDialog::Event(const ZafEventRecord& event) {
  if (IsSpaceBarPress(event)) {
    native::MessageBeep(0);
    return event.type;
  }
  if (MapEvent(event) == kCaptured) {
    if (itsOpener) {
      itsOpener->Event(ZafEventRecord(kOpenerNotice, 0));
    }
    return kCaptured;
  }
  return KZDialog::Event(event);
}
