#include "native/controls/combobox.h"

#include <algorithm>

#include "native/controls/controlconstants.h"
#include "native/controls/controllook.h"
#include "native/gdi/dcapi.h"
#include "native/gdi/drawapi.h"
#include "native/gdi/objectapi.h"
#include "native/user/classregistry.h"
#include "native/user/focusmanager.h"
#include "native/user/messageapi.h"
#include "native/user/nonclientlayout.h"
#include "native/user/paintapi.h"
#include "native/user/rects.h"
#include "native/user/styles.h"
#include "native/user/virtualkeys.h"
#include "native/user/windowapi.h"
#include "native/user/windowpos.h"

namespace native {

namespace {

// The ids the edit field and the list carry as children of the combo box.
constexpr int kEditId = 1001;
constexpr int kListId = 1000;

// CB_* messages that are the list's LB_* ones under another number.
struct Forwarded {
  UINT combo;
  UINT list;
};
constexpr Forwarded kForwarded[] = {
    {CB_ADDSTRING, LB_ADDSTRING},
    {CB_INSERTSTRING, LB_INSERTSTRING},
    {CB_DELETESTRING, LB_DELETESTRING},
    {CB_GETCOUNT, LB_GETCOUNT},
    {CB_GETLBTEXT, LB_GETTEXT},
    {CB_GETLBTEXTLEN, LB_GETTEXTLEN},
    {CB_SETITEMDATA, LB_SETITEMDATA},
    {CB_GETITEMDATA, LB_GETITEMDATA},
    {CB_FINDSTRINGEXACT, LB_FINDSTRINGEXACT},
    {CB_GETCURSEL, LB_GETCURSEL},
};

// Letters compare in either case: the upper case of the basic Latin and Latin-1 letters.
char16_t foldCase(char16_t character) {
  const bool lower = (character >= u'a' && character <= u'z') ||
                     (character >= 0xE0 && character <= 0xFE && character != 0xF7);
  return lower ? static_cast<char16_t>(character - 0x20) : character;
}

// The height of the frame around a window's client area, top and bottom together. It comes from the
// window's styles, not its present size: the list has no size before it first drops.
int frameHeight(HWND window) {
  constexpr RECT kAnySize{0, 0, 100, 100};
  auto style = static_cast<DWORD>(GetWindowLong(window, GWL_STYLE));
  auto exStyle = static_cast<DWORD>(GetWindowLong(window, GWL_EXSTYLE));
  const RECT client = NonClientLayout::compute(style, exStyle, kAnySize).client;
  return (kAnySize.bottom - kAnySize.top) - (client.bottom - client.top);
}

}  // namespace

ComboBox* ComboBox::of(HWND window) {
  return window != nullptr
             ? dynamic_cast<ComboBox*>(reinterpret_cast<ControlWindow*>(GetWindowLong(window, 0)))
             : nullptr;
}

DWORD ComboBox::type() const {
  DWORD kind = style() & CBS_TYPEMASK;
  return kind == 0 ? CBS_DROPDOWN : kind;  // no type bits: the usual drop-down
}

bool ComboBox::simple() const {
  return type() == CBS_SIMPLE;
}

bool ComboBox::ownerDrawn() const {
  return (style() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
}

bool ComboBox::keepsStrings() const {
  return !ownerDrawn() || (style() & CBS_HASSTRINGS) != 0;
}

LRESULT ComboBox::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      // WS_VSCROLL asks for a scroll bar on the list, not on the field.
      listScrolls_ = (style() & WS_VSCROLL) != 0;
      SetWindowLong(window(), GWL_STYLE, static_cast<LONG_PTR>(style() & ~(WS_VSCROLL | WS_HSCROLL)));
      return handleCommon(message, wParam, lParam);
    case WM_CREATE:
      create(*reinterpret_cast<const CREATESTRUCT*>(lParam));
      return 0;
    case WM_DESTROY:
      // An owner keeping track of the open list hears that it closed. The list is a pop-up, not a child:
      // it goes with the combo box all the same.
      closeUp(false);
      if (!simple() && IsWindow(list_) != FALSE) {
        DestroyWindow(list_);
      }
      list_ = nullptr;
      return 0;
    case WM_WINDOWPOSCHANGING:
      if (auto* position = reinterpret_cast<WINDOWPOS*>(lParam)) {
        limitHeight(*position);
      }
      return 0;
    case WM_SIZE:
      layoutChildren();
      return 0;
    case WM_SETFONT:
      setFont(reinterpret_cast<HFONT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)) != 0);
      return 0;
    case WM_ENABLE:
      if (edit_ != nullptr) {
        EnableWindow(edit_, static_cast<BOOL>(wParam));
      }
      return handleCommon(message, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      press(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (keyDown(static_cast<UINT>(wParam), message == WM_SYSKEYDOWN)) {
        return 0;
      }
      return handleCommon(message, wParam, lParam);
    case WM_CHAR:
      if (edit_ == nullptr && wParam >= u' ') {
        typeAhead(static_cast<char16_t>(wParam));
        return 0;
      }
      return handleCommon(message, wParam, lParam);
    case WM_SETFOCUS:
      if (edit_ != nullptr) {
        SetFocus(edit_);  // the edit field tells the gain (EN_SETFOCUS)
        // The whole field is selected, ready to be typed over.
        SendMessage(edit_, EM_SETSEL, 0, -1);
      } else {
        invalidate();
        notifyParent(CBN_SETFOCUS);
      }
      return 0;
    case WM_KILLFOCUS:
      if (edit_ == nullptr) {
        closeUp(false);
        invalidate();
        notifyParent(CBN_KILLFOCUS);
      }
      return 0;
    case WM_COMMAND:
      if (edit_ != nullptr && reinterpret_cast<HWND>(lParam) == edit_) {
        childCommand(HIWORD(wParam));
      }
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      // The parts ask the combo box, which asks its own parent on their behalf.
      return reinterpret_cast<LRESULT>(
          ControlLook::askColors(window(), reinterpret_cast<HDC>(wParam), message));
    default:
      return handleComboMessage(message, wParam, lParam);
  }
}

