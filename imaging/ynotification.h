#pragma once
// The low 16 bits of the imaging side's change notifications (the model's own are in model/qvnotification.h).

#include <cstdint>

enum YNotification : uint16_t {
  kYCameraSetup = 22,      // camera set-up changed (type, frame layout, orientation, factors, name)
  kYCameraParameter = 23,  // another camera parameter changed
  kYCameraLanes = 24,      // lane-line list or reverse-lanes changed
  kYImageGeometry = 31,    // from the image: views redraw everything
  kYImageContents = 32,    // from the image: views redraw their pane
  kYImageZoom = 33,        // from the image: views re-apply their zoom
  kYImageBlockAdded = 34,  // from the image: a captured block arrived
  kYViewRedraw = 35,       // from a view to itself: redraw everything
  kYViewTimeTrack = 36,    // a view publishes its time position
  kYImageShowTime = 37,    // the document asks the views to show a time
  kYViewLine = 38,         // a view publishes a line position
  kYZoomChanged = 39,      // a zoom changed
};
