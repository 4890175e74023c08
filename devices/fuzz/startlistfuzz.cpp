// Reads arbitrary bytes as each of the three start lists, in each code set. Whatever the bytes, the lists
// must stay within their limits and every kept text must fit a result's athlete field.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "devices/csvfields.h"
#include "devices/startlist.h"
#include "foundation/kbytetext.h"
#include "foundation/kmemorystream.h"
#include "foundation/kstream.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

void CheckText(const KString& text) {
  Check(text.Length() <= StartList::kMaxFieldLength);
}

// The text as a joined line carries it: control characters become blanks.
KString Written(const KString& text) {
  KString written;
  for (int32_t i = 0; i < text.Length(); ++i) {
    written.AppendChar(KIsControl(text[i]) ? u' ' : text[i]);
  }
  return written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  for (int32_t encoding : {KStream::kEncodingByte, KStream::kEncodingUtf16, KStream::kEncodingLocal}) {
    StartList lists;
    KMemoryStream schedule(bytes);
    schedule.SetReadMode(encoding);
    lists.ReadSchedule(schedule, u"vesk.sch");
    KMemoryStream races(bytes);
    races.SetReadMode(encoding);
    lists.ReadRaces(races, u"vesk.evt");
    KMemoryStream people(bytes);
    people.SetReadMode(encoding);
    lists.ReadPeople(people, u"vesk.ppl");

    Check(lists.Schedule().size() <= static_cast<size_t>(StartList::kMaxRaces));
    Check(lists.Races().size() <= static_cast<size_t>(StartList::kMaxRaces));
    Check(lists.Problems().size() <= static_cast<size_t>(StartList::kMaxProblems));
    Check(lists.SkippedLines() >= static_cast<int32_t>(lists.Problems().size()));
    for (const StartList::Race& race : lists.Races()) {
      Check(!race.event.IsEmpty() && !race.round.IsEmpty() && !race.heat.IsEmpty());
      Check(race.competitors.size() <= static_cast<size_t>(StartList::kMaxCompetitors));
      Check(lists.FindRace(race.event, race.round, race.heat) != nullptr);
      for (const StartList::Competitor& competitor : race.competitors) {
        Check(!competitor.lane.IsEmpty());
        for (const KString* text : {&competitor.id, &competitor.lane, &competitor.lastName,
                                    &competitor.firstName, &competitor.affiliation, &competitor.licence}) {
          CheckText(*text);
        }
        // A competitor written back as a line of the file reads back the same.
        std::vector<KString> fields;
        Check(CsvFields::Split(
                  CsvFields::Join({KString(), competitor.id, competitor.lane, competitor.lastName,
                                   competitor.firstName, competitor.affiliation, competitor.licence}),
                  fields) == CsvFields::kOk);
        Check(fields.size() == 7 && fields[2] == Written(competitor.lane));
      }
    }
  }
  return 0;
}
