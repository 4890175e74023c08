#pragma once
// QvBlockSensors: the program's link to the control unit that collects the starting-block sensors. Each
// operation is one or a few packet exchanges (docs/control-unit-protocol.md) on a serial port the caller
// has opened; the results pane drives a download with them lane by lane, and the main frame drives the
// firmware and sound uploads. What the user should see goes to a reporter.

#include <array>
#include <cstdint>
#include <vector>

#include "devices/qvpacketexchange.h"
#include "devices/qvtrialrecord.h"
#include "foundation/kstring.h"
#include "model/racelanes.h"

class KSerialPort;
class LinkWaitReporter;
class QvBlockSensorsReporter;
class QvResult;
class QvResultFilter;
class QvResults;

class QvBlockSensors {
 public:
  // The firmware version from which the trial header carries the reaction times of lanes 1 to 10, and the
  // version assumed when the unit does not answer the version query.
  static constexpr int32_t kTimesInHeaderVersion = 0x15000;
  static constexpr uint32_t kShortHeaderWords = 5;
  static constexpr uint32_t kHeaderWords = 15;
  static constexpr int32_t kHeaderLanes = 10;
  static constexpr int32_t kMaxTextLength = 62;
  static constexpr int32_t kMaxStoredTrials = 1000;
  static constexpr int32_t kNone = INT32_MIN;

  using HeaderWords = std::array<int32_t, kHeaderWords>;

  QvBlockSensors() = default;
  QvBlockSensors(const QvBlockSensors&) = delete;
  QvBlockSensors& operator=(const QvBlockSensors&) = delete;

  // The longest wait for one reply, in ms: each wait holds the program's own work (it serves only the links,
  // the paints and the break key), so a longer read time-out is cut to this, as the database link's is.
  static constexpr int32_t kMaxReadTimeoutMs = 30000;

  // The attempts each request of a download gets ("\Event\Results\RetryCount", 3) and the time each
  // waits for its reply ("\Serial\ShortTimeout", in ms, KSerialPort::kDefaultTimeoutMs, at most
  // kMaxReadTimeoutMs); a hand-edited value of 0 or less is the built-in one, one above the most is the
  // most, and either is logged (positivesetting.h).
  static int32_t RetryCount();
  static int32_t ReadTimeout();
  // The download window set in seconds from the start of the trace ("\Hardware\BlockSensor\StartTimeDL",
  // 0, and "EndTimeDL", 5), each within the trace: a value outside it is the nearer end, and logged.
  static double DownloadStart();
  static double DownloadEnd();

  // The program-wide link: made and deleted by the start routine, null before and after.
  static QvBlockSensors* Global() { return global; }
  static void SetGlobal(QvBlockSensors* link) { global = link; }

  // Where status texts, progress and alerts go; null (the default) keeps them to itself.
  void SetReporter(QvBlockSensorsReporter* newReporter) { reporter = newReporter; }
  // The reporter of every wait for the unit's reply from now on (not owned; null: the link only waits): a
  // reply may take up to the read time-out, and what the program must not hold up that long is served
  // between the wait's slices. It must not use the link.
  void SetWaitReporter(LinkWaitReporter* waits) { exchange.SetWaitReporter(waits); }
  // The failure code of the last operation that failed (kErrNone when none has), and why the unit's reply
  // was refused when it failed for that, as the log says it (empty when it failed otherwise).
  int32_t LastError() const { return lastError; }
  const KString& Refusal() const { return refusal; }

  // Uploads a firmware image ("img") or start-gun sounds ("wav") to a block sensor that was just switched
  // on, through its boot monitor on the port of the first named serial port, its waits served as the
  // exchanges' are. The first pass asks for the file; later passes send the same file to the next sensor. True when an upload was done; a cancelled
  // choice, a file that cannot be sent or a failed upload give false (the last two with an alert).
  bool UpdateFirmware(bool firstPass);
  bool LoadAudio(bool firstPass);

