#include "toolkit/kzapplication.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "foundation/ktime.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafwindow.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafi18ndata.h"
#include "framework/data/zaflocaledata.h"
#include "framework/data/zafobjectpersistence.h"
#include "framework/data/zafstorage.h"
#include "framework/win32/zafmouse.h"
#include "native/shell/localeapi.h"
#include "native/shell/semaphoreapi.h"
#include "native/user/cursortable.h"
#include "native/user/focusmanager.h"
#include "native/user/messageapi.h"
#include "native/user/messages.h"
#include "toolkit/kzeditableselector.h"
#include "toolkit/kzeditableselectorstring.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzlanguagecode.h"
#include "toolkit/kzmodalwindow.h"
#include "toolkit/kzpulldownmenu.h"

KZApplication* KZApplication::application = nullptr;
ZafWindow* KZApplication::mainFrame = nullptr;
KZPullDownMenu* KZApplication::mainMenuBar = nullptr;

KZApplication::KZApplication(int argc, ZafIChar** argv)
    : ZafApplication(argc, argv), programFile(KString(argc > 0 && argv ? argv[0] : u"")) {
  ZafWindowObject::windowManager->SetExitFunction(&QueryExit);
  // Numbers are written with their sign in front and no blank, whatever the user's locale says. The
  // current locale is the framework's own object, only handed out read-only.
  auto& locale = const_cast<ZafLocaleStruct&>(ZafI18nData::Locale().locale);
  locale.positiveSign.Set(u"+");
  locale.negativeSign.Set(u"-");
  locale.posSignPosition = ZAF_SIGN_FIRST;
  locale.negSignPosition = ZAF_SIGN_FIRST;
  locale.posSeparatedBySpace = 0;
  locale.negSeparatedBySpace = 0;
}

KZApplication::~KZApplication() {
  if (instanceSemaphore) {
    native::CloseHandle(instanceSemaphore);
  }
  objectPersistence.reset();
  dataStorage.reset();
}

void KZApplication::ErrorAlert(int32_t) {}

void KZApplication::IdleWait() {
  // Idle work may have queued events of its own: they are taken before anything waits.
  if (ZafWindowObject::eventManager->QueuedCount() > 0) {
    return;
  }
  native::WaitForInput(IdleTimeout().value_or(native::INFINITE));
}

void KZApplication::IdleAgainWithin(uint32_t milliseconds) {
  if (!application) {
    return;
  }
  const uint32_t due = KGetTickCount() + milliseconds;
  std::optional<uint32_t>& earliest = application->idleDue;
  if (!earliest || KTickDifference(due, *earliest) < 0) {
    earliest = due;
  }
}

std::optional<uint32_t> KZApplication::IdleTimeout() const {
  if (!idleDue) {
    return std::nullopt;
  }
  return static_cast<uint32_t>(std::max(0, KTickDifference(*idleDue, KGetTickCount())));
}

// ---- The loop ----

bool KZApplication::GetEvent(ZafEventRecord& event, uint32_t flags) {
  if (ZafWindowObject::eventManager->Get(event, flags) != Q_EVENT_TAKEN) {
    return false;
  }
  // An in-place field holds the capture while it edits. Outside modal windows the main menu's hot keys
  // still act then, as from the table, after the field's close, which stores what was typed; the field's
  // own editing keys stay its own. Under any other capture (a drag) they are not offered.
  auto* field = modalWindow ? nullptr : dynamic_cast<KZEditableSelectorString*>(captureObject);
  if ((captureObject && !field) || (field && KZEditableSelectorString::KeepsKey(event)) || !mainMenuBar ||
      !mainMenuBar->HotKey(event)) {
    return true;
  }
  if (field) {
    field->EndEdit(KZEditableSelector::kEndByEnter);
  }
  // The command the key queued is acted on in the key's place, ahead of anything an idle pass would serve
  // (a command that came through the command service after the key was typed).
  return ZafWindowObject::eventManager->Get(event, flags | Q_NO_POLL) == Q_EVENT_TAKEN;
}

bool KZApplication::Idle(int32_t) {
  if (captureObject) {
    if (captureFlags & kCaptureFeedsMouse) {
      captureObject->Event(lastMouseEvent);
      // A drag scrolls a step each feed, at the pace the loop always had.
      IdleAgainWithin(kCaptureFeedMs);
    }
    if (!(captureFlags & kCaptureKeepsIdleTick)) {
      return true;
    }
  }
  if (mainFrame) {
    mainFrame->Event(ZafEventRecord(static_cast<int32_t>(IdleTickEvent), 0));
  }
  return true;
}

int32_t KZApplication::NextIdleCount(int32_t idleCount, bool answer) {
  if (!answer) {
    return -1;
  }
  return idleCount < std::numeric_limits<int32_t>::max() ? idleCount + 1 : idleCount;
}

