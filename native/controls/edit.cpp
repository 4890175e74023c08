#include "native/controls/edit.h"

#include <algorithm>
#include <limits>

#include "native/controls/controlconstants.h"
#include "native/controls/controllook.h"
#include "native/gdi/dcapi.h"
#include "native/gdi/drawapi.h"
#include "native/gdi/objectapi.h"
#include "native/gdi/textapi.h"
#include "native/user/caret.h"
#include "native/user/clipboard.h"
#include "native/user/cursortable.h"
#include "native/user/focusmanager.h"
#include "native/user/keyboard.h"
#include "native/user/messageapi.h"
#include "native/user/metrics.h"
#include "native/user/paintapi.h"
#include "native/user/scrollbarapi.h"
#include "native/user/styles.h"
#include "native/user/sysinfo.h"
#include "native/user/virtualkeys.h"
#include "native/user/windowapi.h"

namespace native {

namespace {

// Inside a border the text keeps this far from the client area's left and right edges and from its top, in
// pixels. A borderless edit shows its text at its client's top left, where a label or a cell shows its own,
// so the text does not move when such a field opens over it.
constexpr int kSideMargin = 2;
constexpr int kTopMargin = 1;
// The caret is a bar this many pixels wide.
constexpr int kCaretWidth = 1;
// A horizontal scroll line, in pixels.
constexpr int kScrollLinePixels = 8;
// What a password field shows for each character.
constexpr char16_t kMaskCharacter = u'*';
// Text handed in by pointer is read up to its terminator, but never further than this.
constexpr std::size_t kMaxPointerText = EditBuffer::kMaxLimit;

// The control characters Ctrl gives with letters.
constexpr char16_t kCtrlA = 0x01;
constexpr char16_t kCtrlC = 0x03;
constexpr char16_t kCtrlV = 0x16;
constexpr char16_t kCtrlX = 0x18;
constexpr char16_t kBackspace = 0x08;
constexpr char16_t kDelete = 0x7F;

bool keyHeld(UINT key) {
  return GetKeyState(static_cast<int>(key)) < 0;
}

std::u16string boundedText(LPCWSTR text) {
  std::u16string result;
  if (text == nullptr) {
    return result;
  }
  for (std::size_t i = 0; i < kMaxPointerText && text[i] != 0; ++i) {
    result.push_back(text[i]);
  }
  return result;
}

// Case folding for ES_UPPERCASE and ES_LOWERCASE: ASCII and the Latin-1 letters.
char16_t toUpper(char16_t c) {
  if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
    return static_cast<char16_t>(c - 0x20);
  }
  return c;
}

char16_t toLower(char16_t c) {
  if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
    return static_cast<char16_t>(c + 0x20);
  }
  return c;
}

std::size_t asPosition(long long value, std::size_t size) {
  return value < 0 ? size
                   : static_cast<std::size_t>(std::min<long long>(value, static_cast<long long>(size)));
}

}  // namespace

Edit::Edit(HWND window)
    : ControlWindow(window),
      measureDc_(CreateCompatibleDC(nullptr)),
      buffer_((GetWindowLong(window, GWL_STYLE) & ES_MULTILINE) != 0) {
  measureFont();
}

Edit::~Edit() {
  DeleteDC(measureDc_);
}

bool Edit::multiline() const {
  return (style() & ES_MULTILINE) != 0;
}

bool Edit::readOnly() const {
  return (style() & ES_READONLY) != 0;
}

bool Edit::wraps() const {
  return multiline() && (style() & (ES_AUTOHSCROLL | WS_HSCROLL)) == 0;
}

bool Edit::masked() const {
  return !multiline() && (style() & ES_PASSWORD) != 0;
}

