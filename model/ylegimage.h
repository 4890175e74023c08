#pragma once
// An image of a leg, as the leg keeps it in its per-camera lists. The imaging library derives its images
// from this and registers a factory at its class set-up (YLeg::SetImageFactory); until it has, a leg has
// no images and a document that holds some cannot be read.

#include "foundation/klist.h"

struct KMessage;
class YLeg;

class YLegImage : public KListItem {
 public:
  // Called once the leg that owns the image has been read completely.
  virtual void OnLegLoaded(YLeg& leg) = 0;
  // Hears a notification that its leg or its document passes on.
  virtual void Deliver(KMessage& message) = 0;
};
