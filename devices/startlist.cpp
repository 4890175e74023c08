#include "devices/startlist.h"

#include <filesystem>
#include <system_error>

#include "devices/csvfields.h"
#include "devices/startlistlines.h"
#include "foundation/kbufferedfile.h"
#include "foundation/kx.h"

namespace {

constexpr int32_t kFileBufferSize = 4096;

// The field at `index`, empty when the line is shorter.
KString FieldAt(const std::vector<KString>& fields, size_t index) {
  return index < fields.size() ? fields[index] : KString();
}

// True when one of the first `used` fields is longer than a result text may be.
bool HasOverlongField(const std::vector<KString>& fields, size_t used) {
  for (size_t i = 0; i < fields.size() && i < used; ++i) {
    if (fields[i].Length() > StartList::kMaxFieldLength) {
      return true;
    }
  }
  return false;
}

// The value of a text of decimal digits without sign; false for anything else or for more digits than
// any race number has.
bool DecimalValue(const KString& text, int64_t& value) {
  if (text.IsEmpty() || text.Length() > 18) {
    return false;
  }
  value = 0;
  for (int32_t i = 0; i < text.Length(); ++i) {
    if (text[i] < u'0' || text[i] > u'9') {
      return false;
    }
    value = value * 10 + (text[i] - u'0');
  }
  return true;
}

}  // namespace

void StartList::Clear() {
  schedule.clear();
  races.clear();
  people.clear();
  skippedLines = 0;
  problems.clear();
}

void StartList::Note(const KString& source, int32_t line, const char* reason) {
  ++skippedLines;
  if (static_cast<int32_t>(problems.size()) < kMaxProblems) {
    problems.push_back(Problem{source, line, KString(reason)});
  }
}

template <typename Take>
void StartList::ForEachLine(KStream& stream, const KString& source, Take take) {
  StartListLines lines(stream, kMaxLineLength, kMaxFileBytes);
  std::vector<KString> fields;
  KString line;
  for (int32_t number = 1;; ++number) {
    switch (lines.Next(line)) {
      case StartListLines::kEnd:
        return;
      case StartListLines::kTooMuch:
        // A file that grew after it was opened, or a device that never ends.
        Note(source, number, "the file is too large");
        return;
      case StartListLines::kTooLong:
        Note(source, number, "the line is too long");
        continue;
      case StartListLines::kLine:
        break;
    }
    line.Trim();
    if (line.IsEmpty() || line[0] == u';') {
      continue;
    }
    const CsvFields::Result split = CsvFields::Split(line, fields);
    if (split != CsvFields::kOk) {
      Note(source, number, CsvFields::Describe(split));
      continue;
    }
    if (const char* reason = take(fields)) {
      Note(source, number, reason);
    }
  }
}

void StartList::ReadSchedule(KStream& stream, const KString& source) {
  ForEachLine(stream, source, [this](const std::vector<KString>& fields) -> const char* {
    if (fields.size() < 3 || fields[0].IsEmpty() || fields[1].IsEmpty() || fields[2].IsEmpty()) {
      return "event, round and heat are needed";
    }
    if (HasOverlongField(fields, 4)) {
      return "a field is too long";
    }
    if (static_cast<int32_t>(schedule.size()) >= kMaxRaces) {
      return "too many races";
    }
    schedule.push_back(Race{fields[0], fields[1], fields[2], FieldAt(fields, 3), {}});
    return nullptr;
  });
}

void StartList::ReadRaces(KStream& stream, const KString& source) {
  // Competitor lines belong to the race line above them; after a refused race line they belong nowhere.
  Race* race = nullptr;
  ForEachLine(stream, source, [this, &race](const std::vector<KString>& fields) -> const char* {
    if (!fields[0].IsEmpty()) {
      race = nullptr;
      if (fields.size() < 3 || fields[1].IsEmpty() || fields[2].IsEmpty()) {
        return "event, round and heat are needed";
      }
      if (HasOverlongField(fields, 4)) {
        return "a field is too long";
      }
      if (static_cast<int32_t>(races.size()) >= kMaxRaces) {
        return "too many races";
      }
      races.push_back(Race{fields[0], fields[1], fields[2], FieldAt(fields, 3), {}});
      race = &races.back();
      return nullptr;
    }
    if (race == nullptr) {
      return "a competitor line without its race";
    }
    if (fields.size() < 3 || fields[2].IsEmpty()) {
      return "a competitor needs a lane";
    }
    if (HasOverlongField(fields, 7)) {
      return "a field is too long";
    }
    if (static_cast<int32_t>(race->competitors.size()) >= kMaxCompetitors) {
      return "too many competitors in the race";
    }
    race->competitors.push_back(Competitor{fields[1], fields[2], FieldAt(fields, 3), FieldAt(fields, 4),
                                           FieldAt(fields, 5), FieldAt(fields, 6)});
    return nullptr;
  });
}

void StartList::ReadPeople(KStream& stream, const KString& source) {
  ForEachLine(stream, source, [this](const std::vector<KString>& fields) -> const char* {
    if (fields[0].IsEmpty()) {
      return "a person needs an id";
    }
    if (HasOverlongField(fields, 5)) {
      return "a field is too long";
    }
    if (static_cast<int32_t>(people.size()) >= kMaxPeople && people.count(fields[0]) == 0) {
      return "too many people";
    }
    people[fields[0]] =
        Person{FieldAt(fields, 1), FieldAt(fields, 2), FieldAt(fields, 3), FieldAt(fields, 4)};
    return nullptr;
  });
}

void StartList::ReadFile(const KString& path, Kind kind, int32_t encoding) {
  if (!KFileExists(path)) {
    return;
  }
  KString source;
  KFile(path).GetDirectory(source);
  source = KString(path.Data() + source.Length(), path.Length() - source.Length());
  // A FIFO would hold the program at open until someone writes, and a device may never end.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path.ToUtf8(), error)) {
    Note(source, 0, "not a regular file");
    return;
  }
  try {
    KBufferedFile file(kFileBufferSize, path);
    file.Open(KFile::kRead);
    if (file.Size() > kMaxFileBytes) {
      Note(source, 0, "the file is too large");
      return;
    }
    file.SetReadMode(encoding);
    switch (kind) {
      case kSchedule:
        ReadSchedule(file, source);
        break;
      case kRaces:
        ReadRaces(file, source);
        break;
      case kPeople:
        ReadPeople(file, source);
        break;
    }
  } catch (const KX&) {
    Note(source, 0, "the file cannot be read");
  }
}

const StartList::Race* StartList::FindRace(const KString& event, const KString& round,
                                           const KString& heat) const {
  for (auto race = races.rbegin(); race != races.rend(); ++race) {
    if (SameNumber(race->event, event) && SameNumber(race->round, round) && SameNumber(race->heat, heat)) {
      return &*race;
    }
  }
  return nullptr;
}

const StartList::Person* StartList::FindPerson(const KString& id) const {
  auto found = people.find(id);
  return found != people.end() ? &found->second : nullptr;
}

bool StartList::SameNumber(const KString& a, const KString& b) {
  if (a == b) {
    return true;
  }
  int64_t valueA = 0;
  int64_t valueB = 0;
  return DecimalValue(a, valueA) && DecimalValue(b, valueB) && valueA == valueB;
}