  // Asks whoever is on the line who it is: 0x10001 a block sensor, 0x20001 the control unit, 0 on a
  // time-out or a bad reply.
  int32_t GetReplyWord(KSerialPort& port);
  // Asks the version (kTimesInHeaderVersion when that fails) and the latest trial header of the device of
  // `form` (the probe's word). busy = word 1; when it is 0 also the lane count, the clock word, the set and
  // gun-time words and the offset (gun minus set word, kNone without a gun). False when the header request
  // fails or its lane count is outside 0 to kMostLanes.
  bool GetLastTrial(KSerialPort& port, int32_t form, int32_t& busy, int32_t& laneCount, int32_t& clockWord,
                    int32_t& offset, int32_t& setWord, int32_t& gunTimeWord, int32_t& version);
  // Asks the 15-word trial header and checks its gun word against the expected one; words 5 to 14 become
  // the reaction times of lanes 1 to 10 relative to the gun (kNone for none). A busy unit fails the attempt
  // (5006). A wrong or missing gun fails, except on the last attempt, which reports it and goes on; an
  // expected kNone (a trial without a gun) takes a header without one and reports nothing. A failed last
  // attempt leaves every word kNone.
  bool GetTrialHeader(KSerialPort& port, HeaderWords& reply, int32_t expectedGunTime, bool lastAttempt);
  // Fetches the trial record of a lane's sensor (and, unless header only, the trace blocks of the download
  // window) into the link, with the gun checks of GetTrialHeader; an expected gun word of 0 takes any trial.
  // A failed attempt leaves the link's last record as it was, except the last attempt, which clears it (no
  // reaction time, no times, no trace) so that FillResult gives this lane nothing of another's.
  bool DownloadTrials(KSerialPort& port, int32_t lane, int32_t trialSelector, int32_t expectedGunTime,
                      bool headerOnly, bool lastAttempt, int32_t attempt);
  // Writes the last record into a result: always the power, the reaction time, the set time, the extra
  // times (no times from a record without a gun: they count from it); with `reactionTimeOnly` false also the
  // trace with its window, time 2, the gun time (the record's gun word) and the lane text (the record's
  // number). The record's sensor value has no place in a result and stays in LastRecord(). With
  // `reactionTimeOnly` true the result keeps the gun time it has.
  void FillResult(QvResult& result, bool reactionTimeOnly) const;
  // Tells the user that the trial has no gun, so none of its lanes has a reaction time.
  void ReportMissingGun() const;
  // The number of trials the sensor of a lane holds (0 to kMaxStoredTrials).
  bool GetTrialList(KSerialPort& port, int32_t lane, int32_t& count);
  // Sends a text for the unit to show, one byte per character (kbytetext.h), cut to kMaxTextLength.
  bool SendText(KSerialPort& port, const KString& text, bool showErrors);
  // Sends the state of every lane of the results in the filter's order (see LaneMask).
  bool SendLaneStates(KSerialPort& port, const QvResults& results, const QvResultFilter* filter,
                      bool showErrors);
  // 2 bits per lane at bit 2 x lane: 2 for a lane not in use (status 7), 1 for any other status but
  // valid, 0 for valid. A lane text that is not a number from 1 to kMostLanes is left out and logged.
  static uint32_t LaneMask(const QvResults& results, const QvResultFilter* filter);

  // The link's last record and trace, as DownloadTrials left them.
  const QvTrialRecord& LastRecord() const { return record; }

 private:
  enum UploadKind : int32_t { kFirmwareUpload = 0, kSoundUpload = 1 };
  bool Upload(UploadKind kind, bool firstPass);
  // The upload file's bytes; false (with lastError) when it cannot be read or is not of its kind.
  bool ReadUploadFile(UploadKind kind, std::vector<uint8_t>& data);
  // The settings text of the first named serial port; false when there is none.
  static bool FirstSerialPort(KString& settings);
  // One exchange; false with lastError set when it throws.
  bool Exchange(KSerialPort& port, uint16_t destination, uint32_t command,
                const std::vector<uint32_t>& arguments, uint32_t replyWords, std::vector<uint32_t>& reply);
  // The gun check of a header or record. True when the attempt may go on.
  bool GunTimeAccepted(int32_t gunTimeWord, int32_t expected, bool lastAttempt);
  // Sets lastError and answers false; the second also shows the numbered error, unless the program ends
  // its waits.
  bool Fail(int32_t code);
  // Fails a reply whose words cannot be taken (kErrSerialReceive) and logs what was refused and why.
  bool Refuse(const char16_t* what, const KString& why);
  // Refuses a count outside 0 to `most`: "<lead><count> <counted>, where 0 to <most> are taken".
  bool RefuseCount(const char16_t* what, KString lead, int32_t count, const char16_t* counted, int32_t most);
  bool FailWithAlert(int32_t code);
  // DownloadTrials without its status text and its clearing after a failed last attempt.
  bool FetchTrial(KSerialPort& port, int32_t lane, int32_t trialSelector, int32_t expectedGunTime,
                  bool headerOnly, bool lastAttempt);
  void ClearTrace();
  // The trace blocks of the download window, both channels.
  bool DownloadTrace(KSerialPort& port, uint16_t address, int32_t trialSelector);
  void ShowDownloading(int32_t lane, int32_t attempt) const;
  // A status-bar text, and an error alert.
  void Report(const KString& text) const;
  void Alert(const KString& text) const;

  static inline QvBlockSensors* global = nullptr;

  QvPacketExchange exchange;
  QvBlockSensorsReporter* reporter = nullptr;
  int32_t lastError = 0;
  KString refusal;
  QvTrialRecord record;
  int32_t traceFirstSample = 0;
  std::vector<int32_t> traceChannels[2];
  // The file each kind of upload sends, chosen on its first pass.
  KString uploadFiles[2];
};
