// The mix-in of toolkit windows: the control mix-in, whose local area is the window's client area.
#ifndef TOOLKIT_KZWINDOWLEECH_H
#define TOOLKIT_KZWINDOWLEECH_H

#include "toolkit/kzwindowobjectleech.h"

class ZafWindow;

class KZWindowLeech : public KZWindowObjectLeech {
 public:
  explicit KZWindowLeech(ZafWindow* window);

  // The window's client area in pixels, without its scroll bars, with its top-left corner at (0, 0).
  KRect LocalRegion() override;

 private:
  ZafWindow* const window;
};

#endif
