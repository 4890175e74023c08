// Runs the serial database link's four requests (hello, schedule, race, results) against a database whose
// answers are the fuzzed bytes (devices/fuzz/fuzzedserialport.h); bit 6 of the first byte picks the code
// set, bit 7 whether requests carry the sum. Whatever the answers (codes, refusals, stray frames, noise),
// each request goes out once and ends answered, refused or unanswered, and the start lists the answers
// fill stay within their limits.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "devices/databaselink.h"
#include "devices/fuzz/fuzzedserialport.h"
#include "devices/startlist.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

void CheckOutcome(DatabaseLink::Outcome outcome) {
  Check(outcome == DatabaseLink::kAnswered || outcome == DatabaseLink::kRefused ||
        outcome == DatabaseLink::kNoAnswer);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int32_t charMode = size > 0 && (data[0] & 0x40) != 0 ? 1 : 0;
  const bool withChecksum = size > 0 && (data[0] & 0x80) != 0;
  auto owned = std::make_unique<FuzzedSerialPort>(data, size);
  const FuzzedSerialPort& port = *owned;
  // The database's time never passes: only the end of the answers ends a wait.
  DatabaseLink link([] { return int64_t{0}; });
  link.Attach(std::move(owned), charMode, withChecksum, 0);

  KString name;
  CheckOutcome(link.Hello(name));
  StartList lists;
  CheckOutcome(link.RequestSchedule(lists));
  CheckOutcome(link.RequestRace(u"2", u"1", u"1", lists));
  CheckOutcome(link.SendResults({u"2,1,1,Final", u"3,7,Berg,Ann,Club,,0,0.150,0,"}));

  Check(port.Writes() == 4);
  Check(lists.Schedule().size() <= static_cast<size_t>(StartList::kMaxRaces));
  Check(lists.Races().size() <= static_cast<size_t>(StartList::kMaxRaces));
  for (const StartList::Race& race : lists.Races()) {
    Check(race.competitors.size() <= static_cast<size_t>(StartList::kMaxCompetitors));
  }
  // At most a frame that is not complete yet, its code and sum, and one read of at most 64 bytes.
  Check(link.Reader().Pending() <= static_cast<size_t>(DatabaseFrame::kMaxPayloadBytes) + 32 + 64);
  return 0;
}
