#include "imaging/ui/yzimagetoolitems.h"

#include "foundation/kstring.h"
#include "framework/core/zafstring.h"
#include "imaging/ui/yzimagewindow.h"
#include "toolkit/kzapplication.h"

namespace {

constexpr ZafEventType kUpKey = 1050;
constexpr ZafEventType kRightKey = 1053;

// The percentages the zoom selector offers.
constexpr const ZafIChar* kZoomChoices[] = {u"10",  u"25",  u"50",  u"75",  u"100", u"125",  u"150",
                                            u"200", u"300", u"400", u"600", u"800", u"1200", u"1600"};

// Enter with its key-down modifier, before the combo box's own map.
constexpr ZafEventMap kZoomKeys[] = {{YZImageWindow::kZoomSelect, ZAF_KEYBOARD_DEVICE, 13, 512},
                                     {EndOfEventMap, 0, 0, 0}};

// A percentage chosen from the list zooms as if it had been typed and entered.
ZafLong PercentageChosen(ZafWindowObject* item, ZafEventRecord&, ZafLong code) {
  if (code == ChosenEvent && item->userObject) {
    static_cast<YZZoomSelector*>(item->userObject)->Event(ZafEventRecord(YZImageWindow::kZoomSelect, 0));
  }
  return 0;
}

}  // namespace

YZIdPane::YZIdPane(YZImageWindow* window, int32_t width) : KZTBString(kMaxLength, width), itsWindow(window) {}

ZafEventType YZIdPane::Event(const ZafEventRecord& event) {
  const ZafEventType code = MapEvent(event);
  if (code == ChosenEvent) {
    return itsWindow->Event(ZafEventRecord(YZImageWindow::kEnterResult, 0));
  }
  if (code >= kUpKey && code <= kRightKey) {
    return itsWindow->Event(ZafEventRecord(code, 0));
  }
  return KZTBString::Event(event);
}

YZZoomSelector::YZZoomSelector(YZImageWindow* window, int32_t width, int32_t height)
    : KZTBComboBox(width, height, true), itsWindow(window) {
  for (const ZafIChar* text : kZoomChoices) {
    auto* item = new ZafString(0, 0, 6, text);
    item->userObject = this;
    item->SetUserFunction(PercentageChosen);
    Add(item);
  }
}

ZafEventType YZZoomSelector::MapEvent(const ZafEventRecord& event) {
  const ZafEventType code = MapEventTable(kZoomKeys, event);
  return code == EndOfEventMap ? KZTBComboBox::MapEvent(event) : code;
}

ZafEventType YZZoomSelector::Event(const ZafEventRecord& event) {
  const ZafEventType code = MapEvent(event);
  if (code != YZImageWindow::kZoomSelect) {
    return KZTBComboBox::Event(event);
  }
  int32_t percent = 0;
  KString text(Text());
  text.Trim();
  if (text.ParseInt(percent)) {
    itsWindow->ZoomTo(percent);
  }
  if (ZafEventRecord::Category(event) == ZAF_KEYBOARD_DEVICE && KZApplication::application) {
    KZApplication::application->FlushKeys();
  }
  return code;
}
