// What the status bar's fields share in their drawing: a sunken box filled with the background, and the
// palette their texts are drawn in.
#ifndef TOOLKIT_KZSTATUSFIELD_H
#define TOOLKIT_KZSTATUSFIELD_H

#include "foundation/krect.h"
#include "toolkit/kzwindow.h"

// Fills the field's client area with its background and draws a one-pixel sunken edge around it; answers
// the box inside the edge, in local coordinates.
KRect KZDrawSunkenField(KZWindow& field, ZafEventType drawType);

// The whole drawing of a field: the sunken box, then `paint` (KRect box) inside it. Answers the draw type.
template <typename Paint>
ZafEventType KZDrawStatusField(KZWindow& field, ZafEventType drawType, Paint paint) {
  field.BeginDraw();
  paint(KZDrawSunkenField(field, drawType));
  field.EndDraw();
  return drawType;
}

// The field's text palette as an active window shows it, whatever its own state, copied onto the display.
KZDrawingState KZStatusTextState(KZWindow& field);

#endif
