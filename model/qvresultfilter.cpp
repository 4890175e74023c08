#include "model/qvresultfilter.h"

#include "model/qvresult.h"

namespace {

// The lane number of a result, or -1 when its lane text is not a number.
int32_t LaneNumber(const QvResult& result) {
  int32_t lane = -1;
  return result.AthleteField3().ParseInt(lane) ? lane : -1;
}

// Compares two optional keys: present before absent, then by value; equivalent when neither is present.
template <typename T>
std::weak_ordering CompareKeys(bool hasA, const T& a, bool hasB, const T& b) {
  if (hasA != hasB) {
    return hasA ? std::weak_ordering::less : std::weak_ordering::greater;
  }
  if (!hasA) {
    return std::weak_ordering::equivalent;
  }
  return a <=> b;
}

}  // namespace

std::weak_ordering QvResultFilter::Compare(const QvResult& a, const QvResult& b, int32_t key) const {
  switch (key == kOwnOrder ? sortKey : key) {
    case kByReactionTime:
      return CompareKeys(a.GetReactionTime().HasResolution(), a.GetReactionTime(),
                         b.GetReactionTime().HasResolution(), b.GetReactionTime());
    case kByMainTime:
      return CompareKeys(a.GetMainTime(this).HasResolution(), a.GetMainTime(this),
                         b.GetMainTime(this).HasResolution(), b.GetMainTime(this));
    case kByLane:
      return CompareKeys(LaneNumber(a) >= 0, LaneNumber(a), LaneNumber(b) >= 0, LaneNumber(b));
    default:
      return std::weak_ordering::equivalent;
  }
}
