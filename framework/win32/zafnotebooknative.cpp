// The notebook's native window: its client region under the tab row, the layout of the tabs (each as wide
// as its text plus a cell on either side, overlapping the next by 3 pixels), the two arrow buttons that
// scroll the row, showing a page (only the shown page has a native window), and the keys and clicks that
// change the page.
#include "framework/core/zafnotebook.h"

#include "framework/core/zafbutton.h"
#include "framework/core/zafdisplay.h"
#include "framework/core/zafnotebooktab.h"
#include "framework/data/zafchar.h"
#include "framework/win32/zafcreatewindow.h"
#include "framework/win32/zafmswindowsapp.h"
#include "native/native.h"

namespace {

// A tab row height of 0 means this one.
constexpr int32_t kDefaultRowHeight = 24;
constexpr int32_t kBorderWidth = 2;
// Tabs overlap the next one by this much.
constexpr int32_t kTabOverlap = 3;
// The page area's margins inside the border: at the sides and bottom, and under the tab row.
constexpr int32_t kPageMargin = 6;
constexpr int32_t kPageTopGap = 4;
// The arrow buttons: 19 pixels square less one, the back button one button further left.
constexpr int32_t kArrowSize = 18;
constexpr int32_t kArrowStep = 19;
constexpr int32_t kArrowTop = 2;

bool Contains(const ZafRegionStruct& area, int32_t x, int32_t y) {
  return x >= area.left && x <= area.right && y >= area.top && y <= area.bottom;
}

bool CtrlDown() {
  return (native::GetKeyState(static_cast<int>(native::VK_CONTROL)) & 0x8000) != 0;
}

bool ShiftDown() {
  return (native::GetKeyState(static_cast<int>(native::VK_SHIFT)) & 0x8000) != 0;
}

}  // namespace

int32_t ZafNotebook::RowHeight() const {
  return tabHeight ? tabHeight : kDefaultRowHeight;
}

int32_t ZafNotebook::BorderWidth() const {
  return bordered ? kBorderWidth : 0;
}

ZafRegionStruct ZafNotebook::ClientRegion(const ZafWindowObject*) {
  const ZafRegionStruct area = region.Converted(ZAF_PIXEL, display);
  const int32_t b = BorderWidth();
  const int32_t width = area.right - area.left;
  const int32_t height = area.bottom - area.top;
  return {kPageMargin + b, RowHeight() + kPageTopGap + b, width - kPageMargin - b, height - kPageMargin - b,
          ZAF_PIXEL};
}

void ZafNotebook::CreateNative() {
  native::DWORD style = native::WS_CHILD | native::WS_CLIPSIBLINGS;
  if (visible) {
    style |= native::WS_VISIBLE;
  }
  if (IsDisabledUp() && !editMode) {
    style |= native::WS_DISABLED;
  }
  screenID = ZafCreateWindow(this, ZafMSWindowsApp::windowClassName, style);
}

// ---- Events ----

ZafEventType ZafNotebook::Event(const ZafEventRecord& event) {
  const ZafEventType code = event.type;
  switch (code) {
    case E_OSEVENT:
      return NativeEvent(event);
    case CreateEvent: {
      // Only the shown page and the arrow buttons get native windows, once the notebook has its own.
      const ZafEventType answer = ZafWindowObject::Event(event);
      Relayout();
      return answer;
    }
    case PrepareEvent: {
      const ZafEventType answer = ZafWindow::Event(event);
      firstVisibleTab = 0;
      MakeArrowButtons();
      if (ZafElement* shown = ZafList::Get(currentPageIndex)) {
        SetCurrent(shown);
      }
      return answer;
    }
    case NativeAttachedEvent: {
      const ZafEventType answer = ZafWindowObject::Event(event);
      for (ZafElement* element = support.First(); element; element = element->Next()) {
        static_cast<ZafWindowObject*>(element)->SetScreenID(screenID);
      }
      if (screenID) {
        for (ZafWindowObject* object : {CurrentChild(), static_cast<ZafWindowObject*>(scrollBack),
                                        static_cast<ZafWindowObject*>(scrollForward)}) {
          if (object) {
            object->Event(ZafEventRecord(CreateEvent, 0));
          }
        }
      }
      return answer;
    }
    case DestroyEvent:
      DeleteArrowButtons();
      return ZafWindow::Event(event);
    case SizedEvent:
      Relayout();
      return code;
    case TabsBackEvent:
    case TabsForwardEvent:
      ScrollTabs(code == TabsBackEvent);
      return code;
    case HotKeyEvent:
      return HotKey(event);
    default:
      return ZafWindow::Event(event);
  }
}

