#include "toolkit/kztbbutton.h"

#include "framework/core/zafdisplay.h"
#include "framework/data/zafbitmapdata.h"
#include "toolkit/kzevents.h"
#include "toolkit/kztoolbar.h"

namespace {

// The toolkit's font slot whose line height a text button takes.
constexpr int32_t kTextFont = 1;

}  // namespace

KZTBButton::KZTBButton(int32_t value, ZafBitmapData* bitmap, int32_t extraWidth, int32_t extraHeight)
    : KZButton(0, 0, 0, 0, static_cast<const ZafIChar*>(nullptr), bitmap, ZAF_PUSH_BUTTON, value) {
  const int32_t width = bitmap ? bitmap->Width() : 0;
  const int32_t height = bitmap ? bitmap->Height() : 0;
  KZPlaceToolItem(*this, width + extraWidth + kFrame, height + extraHeight + kFrame);
}

KZTBButton::KZTBButton(int32_t value, const ZafIChar* text, int32_t cells)
    : KZButton(0, 0, 0, 0, text, nullptr, ZAF_PUSH_BUTTON, value) {
  const int32_t cellWidth = display ? display->cellWidth : 0;
  KZPlaceToolItem(*this, cells * cellWidth, FontHeight(kTextFont) + kFrame);
}

KZTBButton::~KZTBButton() = default;

ZafEventType KZTBButton::Event(const ZafEventRecord& event) {
  const ZafEventType code = MapEvent(event);
  const ZafEventType answer = KZButton::Event(event);
  if (code == LeftReleasedEvent) {
    auto* bar = dynamic_cast<KZToolBar*>(Parent());
    if (bar && (bar->barFlags & KZToolBar::kNotifyParent) && bar->Parent()) {
      bar->Parent()->Event(ZafEventRecord(static_cast<int32_t>(LeechNotifyEvent), 0));
    }
  }
  return answer;
}
