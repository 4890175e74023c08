// Runs the serial database link's four requests (hello, schedule, race, results) against a database whose
// answers are the fuzzed bytes (devices/fuzz/fuzzedserialport.h); bit 6 of the first byte picks the code
// set, bit 7 whether requests carry the sum. Whatever the answers (codes, refusals, stray frames, noise),
// each request goes out once (after one without an answer, behind a hello) and ends answered, refused or
// unanswered, and the start lists the answers fill stay within their limits.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "devices/databaselink.h"
#include "devices/fuzz/fuzzedserialport.h"
#include "devices/startlist.h"
#include "foundation/ktime.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int32_t charMode = size > 0 && (data[0] & 0x40) != 0 ? 1 : 0;
  const bool withChecksum = size > 0 && (data[0] & 0x80) != 0;
  auto owned = std::make_unique<FuzzedSerialPort>(data, size);
  const FuzzedSerialPort& port = *owned;
  // The database's time is the port's tick count, which passes only when the line is quiet, counted on
  // over its wrap.
  DatabaseLink link([last = KGetTickCount(), now = int64_t{0}]() mutable {
    const uint32_t tick = KGetTickCount();
    now += static_cast<uint32_t>(tick - last);
    last = tick;
    return now;
  });
  link.Attach(std::move(owned), charMode, withChecksum, 0);

  // Each request goes out once; after one without an answer a hello goes first, and the request only when
  // the hello is answered.
  bool owed = false;
  const auto checked = [&port, &owed](DatabaseLink::Outcome outcome, int32_t writesBefore) {
    Check(outcome == DatabaseLink::kAnswered || outcome == DatabaseLink::kRefused ||
          outcome == DatabaseLink::kNoAnswer);
    const int32_t sent = port.Writes() - writesBefore;
    Check(sent == 1 || (owed && sent == 2));
    owed = outcome == DatabaseLink::kNoAnswer;
  };
  KString name;
  int32_t before = port.Writes();
  checked(link.Hello(name), before);
  StartList lists;
  before = port.Writes();
  checked(link.RequestSchedule(lists), before);
  before = port.Writes();
  checked(link.RequestRace(u"2", u"1", u"1", lists), before);
  before = port.Writes();
  checked(link.SendResults({u"2,1,1,Final", u"3,7,Berg,Ann,Club,,0,0.150,0,"}), before);

  Check(lists.Schedule().size() <= static_cast<size_t>(StartList::kMaxRaces));
  Check(lists.Races().size() <= static_cast<size_t>(StartList::kMaxRaces));
  for (const StartList::Race& race : lists.Races()) {
    Check(race.competitors.size() <= static_cast<size_t>(StartList::kMaxCompetitors));
  }
  // At most a frame that is not complete yet, its code and sum, and one read of at most 64 bytes.
  Check(link.Reader().Pending() <= static_cast<size_t>(DatabaseFrame::kMaxPayloadBytes) + 32 + 64);
  return 0;
}
