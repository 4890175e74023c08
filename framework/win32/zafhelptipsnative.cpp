// The help-tips device on the native window system: its events, its poll of the event queue, its thread
// timer and its top-most tip window.
#include <algorithm>
#include <string_view>
#include <vector>

#include "framework/core/zafeventmanager.h"
#include "framework/core/zafeventrecord.h"
#include "framework/core/zafhelptips.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstrlib.h"
#include "framework/win32/zafgdidisplay.h"
#include "framework/win32/zafmswindowsapp.h"
#include "native/native.h"

namespace {

constexpr int32_t kNotHandled = -2;
// How far below the pointer the tip starts: less for text fields, whose I-beam pointer is short.
constexpr int32_t kTipOffset = 16;
constexpr int32_t kTextFieldTipOffset = 8;
// The first platform version whose system colours include the tip colours.
constexpr int32_t kTipColoursVersion = 400;
constexpr uint8_t kBlack = 0;
constexpr uint8_t kYellow = 14;

ZafWindowObject* CurrentObject() {
  ZafWindowManager* manager = ZafWindowObject::windowManager;
  return manager ? manager->tipObject : nullptr;
}

ZafWindowObject* HelpBar() {
  ZafWindowManager* manager = ZafWindowObject::windowManager;
  return manager ? manager->helpTipObject : nullptr;
}

bool HasTipColours() {
  const ZafMSWindowsApp::SystemDecision& system = ZafMSWindowsApp::system;
  return system.platform == ZafMSWindowsApp::Windows95 ||
         (system.platform == ZafMSWindowsApp::WindowsNT && system.version >= kTipColoursVersion);
}

ZafPaletteStruct TipPalette() {
  ZafPaletteStruct palette;
  palette.lineStyle = 0;
  palette.fillPattern = 0;
  palette.colorReserved1 = 0;
  palette.colorReserved2 = 2;
  palette.font = 0;
  if (HasTipColours()) {
    palette.colorForeground = ZAF_OS_COLOR_INDEX;
    palette.colorBackground = ZAF_OS_COLOR_INDEX;
    palette.osForeground = native::GetSysColor(native::COLOR_INFOTEXT);
    palette.osBackground = native::GetSysColor(native::COLOR_INFOBK);
  } else {
    palette.colorForeground = kBlack;
    palette.colorBackground = kYellow;
  }
  return palette;
}

// The tip's lines, split at line feeds.
std::vector<std::u16string_view> Lines(const ZafIChar* text) {
  std::vector<std::u16string_view> lines;
  std::u16string_view rest(text);
  for (std::size_t end; (end = rest.find(u'\n')) != std::u16string_view::npos; rest.remove_prefix(end + 1)) {
    lines.push_back(rest.substr(0, end));
  }
  lines.push_back(rest);
  return lines;
}

int32_t Width(const ZafRegionStruct& region) {
  return region.right - region.left + 1;
}

int32_t Height(const ZafRegionStruct& region) {
  return region.bottom - region.top + 1;
}

ZafRegionStruct LineSize(ZafDisplay& display, std::u16string_view line) {
  return display.TextSize(line.data(), static_cast<int32_t>(line.size()));
}

// Places a span of `size` pixels at `start`, moved back so that it ends on the screen's last pixel.
void KeepOnScreen(int32_t& start, int32_t& end, int32_t size, int32_t screenSize) {
  end = start + size;
  if (end > screenSize - 1) {
    end = screenSize - 1;
    start = end - size;
  }
}

bool IsPress(native::UINT message) {
  switch (message) {
    case native::WM_LBUTTONDOWN:
    case native::WM_MBUTTONDOWN:
    case native::WM_RBUTTONDOWN:
    case native::WM_NCLBUTTONDOWN:
    case native::WM_NCMBUTTONDOWN:
    case native::WM_NCRBUTTONDOWN:
      return true;
    default:
      return false;
  }
}

// A one-pixel frame in the foreground over the background; one line centred, several lines from the top
// left, each below the last by its height.
native::LRESULT PaintTip(native::HWND window) {
  native::RECT client{};
  native::GetClientRect(window, &client);
  const ZafRegionStruct region{client.left, client.top, client.right - 1, client.bottom - 1, ZAF_PIXEL};
  native::PAINTSTRUCT paint{};
  const native::HDC context = native::BeginPaint(window, &paint);
  ZafDisplay* display = ZafWindowObject::display;
  const auto* palette =
      reinterpret_cast<const ZafPaletteStruct*>(native::GetWindowLong(window, native::GWL_USERDATA));
  ZafWindowObject* current = CurrentObject();
  if (display && palette && current && current->TipText()) {
    display->BeginDraw(context, window, region, region);
    display->SetPalette(*palette);
    display->Rectangle(region.left, region.top, region.right, region.bottom, 1, true);
    const std::vector<std::u16string_view> lines = Lines(current->TipText());
    if (lines.size() == 1) {
      display->Text(region.left, region.top, region.right, region.bottom, current->TipText(), -1, 2, 2, -1,
                    false);
    } else {
      int32_t top = region.top + display->preSpace;
      for (std::u16string_view line : lines) {
        display->Text(region.left + display->cellWidth, top, line.data(), static_cast<int32_t>(line.size()),
                      -1, false);
        top += Height(LineSize(*display, line));
      }
    }
    display->EndDraw();
  }
  native::EndPaint(window, &paint);
  return 0;
}

native::LRESULT TipProcedure(native::HWND window, native::UINT message, native::WPARAM wParam,
                             native::LPARAM lParam) {
  if (message == native::WM_PAINT) {
    return PaintTip(window);
  }
  return native::DefWindowProc(window, message, wParam, lParam);
}

void RegisterTipClass() {
  native::WNDCLASS description{};
  if (native::GetClassInfo(ZafMSWindowsApp::instance, ZafHelpTips::windowClassName, &description)) {
    return;
  }
  description.lpfnWndProc = &TipProcedure;
  description.hInstance = ZafMSWindowsApp::instance;
  description.hCursor = native::LoadCursor(nullptr, native::IDC_ARROW);
  description.lpszClassName = ZafHelpTips::windowClassName;
  native::RegisterClass(&description);
}

}  // namespace