LRESULT Edit::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      LRESULT result = DefWindowProc(window(), message, wParam, lParam);
      buffer_.setText(text());
      relayout();
      return result;
    }
    case WM_SETTEXT:
      return setText(lParam);
    case WM_SETFONT:
      handleCommon(message, wParam, lParam);
      fontChanged();
      return 0;
    case WM_SIZE:
      relayout();
      scrollCaretIntoView();
      return 0;
    case WM_CHAR:
      character(static_cast<char16_t>(wParam));
      return 0;
    case WM_KEYDOWN:
      keyDown(static_cast<UINT>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
      press(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, (wParam & MK_SHIFT) != 0);
      return 0;
    case WM_LBUTTONDBLCLK:
      selectWord(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_MOUSEMOVE:
      drag(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONUP:
      release();
      return 0;
    case WM_CAPTURECHANGED:
      selecting_ = false;
      return 0;
    case WM_SETFOCUS:
      setFocusShown(true);
      return 0;
    case WM_KILLFOCUS:
      setFocusShown(false);
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
      scroll(message == WM_VSCROLL, LOWORD(wParam));
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(static_cast<std::uintptr_t>(lParam)) == HTCLIENT) {
        SetCursor(LoadCursor(nullptr, IDC_IBEAM));
        return TRUE;
      }
      return handleCommon(message, wParam, lParam);
    case WM_CUT:
      cut();
      return 0;
    case WM_COPY:
      copy();
      return 0;
    case WM_PASTE:
      paste();
      return 0;
    case WM_CLEAR:
      clear();
      return 0;
    default:
      return handleEditMessage(message, wParam, lParam);
  }
}

LRESULT Edit::handleEditMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // Index parameters are signed: -1 names the caret's line or the selection.
  auto signedWord = static_cast<long long>(static_cast<std::intptr_t>(wParam));
  switch (message) {
    case EM_GETSEL:
      return getSelection(wParam, lParam);
    case EM_SETSEL:
      setSelection(signedWord, static_cast<long long>(lParam));
      return 0;
    case EM_REPLACESEL:
      insert(boundedText(reinterpret_cast<LPCWSTR>(lParam)));
      return 0;
    case EM_SCROLLCARET:
      scrollCaretIntoView();
      return TRUE;
    case EM_GETLINECOUNT:
      return static_cast<LRESULT>(layout_.lineCount());
    case EM_LINEINDEX:
      return lineIndex(signedWord);
    case EM_LINELENGTH:
      return lineLength(signedWord);
    case EM_LINEFROMCHAR:
      return lineFromChar(signedWord);
    case EM_SETREADONLY:
      SetWindowLong(window(), GWL_STYLE,
                    static_cast<LONG_PTR>(wParam != 0 ? style() | ES_READONLY : style() & ~ES_READONLY));
      invalidate();
      return TRUE;
    case EM_GETMODIFY:
      return buffer_.modified() ? TRUE : FALSE;
    case EM_SETMODIFY:
      buffer_.setModified(wParam != 0);
      return 0;
    case EM_LIMITTEXT:
      buffer_.setLimit(wParam);
      return 0;
    case EM_GETLIMITTEXT:
      return static_cast<LRESULT>(buffer_.limit());
    default:
      return handleCommon(message, wParam, lParam);
  }
}

LRESULT Edit::setText(LPARAM text) {
  DefWindowProc(window(), WM_SETTEXT, 0, text);
  buffer_.setText(this->text());
  buffer_.setModified(false);
  firstLine_ = 0;
  scrollX_ = 0;
  textChanged();
  return TRUE;
}

LRESULT Edit::getSelection(WPARAM start, LPARAM end) const {
  if (auto* startOut = reinterpret_cast<DWORD*>(start)) {
    *startOut = static_cast<DWORD>(buffer_.selectionStart());
  }
  if (auto* endOut = reinterpret_cast<DWORD*>(end)) {
    *endOut = static_cast<DWORD>(buffer_.selectionEnd());
  }
  return MAKELRESULT(std::min<std::size_t>(buffer_.selectionStart(), 0xFFFF),
                     std::min<std::size_t>(buffer_.selectionEnd(), 0xFFFF));
}

void Edit::setSelection(long long start, long long end) {
  if (start == -1) {
    buffer_.select(buffer_.caret(), buffer_.caret());  // -1 removes the selection, the caret stays
  } else {
    buffer_.select(asPosition(start, buffer_.size()), asPosition(end, buffer_.size()));
  }
  scrollCaretIntoView();
  invalidate();
}

LRESULT Edit::lineIndex(long long line) const {
  if (line < 0) {
    line = static_cast<long long>(layout_.lineOf(buffer_.caret()));
  }
  if (static_cast<unsigned long long>(line) >= layout_.lineCount()) {
    return -1;
  }
  return static_cast<LRESULT>(layout_.line(static_cast<std::size_t>(line)).start);
}

