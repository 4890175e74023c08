// The native styles that support objects drawn by a window's frame itself stand for.
#ifndef FRAMEWORK_WIN32_ZAFSUPPORTSTYLES_H
#define FRAMEWORK_WIN32_ZAFSUPPORTSTYLES_H

#include "framework/data/zaftypes.h"
#include "native/user/nativetypes.h"

struct ZafSupportStyles {
  native::DWORD frame = 0;
  native::DWORD client = 0;
};

// The frame's and the client's bits for the support object of that number: the maximize and minimize boxes,
// the system menu, the caption and the two scroll bars. None for others: each kind of window decides on
// its border itself.
ZafSupportStyles ZafSupportStyle(ZafNumberID id);

#endif
