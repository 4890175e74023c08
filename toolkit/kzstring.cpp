#include "toolkit/kzstring.h"

#include "foundation/kstring.h"
#include "model/ytime.h"
#include "native/native.h"

KZString::KZString(int32_t left, int32_t top, int32_t width, const ZafIChar* text, int maxLength)
    : ZafString(left, top, width, text, maxLength), KZWindowObjectLeech(this) {}

KZString::KZString(int32_t left, int32_t top, int32_t width, int maxLength)
    : KZString(left, top, width, u"", maxLength) {}

KZString::KZString(const KRect& pixels, const ZafIChar* text, int maxLength)
    : KZString(pixels.left, pixels.top, pixels.Width(), text, maxLength) {
  SetCoordinateType(ZAF_PIXEL);
  ZafRegionStruct covering = Region();
  covering.bottom = pixels.bottom;
  SetRegion(covering);
  hasFixedRegion = true;
  fixedRegion = pixels;
}

KZString::~KZString() = default;

bool KZString::GetTime(int32_t& milliseconds) {
  const ZafIChar* text = Text();
  YTime time;
  if (!text || !time.Parse(KString(text)) || !time.HasResolution()) {
    return false;
  }
  milliseconds = time.ToMilliseconds();
  return true;
}

void KZString::SetTime(int32_t milliseconds, int32_t precision) {
  const YTime time(milliseconds, YTime::DefaultStep(), YTime::DefaultResolution(), -1);
  KString text;
  time.Format(text, precision != 0 ? precision : YTime::DefaultPrecision());
  SetText(text.CStr());
}

void KZString::SelectAll() {
  if (!HasNativeWindow()) {
    return;
  }
  native::SendMessage(screenID, native::EM_SETSEL, 0, -1);
  native::SendMessage(screenID, native::EM_SCROLLCARET, 0, 0);
}

ZafEventType KZString::Event(const ZafEventRecord& event) {
  if (const ZafEventType taken = KZWindowObjectLeech::Event(event)) {
    return taken;
  }
  return ZafString::Event(event);
}
