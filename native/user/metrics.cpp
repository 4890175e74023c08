#include "native/user/metrics.h"

#include <cstdlib>
#include <iterator>

#include "native/user/windowsystem.h"

namespace native {

namespace {

struct Metric {
  int index;
  int value;
};

// Frame and bar sizes in pixels at 96 dpi.
constexpr Metric kFixedMetrics[] = {
    {SM_CXVSCROLL, 16},  {SM_CYHSCROLL, 16},    {SM_CYCAPTION, 19},   {SM_CXBORDER, 1},  {SM_CYBORDER, 1},
    {SM_CXDLGFRAME, 3},  {SM_CYDLGFRAME, 3},    {SM_CYVTHUMB, 16},    {SM_CXHTHUMB, 16}, {SM_CXICON, 32},
    {SM_CYICON, 32},     {SM_CXCURSOR, 32},     {SM_CYCURSOR, 32},    {SM_CYMENU, 19},   {SM_MOUSEPRESENT, 1},
    {SM_CYVSCROLL, 16},  {SM_CXHSCROLL, 16},    {SM_SWAPBUTTON, 0},   {SM_CXMIN, 112},   {SM_CYMIN, 27},
    {SM_CXSIZE, 18},     {SM_CYSIZE, 18},       {SM_CXFRAME, 4},      {SM_CYFRAME, 4},   {SM_CXDOUBLECLK, 4},
    {SM_CYDOUBLECLK, 4}, {SM_CMOUSEBUTTONS, 3}, {SM_CXEDGE, 2},       {SM_CYEDGE, 2},    {SM_CXSMICON, 16},
    {SM_CYSMICON, 16},   {SM_CXMINIMIZED, 160}, {SM_CYMINIMIZED, 24},
};

// The grey three-dimensional scheme the controls are drawn in.
constexpr COLORREF kColors[] = {
    RGB(192, 192, 192),  // COLOR_SCROLLBAR
    RGB(0, 128, 128),    // COLOR_BACKGROUND
    RGB(0, 0, 128),      // COLOR_ACTIVECAPTION
    RGB(128, 128, 128),  // COLOR_INACTIVECAPTION
    RGB(192, 192, 192),  // COLOR_MENU
    RGB(255, 255, 255),  // COLOR_WINDOW
    RGB(0, 0, 0),        // COLOR_WINDOWFRAME
    RGB(0, 0, 0),        // COLOR_MENUTEXT
    RGB(0, 0, 0),        // COLOR_WINDOWTEXT
    RGB(255, 255, 255),  // COLOR_CAPTIONTEXT
    RGB(192, 192, 192),  // COLOR_ACTIVEBORDER
    RGB(192, 192, 192),  // COLOR_INACTIVEBORDER
    RGB(128, 128, 128),  // COLOR_APPWORKSPACE
    RGB(0, 0, 128),      // COLOR_HIGHLIGHT
    RGB(255, 255, 255),  // COLOR_HIGHLIGHTTEXT
    RGB(192, 192, 192),  // COLOR_BTNFACE
    RGB(128, 128, 128),  // COLOR_BTNSHADOW
    RGB(128, 128, 128),  // COLOR_GRAYTEXT
    RGB(0, 0, 0),        // COLOR_BTNTEXT
    RGB(192, 192, 192),  // COLOR_INACTIVECAPTIONTEXT
    RGB(255, 255, 255),  // COLOR_BTNHIGHLIGHT
    RGB(0, 0, 0),        // COLOR_3DDKSHADOW
    RGB(223, 223, 223),  // COLOR_3DLIGHT
    RGB(0, 0, 0),        // COLOR_INFOTEXT
    RGB(255, 255, 225),  // COLOR_INFOBK
};

}  // namespace

int GetSystemMetrics(int index) {
  WindowSystem& system = WindowSystem::get();
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
    case SM_CXMAXIMIZED:
      return system.desktop().width();
    case SM_CYSCREEN:
    case SM_CYFULLSCREEN:
    case SM_CYMAXIMIZED:
      return system.desktop().height();
    default:
      break;
  }
  for (const Metric& metric : kFixedMetrics) {
    if (metric.index == index) {
      return metric.value;
    }
  }
  return 0;
}

COLORREF GetSysColor(int index) {
  if (index < 0 || index >= static_cast<int>(std::size(kColors))) {
    return RGB(0, 0, 0);
  }
  return kColors[index];
}

UINT GetDoubleClickTime() {
  return WindowSystem::get().doubleClickTimeMs;
}

BOOL SetDoubleClickTime(UINT milliseconds) {
  // 0 restores the default, as with the other system settings.
  WindowSystem::get().doubleClickTimeMs = milliseconds == 0 ? 500 : milliseconds;
  return TRUE;
}

bool ClicksPair(DWORD firstTime, POINT first, DWORD secondTime, POINT second) {
  return secondTime - firstTime <= GetDoubleClickTime() &&
         std::abs(second.x - first.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
         std::abs(second.y - first.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
}

}  // namespace native
