// Runs every request of the control-unit link once, in the order the program uses them, against a unit
// whose replies are the fuzzed bytes (devices/fuzz/fuzzedserialport.h): identify, version and latest
// trial header, the checked trial header, the stored-trial list, a lane's trial record with the trace
// blocks of a short download window, a text and the lane states. Whatever the replies, each request
// either fails or leaves values inside their ranges, and a failed last attempt leaves nothing behind.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "devices/fuzz/fuzzedserialport.h"
#include "devices/qvblocksensors.h"
#include "foundation/kregistry.h"
#include "model/racelanes.h"
#include "model/qvresult.h"
#include "model/qvresults.h"
#include "model/qvsettings.h"
#include "model/qvtrace.h"
#include "model/ytime.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

constexpr int32_t kLane = 3;
constexpr int32_t kGunTime = 502000;

// A download window of one trace step (the first half second), so that a whole download takes three trace
// blocks.
void Setup() {
  static std::unique_ptr<KRegistry> settings;
  if (settings) {
    return;
  }
  KRegistry::RegisterTypes();
  YTime::Setup();
  settings = std::make_unique<KRegistry>();
  QvSettings::SetRoot(settings.get());
  QvSettings::Write(KString(u"\\Hardware\\BlockSensor\\StartTimeDL:Float=0"));
  QvSettings::Write(KString(u"\\Hardware\\BlockSensor\\EndTimeDL:Float=0.5"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Setup();
  FuzzedSerialPort port(data, size);
  QvBlockSensors link;

  const int32_t form = link.GetReplyWord(port);
  int32_t busy = -1;
  int32_t laneCount = -1;
  int32_t clockWord = 0;
  int32_t offset = 0;
  int32_t setWord = 0;
  int32_t gunTimeWord = 0;
  int32_t version = 0;
  if (link.GetLastTrial(port, form, busy, laneCount, clockWord, offset, setWord, gunTimeWord, version)) {
    Check(busy != 0 || (laneCount >= 0 && laneCount <= kMostLanes));
  }

  QvBlockSensors::HeaderWords header;
  header.fill(0);
  if (!link.GetTrialHeader(port, header, kGunTime, true)) {
    for (int32_t word : header) {
      Check(word == QvBlockSensors::kNone);
    }
  }

  int32_t stored = -1;
  if (link.GetTrialList(port, kLane, stored)) {
    Check(stored >= 0 && stored <= QvBlockSensors::kMaxStoredTrials);
  }

  const bool downloaded = link.DownloadTrials(port, kLane, 0, kGunTime, false, true, 0);
  const QvTrialRecord& record = link.LastRecord();
  Check(record.filled == downloaded);
  Check(record.extraTimeCount >= 0 && record.extraTimeCount <= QvResult::kExtraTimeCount);
  QvResult result;
  link.FillResult(result, false);
  Check(result.TraceSampleCount() == (downloaded ? QvTrace::kBlockSize : 0));

  link.SendText(port, KString(u"Lane 3 false start"), false);
  QvResults results;
  link.SendLaneStates(port, results, nullptr, false);
  return 0;
}
