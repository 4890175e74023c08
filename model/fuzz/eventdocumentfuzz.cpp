// Opens arbitrary bytes as an event document. A refused document must leave the event as it was; an accepted
// one must write back to the very bytes it was read from, since every field is stored exactly. The one
// change reading makes is to a file saved before lanes kept their trial's gun: lanes holding trial data take
// the gun of the trial last applied, so there a lane's empty gun may come back as a gun in milliseconds.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kx.h"
#include "model/qvevent.h"
#include "model/ytime.h"

namespace {

std::vector<uint8_t> Stored(const YTime& time) {
  KMemoryStream stream;
  time.Write(stream);
  return stream.Bytes();
}

// Whether the stored time at `at` is the empty time in `read` and a gun in whole milliseconds in `written`.
bool GunGiven(const std::vector<uint8_t>& read, const std::vector<uint8_t>& written, size_t at) {
  static const std::vector<uint8_t> empty = Stored(YTime());
  if (at + empty.size() > read.size() || !std::equal(empty.begin(), empty.end(), read.begin() + at)) {
    return false;
  }
  KMemoryStream stream(std::vector<uint8_t>(written.begin() + at, written.begin() + at + empty.size()));
  YTime gun;
  gun.Read(stream);
  return gun.HasResolution() && gun == YTime::FromMilliseconds(gun.ToMilliseconds());
}

// Whether `written` differs from `read` only in guns given to empty ones.
bool WrittenBackAsRead(const std::vector<uint8_t>& read, const std::vector<uint8_t>& written) {
  if (written.size() != read.size()) {
    return false;
  }
  for (size_t at = 0; at < read.size();) {
    if (read[at] == written[at]) {
      ++at;
      continue;
    }
    const size_t from = at >= YTime::kStoredSize - 1 ? at - (YTime::kStoredSize - 1) : 0;
    size_t time = from;
    while (time <= at && !GunGiven(read, written, time)) {
      ++time;
    }
    if (time > at) {
      return false;
    }
    at = time + YTime::kStoredSize;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  KMemoryStream stream(bytes);
  QvEvent event;
  event.SetTitle(u"before");
  event.SetModified(false);
  try {
    event.Read(stream);
  } catch (const KX&) {
    if (!(event.GetTitle() == KString(u"before")) || event.GetLegCount() != 0) {
      std::abort();
    }
    return 0;
  }
  KMemoryStream written;
  event.Write(written);
  const auto used = static_cast<size_t>(stream.Position());
  if (!WrittenBackAsRead(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(used)),
                         written.Bytes())) {
    std::abort();
  }
  // What was written is a file of this build, which is read back unchanged.
  KMemoryStream again;
  QvEvent reread;
  reread.Read(written);
  reread.Write(again);
  if (again.Bytes() != written.Bytes()) {
    std::abort();
  }
  return 0;
}
