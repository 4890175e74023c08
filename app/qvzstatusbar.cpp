#include "app/qvzstatusbar.h"

#include "model/qvsettings.h"
#include "native/user/metrics.h"
#include "toolkit/kzgeomatt.h"
#include "toolkit/kzgeomdc.h"
#include "toolkit/kzgeomflags.h"
#include "toolkit/kzgeommgr.h"
#include "toolkit/kzprogressbar.h"
#include "toolkit/kzstatusstring.h"

namespace {

// The bar is this much higher than a line of font 1.
constexpr int32_t kHeightOverFont = 8;

struct FlyOverText {
  int32_t command;
  const char16_t* key;
};

constexpr FlyOverText kFlyOverTexts[] = {
    {10003, u"\\Strings\\Hardware\\FlyOver\\SaveEvent"},
    {10480, u"\\Strings\\Event\\Chart\\FlyOver\\ExportBitmap"},
    {10482, u"\\Strings\\Event\\Chart\\FlyOver\\Print"},
    {10483, u"\\Strings\\Event\\Chart\\FlyOver\\Maximize"},
    {10484, u"\\Strings\\Event\\Chart\\FlyOver\\Restore"},
    {10485, u"\\Strings\\Event\\Chart\\FlyOver\\ShowSet"},
    {10486, u"\\Strings\\Event\\Chart\\FlyOver\\ShowGun"},
    {10487, u"\\Strings\\Event\\Chart\\FlyOver\\ShowLegal"},
    {10488, u"\\Strings\\Event\\Chart\\FlyOver\\ShowReaction"},
    {10489, u"\\Strings\\Event\\Chart\\FlyOver\\ShowPower"},
    {10527, u"\\Strings\\Event\\Results\\FlyOver\\PrintEvent"},
    {10528, u"\\Strings\\Event\\Results\\FlyOver\\AddKestroves"},
    {10529, u"\\Strings\\Event\\Results\\FlyOver\\DownloadTraces"},
    {10530, u"\\Strings\\Event\\Results\\FlyOver\\DeleteTrial"},
    {10531, u"\\Strings\\Event\\Results\\FlyOver\\OverlayMode"},
    {10532, u"\\Strings\\Event\\Results\\FlyOver\\ClearOverlay"},
    {10533, u"\\Strings\\Event\\Results\\FlyOver\\AllChartsMode"},
    {10538, u"\\Strings\\Event\\Results\\FlyOver\\SchedulePrev"},
    {10539, u"\\Strings\\Event\\Results\\FlyOver\\ScheduleGoto"},
    {10540, u"\\Strings\\Event\\Results\\FlyOver\\ScheduleNext"},
    {10578, u"\\Strings\\Hardware\\FlyOver\\NewEvent"},
    {10579, u"\\Strings\\Hardware\\FlyOver\\OpenEvent"},
    {10582, u"\\Strings\\Hardware\\FlyOver\\SchedulePrev"},
    {10583, u"\\Strings\\Hardware\\FlyOver\\ScheduleGoto"},
    {10584, u"\\Strings\\Hardware\\FlyOver\\ScheduleNext"},
};

}  // namespace

QvZStatusBar::QvZStatusBar() : KZStatusBar(KZWindowObjectLeech::FontHeight(1) + kHeightOverFont, 0) {
  auto* layout = new KZGeomMgr;
  Add(layout);
  progress = new KZProgressBar;
  Add(progress);
  statusText = new KZStatusString;
  Add(statusText);
  // The progress bar keeps clear of where a window's vertical scroll bar would be, so that it sits beside
  // the frame's size grip; the text takes the rest of the width.
  layout->AddConstraint(
      new KZGeomAtt(progress, KZGEOM_RIGHT, native::GetSystemMetrics(native::SM_CXVSCROLL)));
  layout->AddConstraint(new KZGeomDC(progress, KZGEOM_WIDTH, kProgressMinimumWidth, 0));
  layout->AddConstraint(new KZGeomAtt(progress, KZGEOM_TOP, kMargin));
  layout->AddConstraint(new KZGeomAtt(progress, KZGEOM_BOTTOM | KZGEOM_STRETCH, 0));
  layout->AddConstraint(new KZGeomAtt(statusText, KZGEOM_LEFT, kMargin));
  layout->AddConstraint(new KZGeomAtt(statusText, KZGEOM_TOP, kMargin));
  layout->AddConstraint(new KZGeomAtt(statusText, KZGEOM_BOTTOM | KZGEOM_STRETCH, 0));
  layout->AddConstraint(new KZGeomAtt(statusText, progress, KZGEOM_RIGHT | KZGEOM_STRETCH, kMargin));
}

const char16_t* QvZStatusBar::FlyOverKey(int32_t command) {
  for (const FlyOverText& text : kFlyOverTexts) {
    if (text.command == command) {
      return text.key;
    }
  }
  return nullptr;
}

void QvZStatusBar::ShowFlyOver(int32_t command) {
  const char16_t* key = FlyOverKey(command);
  SetText(key ? QvSettings::Text(key) : KString());
}
