#include "framework/win32/zafsupportstyles.h"

#include "framework/core/zafwindow.h"
#include "native/native.h"

ZafSupportStyles ZafSupportStyle(ZafNumberID id) {
  switch (id) {
    case ZAF_NUMID_MAXIMIZE:
      return {native::WS_MAXIMIZEBOX, 0};
    case ZAF_NUMID_MINIMIZE:
      return {native::WS_MINIMIZEBOX, 0};
    case ZAF_NUMID_SYSTEM:
      return {native::WS_SYSMENU, 0};
    case ZAF_NUMID_TITLE:
      return {native::WS_CAPTION, 0};
    case ZAF_NUMID_HZ_SCROLL:
      return {0, native::WS_HSCROLL};
    case ZAF_NUMID_VT_SCROLL:
      return {0, native::WS_VSCROLL};
    default:
      return {};
  }
}
