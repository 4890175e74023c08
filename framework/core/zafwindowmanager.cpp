#include "framework/core/zafwindowmanager.h"

#include <algorithm>
#include <vector>

#include "framework/core/zafdevice.h"
#include "framework/core/zafdisplay.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafhelpstub.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zaffilesystem.h"
#include "framework/data/zafi18ndata.h"
#include "framework/data/zafstrlib.h"

namespace {

// One row for every type and state: the native system colours and the dialog font.
constexpr ZafPaletteMap kPaletteTable[] = {
    {ZAF_PM_ANY_TYPE, 0, {0, 0, 253, 253, 0, 2, 1, 0, 0}},
};

constexpr ZafEventMap kEventMap[] = {
    {EscapeEvent, ZAF_KEYBOARD_DEVICE, 27, 512},
    {EndOfEventMap, 0, 0, 0},
};

ZafWindow* AsWindow(ZafElement* element) {
  return static_cast<ZafWindow*>(static_cast<ZafWindowObject*>(element));
}

}  // namespace

ZafWindowManager::ZafWindowManager(ExitFunction exitFunction)
    : ZafWindow(0, 0, 0, 0), exitFunction(exitFunction) {
  if (!display) {
    display = ZafDisplay::DisplayOfRecord();
  }
  if (!windowManager) {
    windowManager = this;
  }
  region = ClientRegion();
  clientRegion = region;
  placement = 2;
  if (eventManager) {
    eventManager->SendToDevice(E_MOUSE, DefaultImage);
  }
}

ZafWindowManager::~ZafWindowManager() {
  while (ZafWindow* window = FrontWindow()) {
    ZafList::Subtract(window);
    if (window->ScreenID()) {
      window->Event(ZafEventRecord(DestroyEvent, 0));
    }
    if (window->Destroyable()) {
      delete window;
    }
  }
  StopTipTimer();
  display = nullptr;
  eventManager = nullptr;
  windowManager = nullptr;
}

ZafClassID ZafWindowManager::ClassID() const {
  return ID_ZAF_WINDOW_MANAGER;
}

const ZafIChar* ZafWindowManager::ClassName() const {
  return u"ZafWindowManager";
}

bool ZafWindowManager::IsA(ZafClassID id) const {
  return id == ID_ZAF_WINDOW_MANAGER || ZafWindow::IsA(id);
}

bool ZafWindowManager::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafWindowManager") == 0) || ZafWindow::IsAName(name);
}

ZafEventType ZafWindowManager::MapEvent(const ZafEventRecord& event) {
  const ZafEventType logical = MapEventTable(kEventMap, event);
  return logical == EndOfEventMap ? ZafWindow::MapEvent(event) : logical;
}

const ZafPaletteMap* ZafWindowManager::MapPalette(uint16_t type, uint16_t state) {
  return MapPaletteTable(kPaletteTable, type, state);
}

ZafRegionStruct ZafWindowManager::ClientRegion(const ZafWindowObject*) {
  const ZafDisplay* screen = display ? display : ZafDisplay::DisplayOfRecord();
  return screen ? ZafRegionStruct{0, 0, screen->columns - 1, screen->lines - 1, ZAF_PIXEL}
                : ZafRegionStruct{0, 0, -1, -1, ZAF_PIXEL};
}

// ---- Routing ----

ZafEventType ZafWindowManager::Event(const ZafEventRecord& event) {
  if (captureObject && ZafEventRecord::Category(event) == ZAF_CATEGORY_MOUSE) {
    return captureObject->Event(event);
  }
  if (grabObject) {
    return grabObject->Event(event);
  }
  if (event.addressedObject) {
    return event.addressedObject->Event(event);
  }
  if (event.type == E_OSEVENT) {
    return DispatchNative(event);
  }
  const ZafEventType code = event.type;
  switch (code) {
    case FocusRequestEvent:
      if (event.windowObject) {
        event.windowObject->SetFocus(true);
      }
      return code;
    case LanguageChangedEvent:
      BroadcastToChildren(event, -1);
      return code;
    case RestoreAllRequest:
    case MinimizeAllRequest:
    case LanguageRequest:
    case CloseByNameRequest:
    case OpenWindowRequest:
    case SecondFrontWindowRequest:
    case FirstFrontWindowRequest:
      FrameworkRequest(event);
      return code;
    case ExitRequestEvent: {
      if (!exitFunction) {
        return 0;
      }
      const ZafEventType answer = exitFunction(display, eventManager, this);
      if (answer == 0) {
        exitFunction = nullptr;
      }
      return answer;
    }
    case AddObjectEvent:
      Add(event.windowObject);
      return code;
    case SubtractObjectEvent:
      Subtract(event.windowObject);
      return code;
    case RedisplayEvent:
      BroadcastToChildren(event, 0);
      return code;
    case ExitEvent:
      PostQuit(0);
      return 0;
    case CloseEvent:
    case CloseTemporaryEvent:
      return Close(event);
    case AnsweredByItselfEvent:
      return code;
    default: {
      ZafWindow* front = FrontWindow();
      return front ? front->Event(event) : NoWindowResult;
    }
  }
}

