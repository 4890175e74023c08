#include "imaging/ui/yzhardwarebar.h"

#include <algorithm>

#include "devices/yhardware.h"
#include "foundation/kdatetime.h"
#include "foundation/ktime.h"
#include "framework/core/zafdevice.h"
#include "framework/win32/zafmouseimages.h"
#include "framework/win32/zafwindowobjectdrag.h"
#include "imaging/ui/classbitmaps.h"
#include "model/qvevent.h"
#include "model/qvsettings.h"
#include "model/yleg.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzbitmap.h"
#include "toolkit/kzcontrol.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzmessagewindow.h"
#include "toolkit/kztbbutton.h"

namespace {

struct ButtonSpec {
  ZafEventType command;
  const ZafIChar* bitmap;
};

// Left to right, in the order of YZHardwareBar::Button.
constexpr ButtonSpec kButtons[YZHardwareBar::kButtonCount] = {
    {NewEventCommand, u"New"},
    {OpenEventCommand, u"Open"},
    {SaveEventCommand, u"Save"},
    {SchedulePreviousCommand, u"ScheduleBackward"},
    {ScheduleGotoCommand, u"ScheduleGoto"},
    {ScheduleNextCommand, u"ScheduleForward"},
};

int32_t BitmapHeight(const KZBitmap* bitmap) {
  return bitmap ? bitmap->Height() : 0;
}

}  // namespace

YZHardwareBar::YZHardwareBar(KZControl* frame, YHardwareView& view)
    : KZToolBar(ZAF_DOCK_TOP, -1), itsFrame(frame), itsView(&view), itsHardware(view.Owner()) {
  SetNotifyParent(false);
  SetBordered(false);
  const int32_t extraWidth = ExtraWidth(KZWindowObjectLeech::FontHeight(1), BitmapHeight(bitmaps[kOpen]));
  // Made right to left and added left to right.
  for (int button = kButtonCount - 1; button >= 0; --button) {
    buttons[button] = new KZTBButton(kButtons[button].command, bitmaps[button], extraWidth, 0);
  }
  for (KZTBButton* button : buttons) {
    Add(button);
  }
  itsView->SetToolBar(this);
}

YZHardwareBar::~YZHardwareBar() {
  if (itsView) {
    itsView->SetToolBar(nullptr);
  }
}

void YZHardwareBar::Register() {
  for (int button = 0; button < kButtonCount; ++button) {
    delete bitmaps[button];
    bitmaps[button] = new KZBitmap(kButtons[button].bitmap);
  }
}

void YZHardwareBar::Unregister() {
  ReleaseClassBitmaps(bitmaps);
}

int32_t YZHardwareBar::ExtraWidth(int32_t fontHeight, int32_t bitmapHeight) {
  return std::max(0, (2 * fontHeight + 4) - (bitmapHeight + KZTBButton::kFrame));
}

ZafEventType YZHardwareBar::Event(const ZafEventRecord& event) {
  switch (const ZafEventType code = MapEvent(event)) {
    case IdleTickEvent: {
      // Only a tick that runs the update is stored: ticks may come closer than the interval, and storing
      // every tick would hold the update off for good. The first tick always updates, whatever the tick count
      // (compared with a count of 0, one past half its range would look like the past).
      const uint32_t now = KGetTickCount();
      if (!lastUpdate || KTickDifference(now, *lastUpdate) > static_cast<int32_t>(kUpdateInterval)) {
        UpdateStatus();
        lastUpdate = now;
      }
      // Only a device has a status that changes by itself; the first tick past the interval updates.
      if (itsHardware && itsHardware->Flag4342() > 0) {
        KZApplication::IdleAgainWithin(static_cast<uint32_t>(static_cast<int32_t>(kUpdateInterval) + 1 -
                                                             KTickDifference(now, *lastUpdate)));
      }
      return code;
    }
    case StopCaptureCommand:
      StopCapture();
      return code;
    case NewEventCommand:
    case OpenEventCommand:
    case SchedulePreviousCommand:
    case ScheduleGotoCommand:
    case ScheduleNextCommand:
      RunDocumentCommand(code);
      return code;
    default:
      return KZToolBar::Event(event);
  }
}

void YZHardwareBar::RunDocumentCommand(ZafEventType code) {
  auto* commands = dynamic_cast<YZEventCommands*>(itsFrame);
  if (!commands) {
    return;
  }
  if (code == OpenEventCommand) {
    if (QvEvent* event = commands->OpenEventDocument(); event && event->GetLegCount() > 0) {
      ZafWindowObjectDrag::SetMouseImage(DM_WAIT);
      event->Leg(0)->Notify();
      ZafWindowObjectDrag::SetMouseImage(DefaultImage);
    }
    return;
  }
  QvEvent* event = code == NewEventCommand ? commands->NewEventDocument()
                                           : commands->ScheduleStep(code - ScheduleGotoCommand);
  if (!event) {
    return;
  }
  RefreshControls();
  AnnounceEvent(*event, code != NewEventCommand);
}

void YZHardwareBar::AnnounceEvent(QvEvent& event, bool scheduled) {
  if (event.GetLegCount() == 0) {
    return;
  }
  YLeg* leg = event.Leg(0);
  leg->Notify();
  leg->Request42();
  if (scheduled) {
    leg->Request41();
  }
}

void YZHardwareBar::RefreshControls() {}

void YZHardwareBar::UpdateStatus() {}

void YZHardwareBar::Changed(ZafWindowObject*, bool) {}

void YZHardwareBar::StopCapture() {
  if (!itsHardware) {
    return;
  }
  if (itsHardware->IsCaptureStarted() == YHardware::kStarted &&
      !KZMessageWindow::Ask(QvSettings::Text(u"\\Strings\\Hardware\\Capture\\Stop\\Title").CStr(),
                            QvSettings::Text(u"\\Strings\\Hardware\\Capture\\Stop\\Text").CStr(),
                            KZDialog::kOk | KZDialog::kCancel, KZDialog::kCancel, 0)) {
    return;
  }
  ZafWindowObjectDrag::SetMouseImage(DM_WAIT);
  itsHardware->StopCapture();
  ZafWindowObjectDrag::SetMouseImage(DefaultImage);
  UpdateStatus();
  RefreshControls();
}

QvEvent* YZHardwareBar::LatestArmedEvent() const {
  const std::vector<QvEvent*>& armed = itsHardware->ArmedEvents();
  const auto latest = std::max_element(armed.begin(), armed.end(), [](const QvEvent* a, const QvEvent* b) {
    return a->InfoBlock() < b->InfoBlock();
  });
  return latest == armed.end() ? nullptr : *latest;
}

void YZHardwareBar::StartCapture(QvEvent* event) {
  if (!itsHardware) {
    return;
  }
  if (!event) {
    event = LatestArmedEvent();
  }
  if (!event || itsHardware->IsCaptureStarted() == YHardware::kStarted || itsHardware->UseKeyboardButton() ||
      !itsHardware->IsArmed(event)) {
    return;
  }
  YLeg* leg = event->Leg(0);
  if (!leg) {
    return;
  }
  itsHardware->StartCapture(*event, *leg);
  UpdateStatus();
  RefreshControls();
}

void YZHardwareBar::HardwareNotification(int32_t code) {
  if (code == YHardwareView::kArmedEventsChanged) {
    RefreshControls();
  }
}

void YZHardwareBar::ViewDestroyed() {
  itsView = nullptr;
  itsHardware = nullptr;
}