LRESULT Edit::lineLength(long long position) const {
  if (position >= 0) {
    return static_cast<LRESULT>(layout_.line(layout_.lineOf(asPosition(position, buffer_.size()))).length);
  }
  // -1: what of the lines the selection touches lies outside the selection.
  const EditLine& first = layout_.line(layout_.lineOf(buffer_.selectionStart()));
  const EditLine& last = layout_.line(layout_.lineOf(buffer_.selectionEnd()));
  std::size_t before = buffer_.selectionStart() - first.start;
  std::size_t after = last.start + last.length - std::min(buffer_.selectionEnd(), last.start + last.length);
  return static_cast<LRESULT>(before + after);
}

LRESULT Edit::lineFromChar(long long position) const {
  std::size_t at = position < 0 ? buffer_.selectionStart() : asPosition(position, buffer_.size());
  return static_cast<LRESULT>(layout_.lineOf(at));
}

void Edit::insert(std::u16string_view text) {
  std::u16string converted(text);
  if ((style() & ES_UPPERCASE) != 0) {
    std::transform(converted.begin(), converted.end(), converted.begin(), toUpper);
  } else if ((style() & ES_LOWERCASE) != 0) {
    std::transform(converted.begin(), converted.end(), converted.begin(), toLower);
  }
  EditBuffer::Change change = buffer_.replaceSelection(converted);
  if (change.truncated) {
    notifyParent(EN_MAXTEXT);
  }
  if (change.changed) {
    textChanged();
  }
}

void Edit::textChanged() {
  // The window's text follows, so that everything reading it (default processing, the caption of a
  // snapshot, the test driver) sees what the control holds.
  DefWindowProc(window(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(buffer_.text().c_str()));
  relayout();
  scrollCaretIntoView();
  invalidate();
  notifyParent(EN_CHANGE);
}

void Edit::copy() const {
  // A password never leaves its field.
  if (masked() || !buffer_.hasSelection() || OpenClipboard(window()) == FALSE) {
    return;
  }
  std::u16string selected = buffer_.selectedText();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (selected.size() + 1) * sizeof(char16_t));
  if (auto* bytes = static_cast<char16_t*>(GlobalLock(block))) {
    std::copy(selected.begin(), selected.end(), bytes);
    bytes[selected.size()] = 0;
    GlobalUnlock(block);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, block);
  } else {
    GlobalFree(block);
  }
  CloseClipboard();
}

void Edit::cut() {
  if (masked() || readOnly()) {
    return;
  }
  copy();
  clear();
}

void Edit::paste() {
  if (readOnly() || OpenClipboard(window()) == FALSE) {
    return;
  }
  std::u16string pasted;
  HGLOBAL block = GetClipboardData(CF_UNICODETEXT);
  if (const auto* bytes = static_cast<const char16_t*>(GlobalLock(block))) {
    std::size_t count = GlobalSize(block) / sizeof(char16_t);
    pasted.assign(bytes, std::find(bytes, bytes + count, u'\0'));
    GlobalUnlock(block);
  }
  CloseClipboard();
  if (!pasted.empty()) {
    insert(pasted);
  }
}

void Edit::clear() {
  if (readOnly() || !buffer_.hasSelection()) {
    return;
  }
  if (buffer_.replaceSelection(u"").changed) {
    textChanged();
  }
}

void Edit::keyDown(UINT key) {
  bool shift = keyHeld(VK_SHIFT);
  bool control = keyHeld(VK_CONTROL);
  std::size_t caret = buffer_.caret();
  std::size_t line = layout_.lineOf(caret);
  // Without Shift, Left and Right first collapse a selection to its near end.
  bool collapse = buffer_.hasSelection() && !shift && !control;
  switch (key) {
    case VK_LEFT:
      moveCaretTo(control    ? buffer_.wordStartBefore(caret)
                  : collapse ? buffer_.selectionStart()
                             : buffer_.previousPosition(caret),
                  shift);
      break;
    case VK_RIGHT:
      moveCaretTo(control    ? buffer_.wordStartAfter(caret)
                  : collapse ? buffer_.selectionEnd()
                             : buffer_.nextPosition(caret),
                  shift);
      break;
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
      if (!multiline()) {
        if (key == VK_UP || key == VK_DOWN) {
          moveCaretTo(key == VK_UP ? buffer_.previousPosition(caret) : buffer_.nextPosition(caret), shift);
        }
        break;
      }
      long long step = (key == VK_UP || key == VK_DOWN) ? 1 : visibleLines();
      long long target = static_cast<long long>(line) + ((key == VK_UP || key == VK_PRIOR) ? -step : step);
      target = std::clamp<long long>(target, 0, static_cast<long long>(layout_.lineCount()) - 1);
      moveCaretTo(positionInLine(layout_.line(static_cast<std::size_t>(target)), pointOf(caret).x), shift);
      break;
    }
    case VK_HOME:
      moveCaretTo(control || !multiline() ? 0 : layout_.line(line).start, shift);
      break;
    case VK_END:
      moveCaretTo(control || !multiline() ? buffer_.size() : lineEnd(line), shift);
      break;
    case VK_DELETE:
      if (shift) {
        cut();
      } else if (!readOnly() && buffer_.eraseForward()) {
        textChanged();
      }
      break;
    case VK_INSERT:
      if (control) {
        copy();
      } else if (shift) {
        paste();
      }
      break;
    default:
      break;
  }
}

