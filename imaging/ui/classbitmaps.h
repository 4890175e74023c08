// The bitmaps a window class loads from the framework data file at its class set-up and lets go of at its
// clean-up, shared by every window of the class.
#ifndef IMAGING_UI_CLASSBITMAPS_H
#define IMAGING_UI_CLASSBITMAPS_H

#include <span>

#include "framework/data/zaftypes.h"

class KZBitmap;

// Reads each bitmap by its name from the data file, letting go of what the place held before.
void LoadClassBitmaps(std::span<KZBitmap*> bitmaps, std::span<const ZafIChar* const> names);
// Lets go of each bitmap. A window can outlive the clean-up (the main frame goes with the framework, after
// it): its buttons still show the bitmap, and the last of them to let go deletes it.
void ReleaseClassBitmaps(std::span<KZBitmap*> bitmaps);

#endif