ZafHelpTips::~ZafHelpTips() {
  if (tipWindow) {
    native::DestroyWindow(tipWindow);
  }
  StopTimer();
  native::UnregisterClass(windowClassName, ZafMSWindowsApp::instance);
}

int32_t ZafHelpTips::Event(const ZafEventRecord& event) {
  const int32_t code = event.type;
  switch (code) {
    case D_STATE:
      return deviceState;
    case D_ON:
    case D_OFF:
      // An off device polls nothing, so a tip left up would stay until the pointer left its object.
      if (code == D_OFF) {
        HideTip();
      }
      deviceState = code;
      return code;
    case TipLeaveEvent:
      // Tips stay active: the next object shows its tip after the tip delay.
      HideTip();
      return code;
    case TipEnterEvent:
      if (deviceState != D_OFF) {
        // A tip still up belongs to an object whose leave never came here.
        if (tipShown) {
          HideTip();
        }
        ShowHelpText();
        RestartTimer(PendingDelay(), event);
      }
      return code;
    case HelpHintEvent:
      if (deviceState != D_OFF) {
        if (event.windowObject) {
          ShowHelpTextOf(event.windowObject);
        } else {
          RestoreHelpText();
        }
      }
      return code;
    case HelpBarEvent:
      SetHelpBar(event.windowObject);
      return code;
    default:
      return kNotHandled;
  }
}

void ZafHelpTips::Poll() {
  ZafEventManager* events = ZafWindowObject::eventManager;
  ZafWindowManager* manager = ZafWindowObject::windowManager;
  if (deviceState == D_OFF || !events || !manager || !(tipsActive || armed || timer || tipShown)) {
    return;
  }
  const ZafWindow* front = manager->FrontWindow();
  ZafEventRecord next;
  if (!front || !front->Focus() ||
      events->Get(next, Q_NO_BLOCK | Q_NO_DESTROY | Q_NO_POLL) != Q_EVENT_TAKEN || next.type != E_OSEVENT) {
    return;
  }
  const native::MSG& message = next.osEvent;
  if (IsPress(message.message) || ZafEventRecord::Category(next) == ZAF_CATEGORY_KEYBOARD) {
    if (tipShown) {
      HideTip();
    } else {
      StopTimer();
    }
    tipsActive = false;
    armed = false;
    return;
  }
  if (tipShown || !timer) {
    return;
  }
  if (message.message == native::WM_MOUSEMOVE) {
    // The tip waits for the pointer to rest.
    RestartTimer(PendingDelay(), next);
  } else if (message.message == native::WM_TIMER && !message.hwnd && message.wParam == timer) {
    events->Get(next, Q_NO_BLOCK | Q_NO_POLL);
    StopTimer();
    ShowTip();
  }
}

