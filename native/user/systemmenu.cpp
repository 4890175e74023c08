#include "native/user/systemmenu.h"

#include "native/user/menuapi.h"
#include "native/user/messages.h"
#include "native/user/windowrecord.h"

namespace native {

namespace {

struct StandardEntry {
  WPARAM command;
  const char16_t* text;
};

constexpr StandardEntry kEntries[] = {
    {SC_RESTORE, u"&Restore"},   {SC_MOVE, u"&Move"},         {SC_SIZE, u"&Size"},
    {SC_MINIMIZE, u"Mi&nimize"}, {SC_MAXIMIZE, u"Ma&ximize"},
};

bool allowed(WPARAM command, const WindowRecord& window) {
  bool placed = window.isMinimized() || window.isMaximized();
  switch (command) {
    case SC_RESTORE:
      return placed;
    case SC_MOVE:
      return !window.isMaximized();
    case SC_SIZE:
      return !placed && (window.style & WS_THICKFRAME) != 0;
    case SC_MINIMIZE:
      return !window.isMinimized() && (window.style & WS_MINIMIZEBOX) != 0;
    case SC_MAXIMIZE:
      return !window.isMaximized() && (window.style & WS_MAXIMIZEBOX) != 0;
    default:
      return true;
  }
}

}  // namespace

HMENU SystemMenu::create(const WindowRecord& window) {
  HMENU menu = CreatePopupMenu();
  for (const StandardEntry& entry : kEntries) {
    AppendMenu(menu, MF_STRING, entry.command, entry.text);
  }
  AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
  bool document = (window.exStyle & WS_EX_MDICHILD) != 0;
  AppendMenu(menu, MF_STRING, SC_CLOSE, document ? u"&Close\tCtrl+F4" : u"&Close\tAlt+F4");
  return menu;
}

void SystemMenu::updateStates(HMENU menu, const WindowRecord& window) {
  for (const StandardEntry& entry : kEntries) {
    EnableMenuItem(menu, static_cast<UINT>(entry.command),
                   MF_BYCOMMAND | (allowed(entry.command, window) ? MF_ENABLED : MF_GRAYED));
  }
}

}  // namespace native
