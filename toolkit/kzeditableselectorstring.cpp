#include "toolkit/kzeditableselectorstring.h"

#include <utility>

#include "framework/core/zafdevice.h"
#include "framework/core/zafeventmanager.h"
#include "framework/win32/zafmouseimages.h"
#include "native/native.h"
#include "native/user/keyboard.h"
#include "native/user/menuapi.h"
#include "native/user/messages.h"
#include "native/user/metrics.h"
#include "native/user/virtualkeys.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzeditableselector.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzmousetable.h"

namespace {

// Put's placement in front of the head of the queue: the close must come before whatever the user did
// next, which is already queued.
constexpr uint32_t kAheadOfQueue = 0;

// A press of the right or middle button, wherever it falls.
bool OtherButtonPressed(const ZafEventRecord& event) {
  if (event.type != E_OSEVENT) {
    return false;
  }
  switch (event.osEvent.message) {
    case native::WM_RBUTTONDOWN:
    case native::WM_RBUTTONDBLCLK:
    case native::WM_MBUTTONDOWN:
    case native::WM_MBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

void SetPointerImage(ZafEventType image) {
  if (KZApplication::application) {
    KZApplication::application->SetMouseImage(image);
  }
}

}  // namespace

KZEditableSelectorString::KZEditableSelectorString(KZEditableSelector* owner, const KRect& pixels,
                                                   const ZafIChar* text)
    : KZString(pixels, text, -1), owner(owner) {
  SetBordered(false);
}

KZEditableSelectorString::~KZEditableSelectorString() {
  captured = false;
  if (KZApplication::application) {
    KZApplication::application->SetCapture(nullptr, 0);
  }
}

KZEditableSelectorString* KZEditableSelectorString::Open() {
  return KZApplication::application
             ? dynamic_cast<KZEditableSelectorString*>(KZApplication::application->CaptureObject())
             : nullptr;
}

bool KZEditableSelectorString::KeepsKey(const ZafEventRecord& event) {
  if (event.type != E_OSEVENT || event.osEvent.message != native::WM_KEYDOWN ||
      native::GetKeyState(native::VK_CONTROL) >= 0 || native::GetKeyState(native::VK_MENU) < 0) {
    return false;
  }
  const native::WPARAM key = event.osEvent.wParam;
  return key == 'A' || key == 'C' || key == 'V' || key == 'X';
}

void KZEditableSelectorString::EndEdit(ZafEventType reason) {
  ZafEventRecord end(static_cast<int32_t>(EndEditEvent), static_cast<int32_t>(reason));
  end.addressedObject = owner;
  eventManager->Put(end, kAheadOfQueue);
}

void KZEditableSelectorString::LetGo() {
  if (!captured) {
    return;
  }
  captured = false;
  if (KZApplication::application) {
    KZApplication::application->SetCapture(nullptr, 0);
  }
  if (HasNativeWindow() && native::GetFocus() == screenID) {
    native::SetFocus(owner->ScreenID());
  }
}

ZafEventType KZEditableSelectorString::PointerOutside(const ZafEventRecord& event, ZafEventType code) {
  SetPointerImage(DefaultImage);
  if (code != LeftPressedEvent) {
    return UnknownEventResult;
  }
  // What was typed is kept, and the press still does what it was aimed at: the field closes first, from the
  // head of the queue, and lets go of the pointer now; its owner routes the press again where it landed (a
  // tool bar button, a close box, a menu title, another window or row) once the field is gone.
  EndEdit(KZEditableSelector::kEndByEnter);
  LetGo();
  if (event.type == E_OSEVENT) {
    pressOutside = event.osEvent;
  }
  return code;
}

ZafEventType KZEditableSelectorString::Event(const ZafEventRecord& event) {
  if (OtherButtonPressed(event)) {
    openingPress.reset();  // clicks of two buttons never pair
  }
  const ZafEventType code = KZMapMouseState(*this, event, MapEvent(event));
  ZafEventType answer = 0;
  ZafEventRecord translated = event;
  if (translated.referenceObject != this) {
    ConvertCoordinates(translated);
  }
  const ZafPositionStruct at = translated.Position();
  if (ZafEventRecord::Category(event) == ZAF_CATEGORY_MOUSE &&
      !LocalRegion().Contains({at.column, at.line})) {
    answer = PointerOutside(event, code);
  } else if (code == PointerMovedEvent) {
    SetPointerImage(DM_EDIT);
    answer = code;
  } else if (code == CreateEvent) {
    answer = KZString::Event(event);
    captured = true;
    SetPointerImage(DM_EDIT);
  } else if (code == DestroyEvent) {
    captured = false;
    answer = KZString::Event(event);
  } else if (code == LeftPressedEvent && event.type == E_OSEVENT) {
    answer = KZString::Event(PairedWithOpeningPress(event));
  } else if (code == KZEditableSelector::kEndByEnter || code == KZEditableSelector::kEndByEscape) {
    EndEdit(code);
    answer = code;
  } else if (captured && event.type == E_OSEVENT &&
             native::EntersMenuBar(event.osEvent.message, event.osEvent.wParam, event.osEvent.lParam)) {
    // The menu runs a loop of its own that lasts only while it holds the pointer capture, so the field
    // gives it up before the key opens the menu; what was typed is stored now, for the menu's commands.
    owner->StoreOpenEdit();
    answer = KZString::Event(event);
  } else {
    answer = KZString::Event(event);
  }
  HoldCaptureAndFocus();
  return answer;
}

ZafEventRecord KZEditableSelectorString::PairedWithOpeningPress(const ZafEventRecord& press) {
  const std::optional<native::MSG> first = std::exchange(openingPress, std::nullopt);
  const native::MSG& second = press.osEvent;
  ZafEventRecord paired = press;
  if (first && native::ClicksPair(first->time, first->pt, second.time, second.pt)) {
    paired.osEvent.message = native::WM_LBUTTONDBLCLK;
    // The pair is used up: a third click starts a new one.
    native::ForgetLastClick();
  }
  return paired;
}

void KZEditableSelectorString::HoldCaptureAndFocus() {
  if (!captured || !HasNativeWindow()) {
    return;
  }
  if (KZApplication::application) {
    KZApplication::application->SetCapture(this, 0);
  }
  if (native::GetFocus() != screenID) {
    native::SetFocus(screenID);
  }
}
