#include "toolkit/kzstatusstring.h"

#include "toolkit/kzstatusfield.h"

KZStatusString::KZStatusString() : KZWindow(0, 0, 0, 0) {
  SetCoordinateType(ZAF_PIXEL);
  // Its drawing comes through Draw with the area to paint, never from the native window itself.
  SetNativeDrawing(false);
  flags |= kRedisplayOnGeometry;
}

KZStatusString::~KZStatusString() = default;

bool KZStatusString::SetText(const KString& newText) {
  if (KString::Equals(text, newText)) {
    return false;
  }
  text = newText;
  Redisplay();
  return true;
}

ZafEventType KZStatusString::Draw(const ZafEventRecord&, ZafEventType drawType) {
  return KZDrawStatusField(*this, drawType, [this](const KRect& box) {
    const KZDrawingState previous = SetDrawingState(KZStatusTextState(*this));
    DrawTextFitted(box, text.CStr(), 0, 0, false);
    SetDrawingState(previous);
  });
}
