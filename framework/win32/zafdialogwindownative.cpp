// The native windows of a dialog: a frame of the dialog class, whose styles come from the support objects
// drawn by the frame itself, holding the client window in which the dialog's objects live.
#include "framework/core/zafdialogwindow.h"
#include "framework/win32/zafsupportstyles.h"
#include "native/native.h"

void ZafDialogWindow::CreateNative() {
  native::DWORD frameStyle = native::WS_CLIPCHILDREN | native::WS_CLIPSIBLINGS;
  native::DWORD clientStyle = native::WS_CHILD | native::WS_VISIBLE;
  for (ZafElement* element = support.First(); element; element = element->Next()) {
    const auto* object = static_cast<const ZafWindowObject*>(element);
    if (object->OwnNativeWindow()) {
      continue;
    }
    if (object->NumberID() == ZAF_NUMID_BORDER) {
      frameStyle |= native::WS_DLGFRAME;
    }
    // A dialog frame has no maximize or minimize box.
    const ZafSupportStyles bits = ZafSupportStyle(object->NumberID());
    frameStyle |= bits.frame & (native::WS_CAPTION | native::WS_SYSMENU);
    clientStyle |= bits.client;
  }
  if (bordered && (frameStyle & native::WS_DLGFRAME) == 0) {
    frameStyle |= native::WS_BORDER;
  }
  // A top-level dialog without any frame line is a pop-up; a bordered or captioned one is not.
  if (!parent && (frameStyle & (native::WS_BORDER | native::WS_DLGFRAME)) == 0) {
    frameStyle |= native::WS_POPUP;
  }
  if (visible) {
    frameStyle |= native::WS_VISIBLE;
  }
  if (parent) {
    frameStyle |= native::WS_CHILD;
  }
  CreateFrameAndClient(native::MAKEINTATOM(native::kDialogClassAtom), frameStyle, native::WS_EX_DLGMODALFRAME,
                       clientStyle);
}
