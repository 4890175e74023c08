#include "toolkit/kzeditableselectorstring.h"

#include "framework/core/zafdevice.h"
#include "framework/core/zafeventmanager.h"
#include "framework/win32/zafmouseimages.h"
#include "native/native.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzeditableselector.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzmousetable.h"

namespace {

// Put's placement in front of the head of the queue: the close must come before whatever the user did
// next, which is already queued.
constexpr uint32_t kAheadOfQueue = 0;

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

void KZEditableSelectorString::EndEdit(ZafEventType reason) {
  ZafEventRecord end(static_cast<int32_t>(EndEditEvent), static_cast<int32_t>(reason));
  end.addressedObject = owner;
  eventManager->Put(end, kAheadOfQueue);
}

ZafEventType KZEditableSelectorString::PointerOutside(ZafEventType code) {
  SetPointerImage(DefaultImage);
  if (code != LeftPressedEvent) {
    return UnknownEventResult;
  }
  EndEdit(KZEditableSelector::kEndByEscape);
  return code;
}

ZafEventType KZEditableSelectorString::Event(const ZafEventRecord& event) {
  const ZafEventType code = KZMapMouseState(*this, event, MapEvent(event));
  ZafEventType answer = 0;
  ZafEventRecord translated = event;
  if (translated.referenceObject != this) {
    ConvertCoordinates(translated);
  }
  const ZafPositionStruct at = translated.Position();
  if (ZafEventRecord::Category(event) == ZAF_CATEGORY_MOUSE &&
      !LocalRegion().Contains({at.column, at.line})) {
    answer = PointerOutside(code);
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
  } else if (code == KZEditableSelector::kEndByEnter || code == KZEditableSelector::kEndByEscape) {
    EndEdit(code);
    answer = code;
  } else {
    answer = KZString::Event(event);
  }
  HoldCaptureAndFocus();
  return answer;
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