// The end of a line that wrapped is the start of the next; End stops before the space it wrapped at instead,
// so the caret stays on the line.
std::size_t Edit::lineEnd(std::size_t index) const {
  const EditLine& line = layout_.line(index);
  std::size_t end = line.start + line.length;
  bool wrapped = index + 1 < layout_.lineCount() && layout_.line(index + 1).start == end;
  return wrapped && line.length > 0 ? end - 1 : end;
}

void Edit::character(char16_t c) {
  switch (c) {
    case kCtrlA:
      buffer_.select(0, buffer_.size());
      invalidate();
      return;
    case kCtrlC:
      copy();
      return;
    case kCtrlV:
      paste();
      return;
    case kCtrlX:
      cut();
      return;
    default:
      break;
  }
  if (readOnly()) {
    MessageBeep(0);
    return;
  }
  if (c == kBackspace) {
    if (buffer_.eraseBackward()) {
      textChanged();
    }
  } else if (c == u'\r' || c == u'\t') {
    // A return starts a new line and a tab is typed only where there are lines; a one-line field leaves
    // them to the dialog around it.
    if (multiline()) {
      insert(c == u'\r' ? u"\r\n" : u"\t");
    }
  } else if (c >= u' ' && c != kDelete) {
    insert(std::u16string_view(&c, 1));
  }
}

void Edit::moveCaretTo(std::size_t position, bool extend) {
  buffer_.moveCaret(position, extend);
  scrollCaretIntoView();
  invalidate();
}

void Edit::press(POINT point, bool extend) {
  SetFocus(window());
  SetCapture(window());
  selecting_ = true;
  moveCaretTo(positionAt(point), extend);
}

void Edit::drag(POINT point) {
  if (selecting_) {
    moveCaretTo(positionAt(point), true);
  }
}

void Edit::release() {
  if (selecting_) {
    selecting_ = false;
    ReleaseCapture();
  }
}

void Edit::selectWord(POINT point) {
  auto [start, end] = buffer_.wordAround(positionAt(point));
  buffer_.select(start, end);
  scrollCaretIntoView();
  invalidate();
}

void Edit::scroll(bool vertical, WORD code) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(window(), vertical ? SB_VERT : SB_HORZ, &info);
  long long line = vertical ? 1 : kScrollLinePixels;
  long long page = vertical ? visibleLines() : formatRect().right - formatRect().left;
  long long position = vertical ? static_cast<long long>(firstLine_) : scrollX_;
  switch (code) {
    case SB_LINEUP:
      position -= line;
      break;
    case SB_LINEDOWN:
      position += line;
      break;
    case SB_PAGEUP:
      position -= page;
      break;
    case SB_PAGEDOWN:
      position += page;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      position = info.nTrackPos;
      break;
    case SB_TOP:
      position = 0;
      break;
    case SB_BOTTOM:
      position = std::numeric_limits<int>::max();
      break;
    default:
      return;
  }
  if (vertical) {
    long long last = std::max<long long>(0, static_cast<long long>(layout_.lineCount()) - visibleLines());
    firstLine_ = static_cast<std::size_t>(std::clamp<long long>(position, 0, last));
  } else {
    long long last = std::max<long long>(0, widestLine_ - page + kCaretWidth);
    scrollX_ = static_cast<int>(std::clamp<long long>(position, 0, last));
  }
  updateScrollBars();
  updateCaret();
  invalidate();
}