void ZafWindowManager::ForgetObject(const ZafWindowObject* object) {
  for (ZafWindowObject** reference : {&grabObject, &dragObject, &focusObject, &helpTipObject, &captureObject,
                                      &tipObject, &previousFocusObject}) {
    if (*reference == object) {
      *reference = nullptr;
    }
  }
  if (mainWindow == object) {
    mainWindow = nullptr;
  }
}

ZafEventType ZafWindowManager::Close(const ZafEventRecord& event) {
  const ZafEventType code = event.type;
  ZafWindow* window = nullptr;
  if (event.windowObject) {
    // Only windows are ever listed here, so a listed root is a window.
    ZafWindowObject* root = event.windowObject->RootObject();
    if (Index(root) >= 0) {
      window = static_cast<ZafWindow*>(root);
    }
  } else {
    for (ZafElement* element = ZafList::First(); element; element = element->Next()) {
      if (code == CloseTemporaryEvent || !AsWindow(element)->Temporary()) {
        window = AsWindow(element);
        break;
      }
    }
  }
  if (!window || window->Locked() || (code == CloseTemporaryEvent && !window->Temporary())) {
    return code;
  }
  // Only the window manager's own native window or the designated main window ends the program: a
  // window not yet created has no native window, and closing it must not quit.
  const bool ends = window == mainWindow || (window->ScreenID() && window->ScreenID() == screenID);
  if (ends && Event(ZafEventRecord(ExitRequestEvent, 0)) != 0) {
    return code;
  }
  if (window->Event(ZafEventRecord(CloseQueryEvent, 0)) != 0) {
    return code;
  }
  if (ends) {
    PostQuit(0);
  }
  std::vector<ZafWindow*> temporariesBefore;
  for (ZafElement* element = window->ZafElement::Previous(); element && AsWindow(element)->Temporary();
       element = element->Previous()) {
    temporariesBefore.push_back(AsWindow(element));
  }
  Remove(window);
  for (ZafWindow* temporary : temporariesBefore) {
    // Removing an owner takes its owned windows along, so each one is looked for again first.
    if (Index(temporary) >= 0) {
      Remove(temporary);
    }
  }
  return FrontWindow() ? code : NoWindowResult;
}

// ---- Top-level windows ----

void ZafWindowManager::Remove(ZafWindow* window) {
  Subtract(window);
  if (window->Destroyable()) {
    delete window;
  }
}

void ZafWindowManager::RemoveFrontTemporaries() {
  while (ZafWindow* front = FrontWindow()) {
    if (!front->Temporary()) {
      break;
    }
    Remove(front);
  }
}

ZafWindowObject* ZafWindowManager::Add(ZafWindowObject* object, ZafWindowObject* before) {
  if (!object || !object->IsA(ID_ZAF_WINDOW) || object->ScreenID() || object->Parent() ||
      Index(object) >= 0) {
    return nullptr;
  }
  auto* window = static_cast<ZafWindow*>(object);
  if (!window->Temporary()) {
    RemoveFrontTemporaries();
  }
  Insert(window, (before && Index(before) >= 0) ? before : ZafList::First());
  window->Event(ZafEventRecord(CreateEvent, 0));
  return window;
}