LRESULT ComboBox::handleComboMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  for (const Forwarded& pair : kForwarded) {
    if (pair.combo == message) {
      LRESULT result = SendMessage(list_, pair.list, wParam, lParam);
      if (message == CB_DELETESTRING) {
        invalidate();  // the field may have shown the entry deleted
      }
      return result;
    }
  }
  switch (message) {
    case CB_RESETCONTENT:
      SendMessage(list_, LB_RESETCONTENT, 0, 0);
      showSelectionInField();
      return CB_OKAY;
    case CB_SETCURSEL: {
      int index = static_cast<int>(static_cast<LONG_PTR>(wParam));
      select(index, false);
      return current() == index && index >= 0 ? index : CB_ERR;
    }
    case CB_SHOWDROPDOWN:
      if (wParam != 0) {
        dropDown();
      } else {
        closeUp(false);
      }
      return TRUE;
    case CB_GETDROPPEDSTATE:
      return dropped_ ? TRUE : FALSE;
    case CB_LIMITTEXT:
      if (edit_ == nullptr) {
        return CB_ERR;
      }
      SendMessage(edit_, EM_LIMITTEXT, wParam, 0);
      return TRUE;
    case CB_SETEDITSEL:
      if (edit_ == nullptr) {
        return CB_ERR;
      }
      // Signed 16-bit halves: -1 as the end selects to the end of the text.
      SendMessage(edit_, EM_SETSEL, static_cast<WPARAM>(static_cast<SHORT>(LOWORD(lParam))),
                  static_cast<LPARAM>(static_cast<SHORT>(HIWORD(lParam))));
      return TRUE;
    case CB_GETEDITSEL:
      return edit_ == nullptr ? CB_ERR : SendMessage(edit_, EM_GETSEL, wParam, lParam);
    default:
      return handleTextMessage(message, wParam, lParam);
  }
}

LRESULT ComboBox::handleTextMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT:
      if (edit_ != nullptr) {
        settingText_ = true;
        LRESULT result = SendMessage(edit_, message, wParam, lParam);
        settingText_ = false;
        return result;
      } else {
        // A field without an edit shows entries only: the text chooses the entry it names.
        int index = static_cast<int>(SendMessage(list_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), lParam));
        if (index < 0) {
          return CB_ERR;
        }
        select(index, false);
        return TRUE;
      }
    case WM_GETTEXT: {
      if (edit_ != nullptr) {
        return SendMessage(edit_, message, wParam, lParam);
      }
      auto* buffer = reinterpret_cast<WCHAR*>(lParam);
      if (buffer == nullptr || wParam == 0) {
        return 0;
      }
      std::u16string text = entryText(current());
      std::size_t copied = std::min(text.size(), static_cast<std::size_t>(wParam) - 1);
      std::copy_n(text.begin(), copied, buffer);
      buffer[copied] = u'\0';
      return static_cast<LRESULT>(copied);
    }
    case WM_GETTEXTLENGTH:
      if (edit_ != nullptr) {
        return SendMessage(edit_, message, wParam, lParam);
      }
      return static_cast<LRESULT>(entryText(current()).size());
    default:
      return handleCommon(message, wParam, lParam);
  }
}