ZafEventType ZafNotebook::HotKey(const ZafEventRecord& event) {
  const ZafIChar key = ZafToUpper(static_cast<ZafIChar>(event.Key().value));
  int index = 0;
  for (ZafElement* element = support.First(); element; element = element->Next(), ++index) {
    auto* tab = static_cast<ZafNotebookTab*>(element);
    if (key != 0 && tab->HotKeyChar() == key) {
      if (tab->IsDisabledUp()) {
        break;
      }
      SetCurrentPageIndex(index);
      return event.type;
    }
  }
  ZafWindowObject* shown = CurrentChild();
  return shown ? shown->Event(event) : UnknownEventResult;
}

ZafEventType ZafNotebook::NativeEvent(const ZafEventRecord& event) {
  const native::MSG& message = event.osEvent;
  if (editMode && ZafEventRecord::Category(event) == ZAF_CATEGORY_MOUSE) {
    return EditModeMouse(event);
  }
  switch (message.message) {
    case native::WM_PAINT:
    case native::WM_ERASEBKGND:
      return ZafWindowObject::NativeEvent(event);
    case native::WM_KEYDOWN:
      // Ctrl+Tab turns the page before the window's own Tab moves the focus on.
      if (message.wParam == native::VK_TAB && CtrlDown()) {
        SetCurrentPageIndex(currentPageIndex + (ShiftDown() ? -1 : 1));
        return 0;
      }
      // On the focused tab row Left and Right turn the pages, and the focus stays on the row.
      if (TabsFocused() && (message.wParam == native::VK_LEFT || message.wParam == native::VK_RIGHT)) {
        SetCurrentPageIndex(currentPageIndex + (message.wParam == native::VK_LEFT ? -1 : 1));
        FocusTabs();
        return 0;
      }
      if (const ZafEventType answer = ZafWindow::NativeEvent(event); answer != UnknownEventResult) {
        return answer;
      }
      return KeyDown(event);
    case native::WM_LBUTTONDOWN: {
      const ZafEventType answer = ZafWindow::NativeEvent(event);
      if (message.hwnd != screenID) {
        return answer;
      }
      const int32_t x = static_cast<int16_t>(native::LOWORD(message.lParam));
      const int32_t y = static_cast<int16_t>(native::HIWORD(message.lParam));
      if (!ArrowButtonAt(x, y)) {
        if (const int index = TabAt(x, y); index >= 0) {
          SetCurrentPageIndex(index);
        }
      }
      return answer;
    }
    case native::WM_SETFOCUS:
    case native::WM_KILLFOCUS: {
      const ZafEventType answer = ZafWindow::NativeEvent(event);
      // The shown tab marks whether the row holds the focus.
      if (ZafNotebookTab* tab = Tab(currentPageIndex); tab && message.hwnd == screenID) {
        tab->Event(ZafEventRecord(RedisplayEvent, 0));
      }
      return answer;
    }
    default:
      return ZafWindow::NativeEvent(event);
  }
}

void ZafNotebook::FocusTabs() {
  if (!screenID) {
    return;
  }
  ZafWindowObject* page = CurrentChild();
  if (page && page->Focus()) {
    // A page that lets go hands the native focus to its parent's window: the row.
    page->SetFocus(false);
  } else {
    ZafWindowObject::SetFocus(true);
  }
}

bool ZafNotebook::TabsFocused() const {
  return screenID && native::GetFocus() == screenID;
}

ZafEventType ZafNotebook::EditModeMouse(const ZafEventRecord& event) {
  const native::MSG& message = event.osEvent;
  native::POINT point{static_cast<int16_t>(native::LOWORD(message.lParam)),
                      static_cast<int16_t>(native::HIWORD(message.lParam))};
  // Non-client mouse messages carry screen positions, the others positions in their own window.
  const bool nonClient = message.message <= native::WM_NCMBUTTONDBLCLK;
  native::MapWindowPoints(nonClient ? nullptr : message.hwnd, screenID, &point, 1);
  if (TabAt(point.x, point.y) < 0 && !ArrowButtonAt(point.x, point.y)) {
    return ZafWindowObject::NativeEvent(event);
  }
  // The tabs and the arrow buttons still turn the pages of a notebook being edited.
  editMode = false;
  const ZafEventType answer = NativeEvent(event);
  editMode = true;
  return answer;
}

ZafEventType ZafNotebook::KeyDown(const ZafEventRecord& event) {
  switch (event.osEvent.wParam) {
    case native::VK_NEXT:
      SetCurrentPageIndex(currentPageIndex + 1);
      return 0;
    case native::VK_PRIOR:
      SetCurrentPageIndex(currentPageIndex - 1);
      return 0;
    default:
      return UnknownEventResult;
  }
}