ZafEventType KZApplication::Control(ZafWindow* modal, bool once) {
  ZafWindowManager* windowManager = ZafWindowObject::windowManager;
  if (!modal && mainFrame) {
    windowManager->SetScreenID(mainFrame->ScreenID());
  }
  auto* closing = dynamic_cast<KZModalWindow*>(modal);
  // A single pass made inside a modal window still runs for that window. The outer one is back however the
  // loop ends.
  struct ModalScope {
    ZafWindow*& innermost;
    ZafWindow* const outer;
    ~ModalScope() { innermost = outer; }
  } scope{modalWindow, modalWindow};
  if (modal) {
    modalWindow = modal;
  }
  ZafEventRecord event;
  ZafEventType result = LoopStartResult;
  int32_t idleCount = 0;
  bool done = false;
  while (!done && result != LoopExitResult && result != LoopModalGoneResult) {
    try {
      if (GetEvent(event, Q_NO_BLOCK)) {
        idleCount = 0;
        if (ZafEventRecord::Category(event) == ZAF_CATEGORY_MOUSE) {
          lastMouseEvent = event;
        }
        const int32_t answer = closing ? closing->IsClosing(event) : KZModalWindow::kDispatch;
        if (answer == KZModalWindow::kDispatch) {
          result = windowManager->Event(event);
        } else if (answer == KZModalWindow::kClose) {
          result = event.type;
          done = true;
        }
      } else if (once) {
        done = true;
      } else {
        ClearIdleTimeout();
        if (idleCount >= 0) {
          idleCount = NextIdleCount(idleCount, Idle(idleCount));
        }
        IdleWait();
      }
    } catch (...) {
      ErrorAlert(kLoopExceptionAlert);
    }
    if (modal && !modal->ScreenID()) {
      result = LoopModalGoneResult;
    }
  }
  if (result == LoopExitResult && (modal || once)) {
    // The exit was agreed inside a dialog's loop or a single pass: the program's own loop must end too.
    windowManager->PostQuit(0);
  }
  return result;
}

ZafEventType KZApplication::QueryExit(ZafDisplay*, ZafEventManager*, ZafWindowManager*) {
  if (!mainFrame) {
    return 0;
  }
  return mainFrame->Event(ZafEventRecord(static_cast<int32_t>(QueryExitEvent), 0)) == 0 ? ExitRefusedResult
                                                                                        : 0;
}

// ---- Instances, arguments, files ----

int32_t KZApplication::CheckInstance(const char* counterName) {
  constexpr native::LONG kMaximum = std::numeric_limits<int32_t>::max();
  instanceSemaphore = native::OpenSemaphoreA(native::SEMAPHORE_ALL_ACCESS, false, counterName);
  if (instanceSemaphore) {
    native::LONG previous = 0;
    if (native::ReleaseSemaphore(instanceSemaphore, 1, &previous)) {
      instanceNumber = previous + 1;
    }
    instanceNumber = std::max(2, instanceNumber);
  } else {
    instanceNumber = 1;
    instanceSemaphore = native::CreateSemaphoreA(nullptr, 1, kMaximum, counterName);
  }
  return instanceNumber;
}

const ZafIChar* KZApplication::FindArgument(const ZafIChar* option) const {
  const KString wanted(option ? option : u"");
  for (int index = 1; index < argc && argv && argv[index]; ++index) {
    const KString argument(argv[index]);
    if (argument.Length() >= wanted.Length() && KString::EqualsNoCase(argument, wanted, wanted.Length())) {
      return argv[index];
    }
  }
  return nullptr;
}

bool KZApplication::OpenDataFile(const ZafIChar* name) {
  KString path(name ? name : u"");
  if (path.IsEmpty()) {
    KFile defaultFile;
    defaultFile.Assign(programFile);
    defaultFile.SetExtension(u"znc");
    if (KFileExists(defaultFile.Name())) {
      path = defaultFile.Name();
    }
  }
  if (path.IsEmpty()) {
    return false;
  }
  auto storage = std::make_unique<ZafStorage>(path.CStr(), ZAF_FILE_READ);
  if (storage->Error() != ZAF_ERROR_NONE) {
    return false;
  }
  dataStorage = std::move(storage);
  objectPersistence = std::make_unique<ZafObjectPersistence>(dataStorage.get());
  return true;
}

// ---- Pointer and capture ----

void KZApplication::SetMouseImage(ZafEventType image) {
  ZafWindowObject::eventManager->SendToDevice(E_MOUSE_DEVICE, static_cast<int32_t>(image));
}

void KZApplication::SetCapture(ZafWindowObject* object, uint32_t flags) {
  if (object) {
    if (!captureObject) {
      captureFlags = flags;
      if (captureFlags & kCaptureHidesPointer) {
        native::ShowCursor(false);
      }
      captureObject = object;
    }
    const native::HWND window = captureObject->ScreenID();
    if (window && native::GetCapture() != window) {
      native::SetCapture(window);
    }
  } else if (captureObject) {
    native::ReleaseCapture();
    if (captureFlags & kCaptureHidesPointer) {
      native::ShowCursor(true);
    }
    captureObject = nullptr;
  }
}

// ---- Keys ----

bool KZApplication::IsBreakKey(const native::MSG& message) {
  ZafEventRecord event(E_OSEVENT, message);
  return mainFrame->ConvertCoordinates(event) && mainFrame->MapEvent(event) == BreakEvent;
}

bool KZApplication::TakeBreakKey() {
  native::RunReadyDescriptors();
  return TakeQueuedBreakKey();
}

bool KZApplication::TakeQueuedBreakKey() {
  if (!mainFrame) {
    return false;
  }
  native::MSG key{};
  bool broke = false;
  while (native::TakeMessageIf(&key, native::WM_KEYFIRST, native::WM_KEYLAST, &IsBreakKey)) {
    broke = true;
  }
  return broke;
}

bool KZApplication::FlushKeys() {
  bool any = false;
  native::MSG message{};
  while (native::PeekMessage(&message, nullptr, native::WM_KEYFIRST, native::WM_KEYLAST,
                             native::PM_REMOVE | native::PM_NOYIELD)) {
    any = true;
  }
  return any;
}

// ---- Language ----

const KString& KZApplication::SelectLanguage() {
  static const KString code = [] {
    const native::LCID localeId = native::GetUserDefaultLCID();
    char country[16] = {};
    if (native::GetLocaleInfoA(localeId, native::LOCALE_SABBREVCTRYNAME, country, sizeof country) <= 0) {
      country[0] = 0;
    }
    return KZLanguageCode(std::getenv("VESK_LANG"), localeId, country, native::GetACP());
  }();
  return code;
}
