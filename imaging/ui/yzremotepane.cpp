#include "imaging/ui/yzremotepane.h"

#include "devices/yhardware.h"
#include "devices/yhardwareview.h"
#include "foundation/ktime.h"
#include "imaging/ui/yzbitmapset.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzbitmap.h"

namespace {

struct ButtonSpec {
  int32_t x;
  int32_t y;
  char16_t command;
};

// By button, in the order of YZRemotePane::Button: the place in the pane and the command character.
constexpr ButtonSpec kButtons[YZRemotePane::kButtonCount] = {
    {40, 10, u'A'},  {40, 40, u'B'}, {10, 40, u'C'}, {70, 40, u'D'},  {10, 10, u'9'}, {70, 10, u'8'},
    {10, 100, u'3'}, {10, 70, u'2'}, {40, 70, u'7'}, {40, 100, u'6'}, {70, 70, u'5'}, {70, 100, u'4'},
};

YZBitmapSet bitmaps{u"PositionUp", u"PositionDown", u"PositionLeft", u"PositionRight",
                    u"PositionCW", u"PositionCCW",  u"IrisClose",    u"IrisOpen",
                    u"FocusNear",  u"FocusFar",     u"ZoomIn",       u"ZoomOut"};

// The lens commands (characters 2 to 7) go on in mode 3 while held; the head's moves in mode 6.
char16_t HeldMode(char16_t command) {
  return command >= u'2' && command <= u'7' ? u'3' : u'6';
}

void CaptureMouse(ZafWindowObject* object) {
  if (KZApplication* application = KZApplication::application) {
    application->SetCapture(object, object ? KZApplication::kCaptureFeedsMouse : 0);
  }
}

}  // namespace

YZRemoteButton::YZRemoteButton(YZRemotePane* pane, int32_t code, int32_t x, int32_t y, ZafBitmapData* bitmap)
    : KZButton(0, 0, 1, 1, static_cast<const ZafIChar*>(nullptr), bitmap, ZAF_PUSH_BUTTON, code),
      itsPane(pane) {
  SetRegion({x, y, x + YZRemotePane::kButtonSize - 1, y + YZRemotePane::kButtonSize - 1, ZAF_PIXEL});
}

ZafEventType YZRemoteButton::Event(const ZafEventRecord& event) {
  switch (const ZafEventType code = MapEvent(event)) {
    case LeftPressedEvent:
      if (Selected()) {
        return KZButton::Event(event);
      }
      KZButton::Event(event);
      itsPane->Press(Value());
      CaptureMouse(this);
      return code;
    case LeftDraggedEvent:
      itsPane->Press(YZRemotePane::kHeld);
      return code;
    case LeftReleasedEvent:
      KZButton::Event(event);
      itsPane->Press(YZRemotePane::kReleased);
      CaptureMouse(nullptr);
      SetSelected(false);
      return code;
    default:
      return KZButton::Event(event);
  }
}

YZRemotePane::YZRemotePane(YHardwareView* view) : KZWindow(0, 0, 1, 1) {
  SetView(view);
  // Made from the last to the first.
  for (int button = kButtonCount - 1; button >= 0; --button) {
    buttons[button] = new YZRemoteButton(this, kFirstCode + button, kButtons[button].x, kButtons[button].y,
                                         bitmaps[button]);
  }
  for (YZRemoteButton* button : buttons) {
    Add(button);
  }
}

void YZRemotePane::Register() {
  bitmaps.Load();
}

void YZRemotePane::Unregister() {
  bitmaps.Release();
}

void YZRemotePane::SetView(YHardwareView* view) {
  itsHardware = view ? view->Owner() : nullptr;
}

void YZRemotePane::Press(int32_t code) {
  if (code == kReleased) {
    // A second release (the capture let go twice) must not stop the head again.
    current = -1;
    if (sent) {
      sent = false;
      Send(kStop, kStop);
    }
  } else if (code == kHeld) {
    if (current < 0 || sent || KTickDifference(KGetTickCount(), pressTime) <= kHoldTime) {
      return;
    }
    sent = true;
    const char16_t command = kButtons[current - kFirstCode].command;
    Send(command, HeldMode(command));
  } else if (code >= kFirstCode && code < kFirstCode + kButtonCount) {
    current = code;
    pressTime = KGetTickCount();
    sent = false;
    Send(kButtons[code - kFirstCode].command, kPressMode);
  }
}

void YZRemotePane::Send(char16_t command, char16_t mode) {
  if (itsHardware) {
    itsHardware->InterfaceCall16(target, command, mode);
  }
}
