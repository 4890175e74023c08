#pragma once
// The serial database link: the program asks the photo-finish system's database, over a serial line, for
// the meet schedule and the start list of a race, and hands it the results of a race. Each request is a
// frame (databaseframe.h) answered by one frame:
//   HFL (hello)             -> HMM (the database's name)
//   SRQ (schedule request)  -> SRP (schedule lines) or AMB
//   IRQ (race request)      -> IRP (race and competitor lines) or AMB
//   RFL (results)           -> ROK or AMB
// AMB is the database's "cannot answer that". A request waits at most the link's time-out for its answer;
// what arrived before it was sent (noise, the rest of an earlier answer) is thrown away first. After a
// request that gave up, whose answer may still come, a hello goes first, and the request only once the
// hello is answered: the database answers in order, so the late answer has come and gone by then. An IRP
// about another race than the one asked for is no answer either. A request that finds the port closed or
// failing (a USB adapter pulled out and plugged in again) opens the port again once and is sent again
// before it fails. A request's wait holds the thread that asks; a reporter, when one is set, is told when it
// begins and ends and is served between its slices.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "devices/databaseframe.h"
#include "devices/linkclock.h"
#include "foundation/kserialport.h"
#include "foundation/kstring.h"

class LinkWaitReporter;
class StartList;

class DatabaseLink {
 public:
  static constexpr int32_t kDefaultTimeoutMs = 3000;
  // Each exchange holds the program up to the time-out, so a longer one is cut to this.
  static constexpr int32_t kMaxTimeoutMs = 30000;
  // What an exchange came to.
  enum Outcome : int32_t { kAnswered = 0, kRefused = 1, kNoAnswer = 2 };

  explicit DatabaseLink(LinkClock clock = nullptr);

  // Opens the serial port the settings text names. `charMode` is "\Database\CharMode" (0 one byte per
  // character, else UTF-8); requests carry the checksum when `withChecksum`. A time-out not above 0 is the
  // default, one above kMaxTimeoutMs is kMaxTimeoutMs. Throws KXSerialPort as the port does; the settings
  // stay for the requests, which try to open the port again.
  void Open(const KString& settings, int32_t charMode, bool withChecksum, int32_t timeoutMs);
  // Talks over a port the caller brings, open already or a stand-in for the device (fuzzing), instead of
  // its own, and never opens it again; the rest as Open.
  void Attach(std::unique_ptr<KSerialPort> port, int32_t charMode, bool withChecksum, int32_t timeoutMs);
  void Close();
  // The time-out each request is written with and waits for its answer, in milliseconds.
  int32_t Timeout() const { return timeoutMs; }
  // The reporter of every wait from now on (not owned); null: a request only waits.
  void SetWaitReporter(LinkWaitReporter* reporter) { waitReporter = reporter; }

  // HFL: kAnswered with the database's name.
  Outcome Hello(KString& name);
  // SRQ: the schedule's lines go into the start list.
  Outcome RequestSchedule(StartList& lists);
  // IRQ with the race: its race and competitor lines go into the start list.
  Outcome RequestRace(const KString& event, const KString& round, const KString& heat, StartList& lists);
  // RFL with the lines of the results interface file; kNoAnswer, with nothing sent, when they are more than
  // one frame carries.
  Outcome SendResults(const std::vector<KString>& lines);

  // The numbered error of the last request, 0 when it was answered: 5006 the database refused it, 5002 it
  // stayed silent, 5005 only answers with a wrong sum came, 5001 only broken ones (too long, cut off) or
  // ones refused for what they hold (logged, once a request), 5003
  // the request was more than a frame carries, otherwise the port's failure (5007 not open...).
  int32_t LastError() const { return lastError; }

  const DatabaseFrameReader& Reader() const { return reader; }
  // Frames that came while a request waited but answer nothing asked (unknown codes, answers to other
  // requests); stops at the largest int32_t value.
  int32_t StrayFrames() const { return strayFrames; }
  // Frames refused for what their payload holds (DatabaseFrame::Refusal); stops at the largest value.
  int32_t RefusedFrames() const { return refusedFrames; }

 private:
  // Whether a frame of the answer code answers the request; none: every one does.
  using Answers = std::function<bool(const DatabaseFrame&)>;

  void SetOptions(int32_t charMode, bool withChecksum, int32_t timeoutMs);
  // Sends a request and waits for a frame of the answer code that `answers` takes, or AMB.
  Outcome Exchange(const char* code, const std::vector<KString>& lines, const char* answerCode,
                   const Answers& answers, DatabaseFrame& answer);
  // Sends the request's bytes, once more after opening a failed port again, and waits for the answer (AMB
  // too when `refusable`).
  Outcome Send(const std::string& bytes, const char* answerCode, const Answers& answers, bool refusable,
               DatabaseFrame& answer);
  // One sending and the wait for its answer; sets lastError and, when the port failed, portFailed.
  Outcome Attempt(const std::string& bytes, const char* answerCode, const Answers& answers, bool refusable,
                  DatabaseFrame& answer);
  // The error of a wait that ran out: what came instead of the answer, if anything.
  int32_t UnansweredError(int32_t badSumsBefore, int32_t brokenBefore, int32_t refusedBefore) const;
  // Counts a frame refused for its payload, and logs it when it is the request's `first`.
  void RefuseFrame(const DatabaseFrame& frame, const char* why, bool first);
  // Opens the port again from the settings of Open; false (lastError set) when it does not open or the
  // port was attached.
  bool Reopen();

  LinkClock clock;
  LinkWaitReporter* waitReporter = nullptr;
  std::unique_ptr<KSerialPort> port;
  KString settings;  // empty for an attached port
  int32_t charMode = 0;
  bool withChecksum = true;
  int32_t timeoutMs = kDefaultTimeoutMs;
  DatabaseFrameReader reader;
  int32_t strayFrames = 0;
  int32_t refusedFrames = 0;
  int32_t lastError = 0;
  bool portFailed = false;
  // The last request gave up, and its answer may still come.
  bool answerOwed = false;
};
