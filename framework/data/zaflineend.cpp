#include "framework/data/zaflineend.h"

#include <algorithm>
#include <climits>
#include <string>

namespace {

constexpr int kNoLimit = INT_MAX;

enum class LineEnd { kCR, kLF };

// Converts into a work string first, so that in-place conversion never overwrites unread text, then copies
// the result out when it fits.
template <typename Char>
Char* CopyOut(const std::basic_string<Char>& result, const Char* source, Char* destination, int capacity) {
  Char* out = destination ? destination : const_cast<Char*>(source);
  if (static_cast<long long>(result.size()) + 1 > capacity) {
    return nullptr;
  }
  std::copy(result.c_str(), result.c_str() + result.size() + 1, out);
  return out;
}

template <typename Char>
Char* JoinPairs(const Char* source, Char* destination, LineEnd into) {
  if (!source) {
    return nullptr;
  }
  std::basic_string<Char> result;
  for (const Char* place = source; *place; ++place) {
    if (place[0] == '\r' && place[1] == '\n') {
      result += into == LineEnd::kCR ? Char('\r') : Char('\n');
      ++place;
    } else {
      result += *place;
    }
  }
  return CopyOut(result, source, destination, kNoLimit);
}

template <typename Char>
Char* MakePairs(const Char* source, Char* destination, int capacity, LineEnd from) {
  if (!source) {
    return nullptr;
  }
  std::basic_string<Char> result;
  for (const Char* place = source; *place; ++place) {
    const bool loneCR = from == LineEnd::kCR && place[0] == '\r' && place[1] != '\n';
    const bool loneLF = from == LineEnd::kLF && place[0] == '\n' && (place == source || place[-1] != '\r');
    if (loneCR || loneLF) {
      result += Char('\r');
      result += Char('\n');
    } else {
      result += *place;
    }
  }
  return CopyOut(result, source, destination, capacity);
}

}  // namespace

ZafIChar* ZafCRLFToCR(const ZafIChar* source, ZafIChar* destination) {
  return JoinPairs(source, destination, LineEnd::kCR);
}

ZafIChar* ZafCRLFToLF(const ZafIChar* source, ZafIChar* destination) {
  return JoinPairs(source, destination, LineEnd::kLF);
}

char* ZafCRLFToCRNarrow(const char* source, char* destination) {
  return JoinPairs(source, destination, LineEnd::kCR);
}

char* ZafCRLFToLFNarrow(const char* source, char* destination) {
  return JoinPairs(source, destination, LineEnd::kLF);
}

ZafIChar* ZafCRToCRLF(const ZafIChar* source, ZafIChar* destination, int capacity) {
  return MakePairs(source, destination, capacity, LineEnd::kCR);
}

ZafIChar* ZafLFToCRLF(const ZafIChar* source, ZafIChar* destination, int capacity) {
  return MakePairs(source, destination, capacity, LineEnd::kLF);
}

char* ZafCRToCRLFNarrow(const char* source, char* destination, int capacity) {
  return MakePairs(source, destination, capacity, LineEnd::kCR);
}

char* ZafLFToCRLFNarrow(const char* source, char* destination, int capacity) {
  return MakePairs(source, destination, capacity, LineEnd::kLF);
}
