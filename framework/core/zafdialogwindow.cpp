#include "framework/core/zafdialogwindow.h"

#include "framework/core/zafbutton.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstrlib.h"
#include "native/native.h"

ZafDialogWindow::ZafDialogWindow(int32_t left, int32_t top, int32_t width, int32_t height)
    : ZafWindow(left, top, width, height) {}

ZafDialogWindow::ZafDialogWindow() : ZafWindow(0, 0, 0, 0) {}

ZafDialogWindow::ZafDialogWindow(const ZafDialogWindow& other) : ZafWindow(other) {}

ZafDialogWindow::ZafDialogWindow(const ZafIChar* name, ZafObjectPersistence& persistence)
    : ZafWindow(0, 0, 0, 0) {
  ReadStoredWindow(name, persistence, u"ZafDialogWindow", ID_ZAF_DIALOG_WINDOW);
}

ZafClassID ZafDialogWindow::ClassID() const {
  return ID_ZAF_DIALOG_WINDOW;
}

const ZafIChar* ZafDialogWindow::ClassName() const {
  return u"ZafDialogWindow";
}

bool ZafDialogWindow::IsA(ZafClassID id) const {
  return id == ID_ZAF_DIALOG_WINDOW || ZafWindow::IsA(id);
}

bool ZafDialogWindow::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafDialogWindow") == 0) || ZafWindow::IsAName(name);
}

ZafWindowObject* ZafDialogWindow::Duplicate() {
  return new ZafDialogWindow(*this);
}

ZafEventType ZafDialogWindow::Event(const ZafEventRecord& event) {
  if (event.type >= ZAF_DIALOG_FIRST_ANSWER && event.type <= ZAF_DIALOG_LAST_ANSWER) {
    return event.type;
  }
  return ZafWindow::Event(event);
}

bool ZafDialogWindow::Answers(const ZafEventRecord& event) const {
  if (event.type >= ZAF_DIALOG_FIRST_ANSWER && event.type <= ZAF_DIALOG_LAST_ANSWER) {
    return true;
  }
  if (event.type != HelpEvent || !event.windowObject || !event.windowObject->IsA(ID_ZAF_BUTTON)) {
    return false;
  }
  // Only the dialog's own Help button answers: a help key elsewhere asks for help and ends nothing.
  if (static_cast<const ZafButton*>(event.windowObject)->Value() != HelpEvent) {
    return false;
  }
  for (const ZafWindowObject* object = event.windowObject; object; object = object->Parent()) {
    if (object == this) {
      return true;
    }
  }
  return false;
}

ZafEventType ZafDialogWindow::Control() {
  if (underControl || parent || !windowManager || !eventManager) {
    return ZAF_DIALOG_NOT_RUN;
  }
  underControl = true;
  // Closing the dialog must not delete it under the loop: the caller owns it.
  const bool wasDestroyable = destroyable;
  destroyable = false;
  const bool wasModal = modal;
  if (!Parent() && windowManager->Index(this) < 0) {
    SetModal(true);
    windowManager->Add(this);
  }
  ZafEventType answer = CloseEvent;
  ZafEventRecord event;
  while (windowManager->Index(this) >= 0) {
    if (eventManager->Get(event) != Q_EVENT_TAKEN) {
      answer = ZAF_DIALOG_NOT_RUN;
      break;
    }
    if (Answers(event)) {
      answer = event.type;
      break;
    }
    if (event.type == E_OSEVENT && event.osEvent.message == native::WM_QUIT) {
      // The program is ending: the dialog closes unanswered and the program's own loop gets the quit.
      windowManager->PostQuit(static_cast<int>(event.osEvent.wParam));
      break;
    }
    windowManager->Event(event);
  }
  if (windowManager->Index(this) >= 0) {
    windowManager->Subtract(this);
  }
  modal = wasModal;
  destroyable = wasDestroyable;
  underControl = false;
  return answer;
}

ZafObjectConstructor ZafDialogWindow::ReadFunction() const {
  return &ZafDialogWindow::Read;
}

ZafWindowObject* ZafDialogWindow::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafDialogWindow(name, persistence);
}
