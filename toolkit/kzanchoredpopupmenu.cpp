#include "toolkit/kzanchoredpopupmenu.h"

#include "framework/core/zafdisplay.h"
#include "toolkit/kzmousetable.h"
#include "toolkit/kzpopupitem.h"
#include "toolkit/kzpopupmenu.h"

namespace {

// Logical codes of the first mouse button.
constexpr ZafEventType kFirstButtonPressed = 1003;
constexpr ZafEventType kFirstButtonDragged = 1004;
constexpr ZafEventType kFirstButtonReleased = 1005;

}  // namespace

KZAnchoredPopUpMenu::KZAnchoredPopUpMenu(int32_t left, int32_t top, int32_t width, int32_t height)
    : KZButton(left, top, width, height, u"", nullptr, ZAF_PUSH_BUTTON, 0),
      menu(std::make_unique<KZPopUpMenu>(KPoint{0, 0})) {
  SetCoordinateType(ZAF_PIXEL);
  SetRegion(ZafRegionStruct{left, top, left + width - 1, top + height - 1, ZAF_PIXEL});
  SetNonCurrent(true);
}

KZAnchoredPopUpMenu::~KZAnchoredPopUpMenu() = default;

void KZAnchoredPopUpMenu::AddItem(KZPopUpItem* item) {
  menu->Add(item);
}

ZafEventType KZAnchoredPopUpMenu::Event(const ZafEventRecord& event) {
  const ZafEventType code = KZMapMouseState(*this, event, MapEvent(event));
  if (code == kFirstButtonPressed) {
    const KRect screen = ToScreenRect(LocalRegion());
    const int32_t width = menu->Region().Width();
    const int32_t height = menu->Region().Height();
    menu->SetRegion(ZafRegionStruct{screen.left, screen.bottom, screen.left + width - 1,
                                    screen.bottom + height - 1, ZAF_PIXEL});
    menu->Popup();
    return code;
  }
  if (code == kFirstButtonDragged || code == kFirstButtonReleased) {
    return code;
  }
  return KZButton::Event(event);
}

ZafEventType KZAnchoredPopUpMenu::Draw(const ZafEventRecord& event, ZafEventType drawType) {
  const ZafEventType answer = KZButton::Draw(event, drawType);
  if (!display) {
    return answer;
  }
  const ZafRegionStruct area = BeginDraw();
  display->SetPalette(LogicalPalette(ZAF_PM_TEXT, PaletteState()));
  const int32_t middle = (area.left + area.right) / 2;
  const int32_t points[] = {area.left + 4, area.top + 6, area.right - 4,
                            area.top + 6,  middle,       area.bottom - 5};
  display->Polygon(3, points, 0, true, true);
  EndDraw();
  return answer;
}
