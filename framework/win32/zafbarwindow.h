// What the framework-drawn bars along a window's edges share: their native window, their native messages,
// and the pixel margin that a bar measured in cells keeps apart from the scaling of its region.
#ifndef FRAMEWORK_WIN32_ZAFBARWINDOW_H
#define FRAMEWORK_WIN32_ZAFBARWINDOW_H

#include <cstdint>

#include "framework/core/zafeventrecord.h"
#include "framework/core/zafeventtypes.h"
#include "native/user/nativetypes.h"

class ZafWindow;
class ZafWindowObject;

// A child window of the framework's own class that does not tell its parent of its creation.
native::HWND ZafCreateBarWindow(ZafWindowObject& bar);
// Painting is the bar's own drawing; a click first brings the bar's top-level window to the front; other
// messages are the window's.
ZafEventType ZafBarNativeEvent(ZafWindow& bar, const ZafEventRecord& event);
// Converts `target` into `type`, keeping `margin` pixels out of the scaling: taken off the bottom before a
// conversion into cells, and added back in the new type when the bar itself is measured in cells.
void ZafConvertBarRegion(ZafWindowObject& bar, ZafRegionStruct& target, int32_t type, int32_t margin);

#endif