int ZafNotebook::TabAt(int32_t x, int32_t y) const {
  for (int index = firstVisibleTab; ZafNotebookTab* tab = Tab(index); ++index) {
    if (Contains(tab->Region(), x, y)) {
      return index;
    }
  }
  return -1;
}

bool ZafNotebook::ArrowButtonAt(int32_t x, int32_t y) const {
  for (const ZafButton* button : {scrollBack, scrollForward}) {
    if (button && button->Visible() && Contains(button->Region(), x, y)) {
      return true;
    }
  }
  return false;
}

// ---- Pages ----

int32_t ZafNotebook::SetCurrentPageIndex(int32_t index) {
  const int count = PageCount();
  if (index == currentPageIndex || index < -1 || index >= count || (index == -1 && count > 0)) {
    return currentPageIndex;
  }
  if (ZafNotebookTab* old = Tab(currentPageIndex)) {
    old->SetSelected(false);
    if (screenID) {
      old->Event(ZafEventRecord(RedisplayEvent, 0));
      static_cast<ZafWindowObject*>(ZafList::Get(currentPageIndex))->Event(ZafEventRecord(DestroyEvent, 0));
    }
  }
  auto* page = static_cast<ZafWindowObject*>(ZafList::Get(index));
  SetCurrent(page);
  // Taken at once: the page's focus below asks the notebook to show it again.
  currentPageIndex = index;
  if (ZafNotebookTab* tab = Tab(index)) {
    tab->SetSelected(true);
    if (screenID) {
      const int32_t b = BorderWidth();
      const bool arrowsShown = scrollBack && scrollBack->Visible();
      // Each scroll moves the row by one tab; one that moves nothing ends the loop.
      for (int32_t before = firstVisibleTab;
           arrowsShown && scrollBack->Region().left < tab->Region().right && firstVisibleTab < count - 1;
           before = firstVisibleTab) {
        ScrollTabs(false);
        if (before == firstVisibleTab) {
          break;
        }
      }
      while (arrowsShown && tab->Region().left < b && firstVisibleTab > 0) {
        ScrollTabs(true);
      }
      tab->Event(ZafEventRecord(RedisplayEvent, 0));
    }
  }
  if (screenID && page) {
    page->Event(ZafEventRecord(CreateEvent, 0));
    if (focus) {
      page->SetFocus(true);
    }
  }
  Event(ZafEventRecord(PageChangedEvent, 0));
  return currentPageIndex;
}

// ---- Layout ----

void ZafNotebook::Relayout() {
  const ZafRegionStruct client = ClientRegion();
  for (ZafElement* element = ZafList::First(); element; element = element->Next()) {
    static_cast<ZafWindowObject*>(element)->SetRegion(client);
  }
  const int32_t b = BorderWidth();
  const int32_t h = RowHeight();
  const ZafRegionStruct area = region.Converted(ZAF_PIXEL, display);
  const int32_t width = area.right - area.left;
  if (display && screenID) {
    // Measured on the notebook's own device context in the font of its text palette.
    const native::HDC context = native::GetDC(screenID);
    const ZafRegionStruct drawArea{0, 0, width, area.bottom - area.top, ZAF_PIXEL};
    display->BeginDraw(context, screenID, drawArea, drawArea);
    display->SetPalette(LogicalPalette(ZAF_PM_TEXT, PaletteState()));
    int32_t x = b;
    for (ZafElement* element = support.First(); element; element = element->Next()) {
      auto* tab = static_cast<ZafNotebookTab*>(element);
      const ZafIChar* text = tab->Text();
      const ZafRegionStruct size =
          text && *text ? display->TextSize(text, -1) : ZafRegionStruct{0, 0, -1, -1};
      const int32_t tabSize = tabWidth > 0 ? tabWidth : size.right - size.left + 2 * display->cellWidth + 1;
      const int32_t left = x;
      x += tabSize;
      tab->SetRegion({left, b, x + kTabOverlap, b + h - 1, ZAF_PIXEL});
    }
    display->EndDraw();
    native::ReleaseDC(screenID, context);
  }
  if (ZafNotebookTab* first = Tab(firstVisibleTab); first && firstVisibleTab > 0) {
    // The row keeps its scroll: the first visible tab starts at the border, as after scrolling to it.
    const int32_t shift = first->Region().left - b;
    for (ZafElement* element = support.First(); element; element = element->Next()) {
      auto* tab = static_cast<ZafNotebookTab*>(element);
      ZafRegionStruct place = tab->Region();
      place.left -= shift;
      place.right -= shift;
      tab->SetRegion(place);
    }
  }
  auto* last = static_cast<ZafNotebookTab*>(support.Last());
  // While there is room for the tab before the first visible one, the row scrolls back.
  while (firstVisibleTab > 0 && last && scrollBack) {
    int32_t room = bordered ? width - 3 : width + 1;
    if (firstVisibleTab > 1) {
      room -= 2 * scrollBack->Region().Width();
    }
    const ZafRegionStruct before = Tab(firstVisibleTab - 1)->Region();
    if (room - last->Region().right - b < before.Width()) {
      break;
    }
    ScrollTabs(true);
  }
  if (scrollBack && scrollForward) {
    if (!last || (firstVisibleTab == 0 && last->Region().right - 2 < width + 1)) {
      scrollBack->SetVisible(false);
      scrollForward->SetVisible(false);
    } else {
      ZafEventRecord place(SetRegionEvent, 0);
      place.SetRegion(
          {width - b - kArrowSize, b + kArrowTop, width - b, b + kArrowTop + kArrowSize, ZAF_PIXEL});
      scrollForward->Event(place);
      place.SetRegion({width - b - kArrowSize - kArrowStep, b + kArrowTop, width - b - kArrowStep,
                       b + kArrowTop + kArrowSize, ZAF_PIXEL});
      scrollBack->Event(place);
      EnableArrowButtons();
      scrollBack->SetVisible(true);
      scrollForward->SetVisible(true);
    }
  }
  if (ZafWindowObject* shown = CurrentChild(); shown && screenID) {
    shown->Event(ZafEventRecord(FitEvent, 0));
    shown->UpdateNative();
  }
  if (screenID) {
    Event(ZafEventRecord(RedisplayEvent, 0));
  }
}