ZafWindowObject* ZafWindowManager::Subtract(ZafWindowObject* object) {
  if (!object || Index(object) < 0) {
    return nullptr;
  }
  auto* window = static_cast<ZafWindow*>(object);
  // The windows it owns go first. Windows that own each other in a ring are each subtracted once: one
  // already on its way out is not taken again.
  subtracting.push_back(window);
  for (ZafElement* element = ZafList::First(); element;) {
    ZafWindow* other = AsWindow(element);
    if (other->Owner() == window &&
        std::find(subtracting.begin(), subtracting.end(), other) == subtracting.end()) {
      Remove(other);
      element = ZafList::First();
    } else {
      element = element->Next();
    }
  }
  subtracting.pop_back();
  if (window->Modal()) {
    EnableBehind(window);
  }
  ZafList::Subtract(window);
  if (window->ScreenID()) {
    window->Event(ZafEventRecord(DestroyEvent, 0));
  }
  for (ZafWindowObject** reference : {&dragObject, &tipObject, &helpTipObject}) {
    if (*reference && (*reference)->RootObject() == window) {
      *reference = nullptr;
    }
  }
  if (ZafWindow* front = FrontWindow()) {
    if (!front->Focus()) {
      front->SetFocus(true);
    }
  } else if (eventManager) {
    eventManager->Put(ZafEventRecord(NoWindowLeftEvent, 0), Q_END);
  }
  return window;
}

ZafWindowObject* ZafWindowManager::FindObject(ZafNumberID id) {
  for (ZafElement* element = ZafList::First(); element; element = element->Next()) {
    if (ZafWindowObject* found = AsWindow(element)->FindObject(id)) {
      return found;
    }
  }
  return nullptr;
}

ZafWindowObject* ZafWindowManager::FindObjectByName(const ZafIChar* name) {
  if (!name) {
    return nullptr;
  }
  if (name[0] != u'~') {
    return SearchPath(name);
  }
  // An absolute path: its first component names a top-level window.
  const ZafIChar* path = name + 1;
  const ZafIChar* tilde = ZafStrChr(path, u'~');
  const std::u16string first = tilde ? std::u16string(path, tilde) : std::u16string(path);
  for (ZafElement* element = ZafList::First(); element; element = element->Next()) {
    ZafWindow* window = AsWindow(element);
    if (window->StringID() && first == window->StringID()) {
      return (tilde && tilde[1]) ? window->FindObjectByName(tilde + 1) : window;
    }
  }
  return nullptr;
}

ZafWindowObject* ZafWindowManager::FocusObject() {
  ZafWindow* front = FrontWindow();
  return front && front->Focus() ? front->FocusObject() : nullptr;
}

ZafWindowObject* ZafWindowManager::NotifyFocus(ZafWindowObject* object, bool setFocus) {
  ZafWindowObject* current = CurrentChild();
  if (setFocus && current && current != object && Index(current) >= 0) {
    if (ZafWindowObject* refused = current->NotifyFocus(nullptr, false)) {
      return refused;
    }
  }
  if (!setFocus) {
    focusObject = nullptr;
    return ZafWindow::NotifyFocus(object, false);
  }
  if (!object || Index(object) < 0) {
    return nullptr;
  }
  auto* window = static_cast<ZafWindow*>(object);
  if (window != FrontWindow()) {
    ZafList::Subtract(window);
    if (!window->Temporary()) {
      RemoveFrontTemporaries();
    }
    Insert(window, ZafList::First());
  }
  SetCurrent(window);
  focus = true;
  return nullptr;
}

// ---- Requests ----

