#include "imaging/yzoom.h"

#include <algorithm>

#include "foundation/kstream.h"
#include "foundation/kx.h"
#include "imaging/yimageview.h"
#include "imaging/ynotification.h"

namespace {

// The largest power of two not above v; 0 below 1.
int64_t PowerOfTwoBelow(int64_t v) {
  if (v < 1) {
    return 0;
  }
  int64_t power = 1;
  while (power * 2 <= v) {
    power *= 2;
  }
  return power;
}

}  // namespace

YZoom::YZoom(const YZoom& other) : KMessageObject(nullptr, -1) {
  Assign(other, true);
}

void YZoom::Notify() {
  KMessage message;
  Send(this, Message(message, kYZoomChanged, 0, this));
}

bool YZoom::Assign(const YZoom& other, bool notify) {
  if (*this == other) {
    return false;
  }
  // The view that owns the zoom keeps its places on the image through the change.
  YImageView* view = notify ? dynamic_cast<YImageView*>(Owner()) : nullptr;
  if (view != nullptr) {
    view->KeepPlaces(false);
  }
  mode = other.mode;
  xNumerator = other.xNumerator;
  xDenominator = other.xDenominator;
  yNumerator = other.yNumerator;
  yDenominator = other.yDenominator;
  if (view != nullptr) {
    view->RestorePlaces(false);
  }
  if (notify) {
    Notify();
  }
  return true;
}

bool YZoom::SetModeFlag(bool on) {
  const uint32_t newMode = on ? (mode | 1u) : (mode & ~1u);
  if (newMode == mode) {
    return false;
  }
  mode = newMode;
  Notify();
  return true;
}

void YZoom::Limit(Ratio& ratio, bool powersOfTwo) {
  if (powersOfTwo) {
    if (ratio.numerator < ratio.denominator) {
      ratio.denominator = PowerOfTwoBelow(ratio.denominator / ratio.numerator);
      ratio.numerator = 1;
    } else {
      ratio.numerator = PowerOfTwoBelow(ratio.numerator / ratio.denominator);
      ratio.denominator = 1;
    }
  }
  if (ratio.numerator < ratio.denominator) {
    ratio.denominator = std::min(ratio.denominator, kMaxReduction * ratio.numerator);
  } else {
    ratio.numerator = std::min(ratio.numerator, kMaxMagnification * ratio.denominator);
  }
}

bool YZoom::Apply(Ratio x, Ratio y, bool powersOfTwo, bool notify) {
  if (x.numerator <= 0 || x.denominator <= 0 || y.numerator <= 0 || y.denominator <= 0) {
    return false;
  }
  Limit(x, powersOfTwo);
  Limit(y, powersOfTwo);
  // Limiting only lowers the larger term toward the smaller one, so the terms fit in 32 bits again.
  YZoom target;
  target.mode = mode;
  target.xNumerator = static_cast<int32_t>(x.numerator);
  target.xDenominator = static_cast<int32_t>(x.denominator);
  target.yNumerator = static_cast<int32_t>(y.numerator);
  target.yDenominator = static_cast<int32_t>(y.denominator);
  return Assign(target, notify);
}

bool YZoom::Set(int32_t numerator, int32_t denominator, bool notify) {
  return Apply({numerator, denominator}, {numerator, denominator}, false, notify);
}

bool YZoom::SetX(int32_t numerator, int32_t denominator, bool notify) {
  return Apply({numerator, denominator}, {yNumerator, yDenominator}, false, notify);
}

bool YZoom::SetY(int32_t numerator, int32_t denominator, bool notify) {
  return Apply({xNumerator, xDenominator}, {numerator, denominator}, false, notify);
}

bool YZoom::ZoomIn(bool notify) {
  const Ratio x{int64_t{xNumerator} * 2, xDenominator};
  return Apply(x, x, true, notify);
}

bool YZoom::ZoomOut(bool notify) {
  const Ratio x{xNumerator, int64_t{xDenominator} * 2};
  return Apply(x, x, true, notify);
}

int32_t YZoom::Percent() const {
  return static_cast<int32_t>(int64_t{xNumerator} * 100 / xDenominator);
}

bool YZoom::IsFractional() const {
  return xDenominator % xNumerator != 0 || yDenominator % yNumerator != 0;
}

void YZoom::Write(KStream& stream) const {
  stream.WriteUInt32(kVersionWord);
  stream.WriteInt32(Id());
  stream.WriteUInt32(mode);
  for (int32_t term : {xNumerator, xDenominator, yNumerator, yDenominator}) {
    stream.WriteInt32(term);
  }
}

bool YZoom::WithinLimits(int32_t numerator, int32_t denominator) {
  if (numerator <= 0 || denominator <= 0) {
    return false;
  }
  return numerator < denominator ? int64_t{denominator} <= int64_t{kMaxReduction} * numerator
                                 : int64_t{numerator} <= int64_t{kMaxMagnification} * denominator;
}

void YZoom::Read(KStream& stream) {
  const int32_t first = stream.ReadInt32();
  if (static_cast<uint32_t>(first) == kVersionWord) {
    const int32_t newId = stream.ReadInt32();
    const uint32_t newMode = stream.ReadUInt32();
    int32_t terms[4];
    for (int32_t& term : terms) {
      term = stream.ReadInt32();
    }
    if (!WithinLimits(terms[0], terms[1]) || !WithinLimits(terms[2], terms[3])) {
      throw KXPersistent(kErrFileContents);
    }
    SetId(newId);
    mode = newMode;
    xNumerator = terms[0];
    xDenominator = terms[1];
    yNumerator = terms[2];
    yDenominator = terms[3];
    return;
  }
  // The older record held one factor: a magnification, or a negative reduction.
  int32_t numerator = 0;
  int32_t denominator = 0;
  if (first >= 1 && first <= kMaxMagnification && (first & (first - 1)) == 0) {
    numerator = first;
    denominator = 1;
  } else if (first <= -2 && first >= -kMaxReduction && ((-first) & (-first - 1)) == 0) {
    numerator = 1;
    denominator = -first;
  } else {
    throw KXPersistent(kErrFileVersion);
  }
  stream.ReadInt32();
  xNumerator = yNumerator = numerator;
  xDenominator = yDenominator = denominator;
}