void ComboBox::create(const CREATESTRUCT& create) {
  fieldHeight_ = ControlLook::lineHeight(window(), font()) + 2 * kFieldPadding;
  if (ownerDrawn()) {
    fieldHeightFromOwner();
  }
  // The edit field is made first: it is the first child window.
  if (type() != CBS_DROPDOWNLIST) {
    createEdit(create.lpszName);
  }
  createList();
  if (simple()) {
    layoutChildren();
    return;
  }
  listHeight_ = std::max(create.cy - frameHeight(window()) - fieldHeight_, 0);
  SetWindowPos(window(), nullptr, 0, 0, create.cx, create.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ComboBox::createEdit(LPCWSTR text) {
  DWORD editStyle = WS_CHILD | WS_VISIBLE | ((style() & CBS_AUTOHSCROLL) != 0 ? ES_AUTOHSCROLL : 0);
  edit_ = CreateWindowEx(0, kComboEditClass, text != nullptr ? text : u"", editStyle, 0, 0, 0, 0, window(),
                         reinterpret_cast<HMENU>(static_cast<std::intptr_t>(kEditId)), nullptr, nullptr);
}

void ComboBox::createList() {
  DWORD listStyle = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_BORDER |
                    (style() & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) |
                    (listScrolls_ ? WS_VSCROLL : 0) | ((style() & CBS_HASSTRINGS) != 0 ? LBS_HASSTRINGS : 0) |
                    ((style() & CBS_SORT) != 0 ? LBS_SORT : 0);
  DWORD exStyle = 0;
  if (simple()) {
    listStyle |= WS_CHILD | WS_VISIBLE;
  } else {
    listStyle |= WS_POPUP;
    exStyle = WS_EX_TOPMOST;
  }
  list_ = CreateWindowEx(exStyle, kComboListClass, u"", listStyle, 0, 0, 0, 0, window(),
                         simple() ? reinterpret_cast<HMENU>(static_cast<std::intptr_t>(kListId)) : nullptr,
                         nullptr, window());
  if (font() != nullptr) {
    SendMessage(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
  }
}

// An owner-drawn field is as high as the owner says its items are (item -1).
void ComboBox::fieldHeightFromOwner() {
  HWND parent = GetParent(window());
  auto id = static_cast<UINT>(GetWindowLong(window(), GWL_ID));
  MEASUREITEMSTRUCT measure{
      ODT_COMBOBOX, id, static_cast<UINT>(-1), 0, static_cast<UINT>(fieldHeight_ - 2 * kFieldPadding), 0};
  SendMessage(parent, WM_MEASUREITEM, id, reinterpret_cast<LPARAM>(&measure));
  fieldHeight_ = std::clamp(static_cast<int>(measure.itemHeight), 1, 255) + 2 * kFieldPadding;
}

// A drop-down combo box keeps the field's height; what a caller gives beyond it is the list's.
void ComboBox::limitHeight(WINDOWPOS& position) {
  if (simple() || fieldHeight_ == 0 || (position.flags & SWP_NOSIZE) != 0) {
    return;
  }
  int wanted = fieldHeight_ + frameHeight(window());
  if (position.cy > wanted) {
    listHeight_ = position.cy - wanted;
  }
  position.cy = wanted;
}

void ComboBox::layoutChildren() {
  RECT field = fieldRect();
  if (edit_ != nullptr) {
    MoveWindow(edit_, field.left + kFieldPadding, field.top + kFieldPadding,
               std::max<int>(field.right - field.left - 2 * kFieldPadding, 0),
               std::max(fieldHeight_ - 2 * kFieldPadding, 0), TRUE);
  }
  if (simple() && list_ != nullptr) {
    RECT client = clientRect();
    MoveWindow(list_, 0, fieldHeight_, client.right, std::max<int>(client.bottom - fieldHeight_, 0), TRUE);
  }
}

void ComboBox::setFont(HFONT font, bool redraw) {
  handleCommon(WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(redraw ? 1 : 0, 0));
  for (HWND part : {edit_, list_}) {
    if (part != nullptr) {
      SendMessage(part, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw ? TRUE : FALSE);
    }
  }
  if (ownerDrawn()) {
    return;
  }
  fieldHeight_ = ControlLook::lineHeight(window(), font) + 2 * kFieldPadding;
  if (!simple()) {
    RECT outer{};
    GetWindowRect(window(), &outer);
    SetWindowPos(window(), nullptr, 0, 0, outer.right - outer.left, fieldHeight_ + frameHeight(window()),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  layoutChildren();
}

// The selection.

int ComboBox::current() const {
  return static_cast<int>(SendMessage(list_, LB_GETCURSEL, 0, 0));
}

void ComboBox::select(int index, bool byUser) {
  int before = current();
  SendMessage(list_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  showSelectionInField();
  if (byUser && current() != before) {
    notifyParent(CBN_SELCHANGE);
  }
}

void ComboBox::showSelectionInField() {
  if (edit_ != nullptr) {
    std::u16string text = entryText(current());
    settingText_ = true;
    SendMessage(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    settingText_ = false;
    SendMessage(edit_, EM_SETSEL, 0, -1);
  }
  invalidate();
}

std::u16string ComboBox::entryText(int index) const {
  if (!keepsStrings() || index < 0) {
    return {};
  }
  LRESULT length = SendMessage(list_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) {
    return {};
  }
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  text.resize(static_cast<std::size_t>(
      SendMessage(list_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

void ComboBox::listChose(int index) {
  if (simple()) {
    select(index, true);
    return;
  }
  // The choice stands before the list closes, so the owner finds it at CBN_SELENDOK; the change is told
  // once the list is gone.
  int before = current();
  SendMessage(list_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  closeUp(true);
  showSelectionInField();
  if (current() != before) {
    notifyParent(CBN_SELCHANGE);
  }
}

// The drop-down list.

void ComboBox::dropDown() {
  if (dropped_ || simple() || list_ == nullptr) {
    return;
  }
  notifyParent(CBN_DROPDOWN);
  RECT outer{};
  GetWindowRect(window(), &outer);
  int itemHeight = static_cast<int>(SendMessage(list_, LB_GETITEMHEIGHT, 0, 0));
  int count = static_cast<int>(SendMessage(list_, LB_GETCOUNT, 0, 0));
  int border = frameHeight(list_);
  // Whole entries only, as many as the height asked for holds (at least one, no more than there are);
  // entries of their own heights take the height as asked.
  int height = std::max(listHeight_, itemHeight + border);
  if ((style() & CBS_OWNERDRAWVARIABLE) == 0 && itemHeight > 0) {
    int rows = std::clamp((listHeight_ - border) / itemHeight, 1, std::max(count, 1));
    height = rows * itemHeight + border;
  }
  SetWindowPos(list_, HWND_TOPMOST, outer.left, outer.bottom, outer.right - outer.left, height,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  // From the top, as far down as the choice needs.
  SendMessage(list_, LB_SETTOPINDEX, 0, 0);
  SendMessage(list_, LB_SETCURSEL, static_cast<WPARAM>(current()), 0);
  dropped_ = true;
  SetCapture(list_);
  invalidate();
}

void ComboBox::closeUp(bool chosen) {
  if (!dropped_) {
    return;
  }
  dropped_ = false;
  if (GetCapture() == list_) {
    ReleaseCapture();
  }
  ShowWindow(list_, SW_HIDE);
  invalidate();
  if (chosen) {
    notifyParent(CBN_SELENDOK);
  }
  notifyParent(CBN_CLOSEUP);
}

void ComboBox::toggle() {
  if (dropped_) {
    closeUp(true);
  } else {
    dropDown();
  }
}

void ComboBox::press(POINT point) {
  HWND focusTarget = edit_ != nullptr ? edit_ : window();
  if (GetFocus() != focusTarget) {
    SetFocus(focusTarget);
  }
  RECT button = buttonRect();
  if (!simple() && (type() == CBS_DROPDOWNLIST || PtInRect(&button, point) != FALSE)) {
    toggle();
  }
}

bool ComboBox::keyDown(UINT key, bool alt) {
  bool toggles = alt ? (key == VK_DOWN || key == VK_UP) : key == VK_F4;
  if (toggles) {
    if (!simple()) {
      toggle();
    }
    return true;
  }
  if (alt) {
    return false;
  }
  int count = static_cast<int>(SendMessage(list_, LB_GETCOUNT, 0, 0));
  switch (key) {
    case VK_UP:
    case VK_DOWN: {
      if (count > 0) {
        int step = key == VK_DOWN ? 1 : -1;
        int from = current();
        select(from < 0 ? 0 : std::clamp(from + step, 0, count - 1), true);
      }
      return true;
    }
    case VK_RETURN:
    case VK_ESCAPE:
      if (!dropped_) {
        return false;
      }
      closeUp(key == VK_RETURN);
      return true;
    default:
      return false;
  }
}

int ComboBox::entryStartingWith(std::u16string_view prefix, int from) const {
  int count = static_cast<int>(SendMessage(list_, LB_GETCOUNT, 0, 0));
  for (int step = 0; step < count && !prefix.empty(); ++step) {
    int index = (std::max(from, 0) + step) % count;
    std::u16string text = entryText(index);
    if (text.size() >= prefix.size() &&
        std::equal(prefix.begin(), prefix.end(), text.begin(),
                   [](char16_t a, char16_t b) { return foldCase(a) == foldCase(b); })) {
      return index;
    }
  }
  return -1;
}

void ComboBox::typeAhead(char16_t character) {
  int found = entryStartingWith(std::u16string_view(&character, 1), current() + 1);
  if (found >= 0) {
    select(found, true);
  }
}

// The open list follows what is typed into the edit field, without changing the field.
void ComboBox::markTypedEntry() {
  if (!dropped_) {
    return;
  }
  LRESULT length = SendMessage(edit_, WM_GETTEXTLENGTH, 0, 0);
  std::u16string typed(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, u'\0');
  typed.resize(static_cast<std::size_t>(
      SendMessage(edit_, WM_GETTEXT, typed.size(), reinterpret_cast<LPARAM>(typed.data()))));
  int found = entryStartingWith(typed, 0);
  if (found >= 0) {
    SendMessage(list_, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
  }
}

void ComboBox::childCommand(WORD code) {
  switch (code) {
    case EN_CHANGE:
      if (!settingText_) {
        markTypedEntry();
        notifyParent(CBN_EDITCHANGE);
      }
      break;
    case EN_SETFOCUS:
      notifyParent(CBN_SETFOCUS);
      break;
    case EN_KILLFOCUS:
      closeUp(false);
      notifyParent(CBN_KILLFOCUS);
      break;
    default:
      break;
  }
}

// Painting.

RECT ComboBox::fieldRect() const {
  RECT client = clientRect();
  int right = simple() ? client.right : std::max<int>(client.right - kButtonWidth, 0);
  return RECT{0, 0, right, fieldHeight_};
}

RECT ComboBox::buttonRect() const {
  RECT client = clientRect();
  return simple() ? RECT{}
                  : RECT{std::max<int>(client.right - kButtonWidth, 0), 0, client.right, fieldHeight_};
}

void ComboBox::paint(HDC dc) {
  HGDIOBJ previousFont = SelectObject(dc, ControlLook::fontOrDefault(font()));
  RECT field = fieldRect();
  FillRect(dc, &field, ControlLook::askColors(window(), dc, WM_CTLCOLOREDIT));
  if (type() == CBS_DROPDOWNLIST) {
    RECT inner = field;
    InflateRect(&inner, -kFieldPadding + 1, -kFieldPadding + 1);
    if (ownerDrawn()) {
      drawFieldByOwner(dc, inner);
    } else {
      ControlLook::listItem(dc, inner, entryText(current()), focused(), enabled());
      if (focused()) {
        ControlLook::focusMark(dc, inner);
      }
    }
  }
  if (!simple()) {
    ControlLook::dropButton(dc, buttonRect(), dropped_, enabled());
  }
  SelectObject(dc, previousFont);
}

void ComboBox::drawFieldByOwner(HDC dc, const RECT& field) {
  HWND parent = GetParent(window());
  if (parent == nullptr) {
    return;
  }
  int index = current();
  UINT state = ODS_COMBOBOXEDIT | (focused() ? ODS_SELECTED | ODS_FOCUS : 0) | (enabled() ? 0 : ODS_DISABLED);
  auto data = index >= 0
                  ? static_cast<ULONG_PTR>(SendMessage(list_, LB_GETITEMDATA, static_cast<WPARAM>(index), 0))
                  : ULONG_PTR{0};
  DRAWITEMSTRUCT draw{ODT_COMBOBOX,
                      static_cast<UINT>(GetWindowLong(window(), GWL_ID)),
                      static_cast<UINT>(index),
                      ODA_DRAWENTIRE,
                      state,
                      window(),
                      dc,
                      field,
                      data};
  int saved = SaveDC(dc);
  SendMessage(parent, WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
  RestoreDC(dc, saved);
}

}  // namespace native