void Edit::setFocusShown(bool focused) {
  if (focused) {
    CreateCaret(window(), nullptr, kCaretWidth, lineHeight_);
    updateCaret();
    ShowCaret(window());
  } else {
    DestroyCaret();
  }
  invalidate();
  notifyParent(focused ? EN_SETFOCUS : EN_KILLFOCUS);
}

RECT Edit::formatRect() const {
  RECT client = clientRect();
  const bool bordered = (style() & WS_BORDER) != 0 ||
                        (static_cast<DWORD>(GetWindowLong(window(), GWL_EXSTYLE)) & WS_EX_CLIENTEDGE) != 0;
  const int side = bordered ? kSideMargin : 0;
  const int top = bordered ? kTopMargin : 0;
  return RECT{client.left + side, client.top + top, std::max(client.left + side, client.right - side),
              client.bottom};
}

int Edit::visibleLines() const {
  RECT format = formatRect();
  return std::max(1, static_cast<int>(format.bottom - format.top) / std::max(1, lineHeight_));
}

int Edit::measure(std::u16string_view text) const {
  SIZE size{};
  GetTextExtentPoint32(measureDc_, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

std::u16string Edit::shownText(const EditLine& line) const {
  if (masked()) {
    return std::u16string(line.length, kMaskCharacter);
  }
  return buffer_.text().substr(line.start, line.length);
}

int Edit::lineLeft(const EditLine& line) const {
  RECT format = formatRect();
  int room = format.right - format.left - measure(shownText(line)) - kCaretWidth;
  int offset = 0;
  if (room > 0 && (style() & ES_CENTER) != 0) {
    offset = room / 2;
  } else if (room > 0 && (style() & ES_RIGHT) != 0) {
    offset = room;
  }
  return format.left + offset - scrollX_;
}

POINT Edit::pointOf(std::size_t position) const {
  std::size_t index = layout_.lineOf(position);
  const EditLine& line = layout_.line(index);
  std::size_t within = std::min(position - line.start, line.length);
  int x = lineLeft(line) + measure(std::u16string_view(shownText(line)).substr(0, within));
  int y = formatRect().top + (static_cast<int>(index) - static_cast<int>(firstLine_)) * lineHeight_;
  return POINT{x, y};
}

std::size_t Edit::positionInLine(const EditLine& line, int x) const {
  std::u16string shown = shownText(line);
  std::u16string_view view(shown);
  int left = lineLeft(line);
  auto edge = [&](std::size_t count) { return left + measure(view.substr(0, count)); };
  // The nearest gap between characters: a point past the middle of a character counts as after it. The
  // middles only grow along the line, so the first one beyond the point is found by halving.
  std::size_t low = 0;
  std::size_t high = shown.size();
  while (low < high) {
    std::size_t middle = low + (high - low) / 2;
    if (x < (edge(middle) + edge(middle + 1)) / 2) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return line.start + low;
}

std::size_t Edit::positionAt(POINT point) const {
  RECT format = formatRect();
  long long row = point.y < format.top ? -1 : (point.y - format.top) / std::max(1, lineHeight_);
  long long index = std::clamp<long long>(static_cast<long long>(firstLine_) + row, 0,
                                          static_cast<long long>(layout_.lineCount()) - 1);
  return positionInLine(layout_.line(static_cast<std::size_t>(index)), point.x);
}

void Edit::measureFont() {
  SelectObject(measureDc_, ControlLook::fontOrDefault(font()));
  TEXTMETRIC metrics{};
  GetTextMetrics(measureDc_, &metrics);
  lineHeight_ = std::max<int>(1, metrics.tmHeight);
}

void Edit::fontChanged() {
  measureFont();
  relayout();
  scrollCaretIntoView();
  invalidate();
}

void Edit::relayout() {
  RECT format = formatRect();
  int wrapWidth = wraps() ? std::max<int>(1, format.right - format.left - kCaretWidth) : 0;
  auto measureText = [this](std::u16string_view text) { return measure(text); };
  layout_ = EditLayout::compute(masked() ? std::u16string(buffer_.size(), kMaskCharacter) : buffer_.text(),
                                wrapWidth, measureText);
  widestLine_ = 0;
  for (const EditLine& line : layout_.lines()) {
    widestLine_ = std::max(widestLine_, measure(shownText(line)));
  }
  long long lastFirst = std::max<long long>(0, static_cast<long long>(layout_.lineCount()) - visibleLines());
  firstLine_ = static_cast<std::size_t>(std::min<long long>(static_cast<long long>(firstLine_), lastFirst));
}

void Edit::scrollCaretIntoView() {
  std::size_t caretLine = layout_.lineOf(buffer_.caret());
  auto visible = static_cast<std::size_t>(visibleLines());
  if (caretLine < firstLine_) {
    firstLine_ = caretLine;
  } else if (caretLine >= firstLine_ + visible) {
    firstLine_ = caretLine - visible + 1;
  }
  if (!wraps()) {
    RECT format = formatRect();
    int width = format.right - format.left;
    int caretX = pointOf(buffer_.caret()).x - format.left + scrollX_;
    if (caretX < scrollX_) {
      scrollX_ = caretX;
    } else if (caretX + kCaretWidth > scrollX_ + width) {
      scrollX_ = caretX + kCaretWidth - width;
    }
    // Never more scrolled than the widest line needs.
    scrollX_ = std::clamp(scrollX_, 0, std::max(0, widestLine_ + kCaretWidth - width));
  }
  updateScrollBars();
  updateCaret();
}

void Edit::updateCaret() const {
  if (focused()) {
    POINT at = pointOf(buffer_.caret());
    SetCaretPos(at.x, at.y);
  }
}

void Edit::updateScrollBars() const {
  // The bars stay, disabled when there is nothing to scroll, so the client area does not change under the
  // text it is laid out in.
  if ((style() & WS_VSCROLL) != 0) {
    SCROLLINFO info{sizeof(SCROLLINFO),
                    SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL,
                    0,
                    static_cast<int>(layout_.lineCount()) - 1,
                    static_cast<UINT>(visibleLines()),
                    static_cast<int>(firstLine_),
                    0};
    SetScrollInfo(window(), SB_VERT, &info, TRUE);
  }
  if ((style() & WS_HSCROLL) != 0) {
    RECT format = formatRect();
    SCROLLINFO info{sizeof(SCROLLINFO),
                    SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL,
                    0,
                    widestLine_ + kCaretWidth,
                    static_cast<UINT>(format.right - format.left),
                    scrollX_,
                    0};
    SetScrollInfo(window(), SB_HORZ, &info, TRUE);
  }
}

void Edit::paint(HDC dc) {
  RECT client = clientRect();
  HGDIOBJ previousFont = SelectObject(dc, ControlLook::fontOrDefault(font()));
  // Read-only fields ask for the edit colours too: the program colours its fields in one place.
  HBRUSH background = ControlLook::askColors(window(), dc, WM_CTLCOLOREDIT);
  FillRect(dc, &client, background);
  if (!enabled()) {
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  }
  SetBkMode(dc, TRANSPARENT);
  RECT format = formatRect();
  IntersectClipRect(dc, format.left, format.top, format.right, format.bottom);
  int top = format.top;
  for (std::size_t index = firstLine_; index < layout_.lineCount() && top < format.bottom; ++index) {
    paintLine(dc, layout_.line(index), top);
    top += lineHeight_;
  }
  SelectObject(dc, previousFont);
}

void Edit::paintLine(HDC dc, const EditLine& line, int top) const {
  std::u16string shown = shownText(line);
  int left = lineLeft(line);
  TextOut(dc, left, top, shown.c_str(), static_cast<int>(shown.size()));
  // The selection shows only while the field has the focus.
  std::size_t lineEnd = line.start + line.length;
  if (!focused() || buffer_.selectionEnd() <= line.start || buffer_.selectionStart() >= lineEnd) {
    return;
  }
  std::size_t from = std::max(buffer_.selectionStart(), line.start) - line.start;
  std::size_t to = std::min(buffer_.selectionEnd(), lineEnd) - line.start;
  std::u16string_view view(shown);
  RECT band{left + measure(view.substr(0, from)), top, left + measure(view.substr(0, to)), top + lineHeight_};
  FillRect(dc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
  COLORREF previous = SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
  TextOut(dc, band.left, top, shown.c_str() + from, static_cast<int>(to - from));
  SetTextColor(dc, previous);
}

}  // namespace native