void ZafNotebook::ScrollTabs(bool back) {
  auto* last = static_cast<ZafNotebookTab*>(support.Last());
  const int32_t width = region.Converted(ZAF_PIXEL, display).Width() - 1;
  int32_t shift = 0;
  if (back && firstVisibleTab > 0) {
    --firstVisibleTab;
    const ZafRegionStruct now = Tab(firstVisibleTab)->Region();
    shift = now.right - now.left - kTabOverlap;
  } else if (!back && last && firstVisibleTab < PageCount() - 1 &&
             width - 2 * kArrowStep + 1 <= last->Region().right - 2) {
    shift = kTabOverlap + 1 - Tab(firstVisibleTab)->Region().Width();
    ++firstVisibleTab;
  }
  if (shift != 0) {
    for (ZafElement* element = support.First(); element; element = element->Next()) {
      auto* tab = static_cast<ZafNotebookTab*>(element);
      ZafRegionStruct place = tab->Region();
      place.left += shift;
      place.right += shift;
      tab->SetRegion(place);
    }
    if (screenID) {
      Event(ZafEventRecord(RedisplayEvent, 0));
    }
  }
  EnableArrowButtons();
}

void ZafNotebook::EnableArrowButtons() {
  auto* last = static_cast<ZafNotebookTab*>(support.Last());
  if (!scrollBack || !scrollForward) {
    return;
  }
  scrollBack->SetDisabled(firstVisibleTab == 0);
  scrollForward->SetDisabled(!last || scrollBack->Region().left >= last->Region().right);
}

// ---- Arrow buttons ----

ZafLong ZafNotebook::ArrowButtonFunction(ZafWindowObject* object, ZafEventRecord&, ZafLong code) {
  if (code != ChosenEvent || !object->Parent()) {
    return 0;
  }
  return object->Parent()->Event(ZafEventRecord(static_cast<ZafButton*>(object)->Value(), 0));
}

void ZafNotebook::MakeArrowButtons() {
  DeleteArrowButtons();
  const struct {
    ZafButton** button;
    const ZafIChar* text;
    ZafEventType code;
  } arrows[] = {{&scrollBack, u"<", TabsBackEvent}, {&scrollForward, u">", TabsForwardEvent}};
  for (const auto& arrow : arrows) {
    auto* button = new ZafButton(0, 0, 0, 0, arrow.text);
    button->SetNonCurrent(true);
    button->SetValue(static_cast<int32_t>(arrow.code));
    button->SetUserFunction(&ZafNotebook::ArrowButtonFunction);
    button->SetParent(this);
    button->Event(ZafEventRecord(PrepareEvent, 0));
    *arrow.button = button;
  }
  scrollBack->SetDisabled(firstVisibleTab == 0);
}

void ZafNotebook::DeleteArrowButtons() {
  for (ZafButton** button : {&scrollBack, &scrollForward}) {
    if (*button) {
      (*button)->Event(ZafEventRecord(DestroyEvent, 0));
      delete *button;
      *button = nullptr;
    }
  }
}