ZafEventType ZafWindowManager::FrameworkRequest(const ZafEventRecord& event) {
  const ZafEventType code = event.type;
  const ZafIChar* text = event.Text();
  switch (code) {
    case HelpRequest:
      if (text && ZafHelpStub::HelpSystem()) {
        ZafHelpStub::HelpSystem()->DisplayHelp(text);
      }
      return code;
    case RestoreAllRequest:
    case MinimizeAllRequest:
      for (ZafElement* element = ZafList::First(); element; element = element->Next()) {
        AsWindow(element)->SetMinimized(code == MinimizeAllRequest);
      }
      return code;
    case LanguageRequest:
      if (text) {
        ZafI18nData::SetLanguage(text);
      }
      BroadcastToChildren(ZafEventRecord(LanguageChangedEvent, 0), -1);
      return code;
    case CloseByNameRequest:
      if (text) {
        // Each close may remove other windows too, so the search starts again after every one; a window
        // that refused is asked only once.
        std::vector<ZafWindow*> asked;
        for (bool again = true; again;) {
          again = false;
          for (ZafElement* element = ZafList::First(); element; element = element->Next()) {
            ZafWindow* window = AsWindow(element);
            if (window->StringID() && ZafStrCmp(window->StringID(), text) == 0 && !window->Locked() &&
                std::find(asked.begin(), asked.end(), window) == asked.end()) {
              asked.push_back(window);
              ZafEventRecord close(CloseEvent, 0);
              close.windowObject = window;
              Event(close);
              again = true;
              break;
            }
          }
        }
      }
      return code;
    case OpenWindowRequest:
      if (text) {
        const ZafIChar* lastTilde = ZafStrRChr(text, u'~');
        const ZafIChar* objectName = lastTilde ? lastTilde + 1 : text;
        ZafWindowObject* found = FindObjectByName(objectName);
        if (found && !found->Parent() && Index(found) >= 0) {
          found->SetFocus(true);
        } else if (lastTilde && objectPersistence) {
          OpenStoredWindow(text, objectName);
        }
      }
      return code;
    case SecondFrontWindowRequest:
    case FirstFrontWindowRequest: {
      // The record owns its text: it goes with the last copy, whatever the front window answers.
      ZafWindow* front = FrontWindow();
      return front ? front->Event(event) : NoWindowResult;
    }
    default:
      return -1;
  }
}

void ZafWindowManager::OpenStoredWindow(const ZafIChar* path, const ZafIChar* objectName) {
  ZafObjectPersistence& persistence = *objectPersistence;
  ZafObjectConstructor construct = nullptr;
  for (ZafFileSystem* fileSystem : persistence.FileList()) {
    ZafFileInfoStruct info;
    if (fileSystem->FindFirst(info, path, nullptr, 0) == 0 && info.type == ZAF_ENTRY_DIRECTORY) {
      construct = persistence.ObjectConstructor(info.numberID, info.stringID.c_str());
    }
    fileSystem->FindClose(info);
    if (construct) {
      break;
    }
  }
  if (!construct) {
    return;
  }
  ZafWindowObject* object = construct(objectName, persistence);
  // A window that could not be read, or an object that is no window, is not opened.
  if (object && (object->Error() != ZAF_ERROR_NONE || !Add(object))) {
    delete object;
  }
}

ZafWindowManager::ExitFunction ZafWindowManager::SetExitFunction(ExitFunction function) {
  exitFunction = function;
  return exitFunction;
}

ZafWindow* ZafWindowManager::SetMainWindow(ZafWindow* window) {
  mainWindow = window;
  return mainWindow;
}

void ZafWindowManager::Center(ZafWindowObject* object) {
  if (!object) {
    return;
  }
  const ZafRegionStruct screen = ClientRegion();
  ZafRegionStruct area = object->Region();
  object->ConvertRegion(area, ZAF_PIXEL);
  const int32_t width = std::min(area.Width(), screen.Width());
  const int32_t height = std::min(area.Height(), screen.Height());
  area.left = (screen.Width() - width) / 2;
  area.top = (screen.Height() - height) / 2;
  area.right = area.left + width - 1;
  area.bottom = area.top + height - 1;
  object->SetRegion(area);
  if (object->ScreenID()) {
    object->UpdateNative();
  }
}

// ---- Pinned settings ----

bool ZafWindowManager::SetAcceptDrop(bool) {
  acceptDrop = false;
  return false;
}

bool ZafWindowManager::SetAutomaticUpdate(bool) {
  automaticUpdate = true;
  return true;
}

bool ZafWindowManager::SetBordered(bool) {
  bordered = false;
  return false;
}

bool ZafWindowManager::SetNativeDrawing(bool) {
  nativeDrawing = true;
  return true;
}

bool ZafWindowManager::SetParentDrawBorder(bool) {
  parentDrawBorder = false;
  return false;
}

bool ZafWindowManager::SetParentDrawFocus(bool) {
  parentDrawFocus = false;
  return false;
}

bool ZafWindowManager::SetParentPalette(bool) {
  parentPalette = false;
  return false;
}

int32_t ZafWindowManager::SetPlacement(int32_t) {
  placement = 2;
  return placement;
}

bool ZafWindowManager::SetSystemKeys(bool) {
  systemKeys = false;
  return false;
}

uint32_t ZafWindowManager::SetSelectMultiple(bool) {
  selectionType = 0;
  return 0;
}

bool ZafWindowManager::SetTemporary(bool) {
  temporary = false;
  return false;
}
