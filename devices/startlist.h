#pragma once
// The start lists the photo-finish system publishes: the meet schedule (one race per line), the races with
// their competitors, and the people. The same layouts come in files ("vesk.sch", "vesk.evt", "vesk.ppl")
// and in the answers of the serial database link; docs/photo-finish-interface.md describes them.
// Everything read is outside input: lines that do not fit are skipped and noted, never trusted.

#include <cstdint>
#include <map>
#include <vector>

#include "foundation/kstring.h"

class KStream;

class StartList {
 public:
  // Lines longer than this (in characters) are skipped.
  static constexpr int32_t kMaxLineLength = 1000;
  // A used field longer than this makes its line skipped; the result texts keep no more.
  static constexpr int32_t kMaxFieldLength = 255;
  // Files larger than this (in bytes) are not read at all, and no text is read beyond it.
  static constexpr int64_t kMaxFileBytes = 4 * 1024 * 1024;
  static constexpr int32_t kMaxRaces = 2000;
  static constexpr int32_t kMaxCompetitors = 100;  // per race: a leg holds no more results
  static constexpr int32_t kMaxPeople = 20000;
  // Problems kept for the log; further ones are only counted.
  static constexpr int32_t kMaxProblems = 20;

  struct Competitor {
    KString id;
    KString lane;
    KString lastName;
    KString firstName;
    KString affiliation;
    KString licence;
  };
  struct Race {
    KString event;
    KString round;
    KString heat;
    KString name;
    std::vector<Competitor> competitors;
  };
  struct Person {
    KString lastName;
    KString firstName;
    KString affiliation;
    KString licence;
  };
  struct Problem {
    KString source;  // the file name or link answer the line came from
    int32_t line;    // from 1
    KString reason;
  };

  void Clear();

  // Each reader appends what it finds in the text of a stream (already set to its encoding) and notes the
  // lines it skips under `source`.
  void ReadSchedule(KStream& stream, const KString& source);
  void ReadRaces(KStream& stream, const KString& source);
  void ReadPeople(KStream& stream, const KString& source);

  // The same from files in the given stream encoding. A missing file adds nothing and is no problem; a file
  // that cannot be read, is no regular file or is too large when opened is noted and adds nothing (one that
  // grows beyond kMaxFileBytes while it is read is noted and adds the lines before).
  enum Kind : int32_t { kSchedule, kRaces, kPeople };
  void ReadFile(const KString& path, Kind kind, int32_t encoding);

  // The schedule's races in file order; they carry no competitors.
  const std::vector<Race>& Schedule() const { return schedule; }
  const std::vector<Race>& Races() const { return races; }
  // The race with that event, round and heat (see SameNumber); the last one listed wins.
  const Race* FindRace(const KString& event, const KString& round, const KString& heat) const;
  const Person* FindPerson(const KString& id) const;

  // Skipped lines, and the first kMaxProblems of them with their reasons.
  int32_t SkippedLines() const { return skippedLines; }
  const std::vector<Problem>& Problems() const { return problems; }

  // Event, round and heat texts match when they are equal, or when both are decimal numbers of the same
  // value ("007" and "7"), since photo-finish systems differ in how they pad them.
  static bool SameNumber(const KString& a, const KString& b);

 private:
  // Reads the stream line by line, skipping blank lines, comment lines (";" first), over-long lines and
  // lines with bad quotes, and hands the fields of every other line to `take`, which answers null or the
  // reason to skip the line. Reading stops after kMaxFileBytes.
  template <typename Take>
  void ForEachLine(KStream& stream, const KString& source, Take take);
  void Note(const KString& source, int32_t line, const char* reason);

  std::vector<Race> schedule;
  std::vector<Race> races;
  std::map<KString, Person> people;
  int32_t skippedLines = 0;
  std::vector<Problem> problems;
};