void ZafHelpTips::ShowHelpText() {
  ShowHelpTextOf(CurrentObject());
}

void ZafHelpTips::ShowHelpTextOf(ZafWindowObject* object) {
  ZafWindowObject* bar = HelpBar();
  if (mode == ZAF_TIPS_ONLY || !bar || !object || !object->ThirdText()) {
    return;
  }
  if (!savedText) {
    savedText.reset(ZafStrDup(bar->Text() ? bar->Text() : u""));
  }
  bar->SetText(object->ThirdText());
}

void ZafHelpTips::RestoreHelpText() {
  if (!savedText) {
    return;
  }
  if (ZafWindowObject* bar = HelpBar(); bar && mode != ZAF_TIPS_ONLY) {
    bar->SetText(savedText.get());
  }
  savedText.reset();
}

void ZafHelpTips::SetHelpBar(ZafWindowObject* bar) {
  RestoreHelpText();
  if (ZafWindowManager* manager = ZafWindowObject::windowManager) {
    manager->helpTipObject = bar;
  }
}

void ZafHelpTips::ShowTip() {
  ZafWindowObject* current = CurrentObject();
  ZafDisplay* display = ZafWindowObject::display;
  if (!current || !current->TipText()) {
    return;
  }
  if (mode != ZAF_HELP_BAR_ONLY && display && !tipWindow) {
    tipPalette = TipPalette();
    const ZafRegionStruct screen{0, 0, display->columns - 1, display->lines - 1, ZAF_PIXEL};
    display->BeginDraw(nullptr, ZAF_WHOLE_SCREEN, screen, screen);
    display->SetPalette(tipPalette);
    int32_t width = 0;
    int32_t height = 0;
    for (std::u16string_view line : Lines(current->TipText())) {
      const ZafRegionStruct size = LineSize(*display, line);
      width = std::max(width, Width(size));
      height += Height(size);
    }
    width += 2 * display->cellWidth;
    height += 2 * display->preSpace;
    tipRegion.left = mouseX;
    tipRegion.top = mouseY + (current->IsA(ID_ZAF_STRING) || current->IsA(ID_ZAF_TEXT) ? kTextFieldTipOffset
                                                                                       : kTipOffset);
    KeepOnScreen(tipRegion.left, tipRegion.right, width, display->columns);
    KeepOnScreen(tipRegion.top, tipRegion.bottom, height, display->lines);
    display->EndDraw();

    RegisterTipClass();
    tipWindow = native::CreateWindowEx(native::WS_EX_TOPMOST, windowClassName, nullptr, native::WS_POPUP,
                                       tipRegion.left, tipRegion.top, Width(tipRegion), Height(tipRegion),
                                       current->RootObject()->ScreenID(), nullptr, ZafMSWindowsApp::instance,
                                       nullptr);
    if (tipWindow) {
      native::SetWindowLong(tipWindow, native::GWL_USERDATA, reinterpret_cast<native::LONG_PTR>(&tipPalette));
      native::ShowWindow(tipWindow, native::SW_SHOWNOACTIVATE);
      native::UpdateWindow(tipWindow);
    }
  }
  tipsActive = true;
  tipShown = true;
  armed = true;
  StopTimer();
}

void ZafHelpTips::HideTip() {
  RestoreHelpText();
  if (tipWindow) {
    native::DestroyWindow(tipWindow);
    tipWindow = nullptr;
  }
  tipShown = false;
  StopTimer();
}

void ZafHelpTips::StopTimer() {
  if (timer) {
    native::KillTimer(nullptr, timer);
    timer = 0;
  }
}

void ZafHelpTips::RestartTimer(int32_t delay, const ZafEventRecord& event) {
  StopTimer();
  native::POINT point{0, 0};
  if (event.type == E_OSEVENT && event.osEvent.message == native::WM_MOUSEMOVE) {
    point = {native::GET_X_LPARAM(event.osEvent.lParam), native::GET_Y_LPARAM(event.osEvent.lParam)};
    native::ClientToScreen(event.osEvent.hwnd, &point);
  } else {
    native::GetCursorPos(&point);
  }
  mouseX = point.x;
  mouseY = point.y;
  if (CurrentObject()) {
    timer = native::SetTimer(nullptr, 0, static_cast<native::UINT>(delay), nullptr);
  }
}
