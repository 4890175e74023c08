#pragma once
// CuScenario: what the control-unit simulator plays: the unit's identity and version, the latest trial with
// the reaction time of each lane, and the faults to inject on chosen requests. Read from "key=value" lines
// by people (docs/control-unit-simulator.md) and filled in directly by tests.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// A fault played on one request, counted from 1 over the packet requests the simulator received.
enum class CuFault {
  kDrop,           // no reply
  kDelay,          // the reply comes after delayMs
  kChecksum,       // the reply's checksum is off by one
  kMagic,          // the reply's magic reads "vuxM"
  kRequestNumber,  // the reply carries a request number 1000 above the right one
  kNoise,          // line noise just before the reply
  kFrameNoise,     // line noise that looks like the start of a long frame, just before the reply
  kGunMismatch,    // a header or record reply whose gun word is one millisecond late
};

struct CuScenario {
  static constexpr int32_t kNone = INT32_MIN;

  int32_t deviceWord = 0x20001;
  int32_t version = 0x15000;
  bool versionSilent = false;  // firmware that predates the version query
  int32_t busy = 0;
  int32_t laneCount = 8;
  // The unit's clock words, in milliseconds since it was switched on.
  int32_t clock = 600000;
  int32_t setWord = 500000;
  int32_t gunWord = 502000;  // kNone: no gun was fired
  // Reaction time of lanes 1, 2 ... in ms relative to the gun; kNone for none. Lanes beyond the list have
  // none.
  std::vector<int32_t> reactionTimes;
  int32_t storedTrials = 3;
  std::map<int32_t, CuFault> faults;
  int32_t delayMs = 0;       // the delay of kDelay
  int32_t replyDelayMs = 0;  // every reply waits this long
  // Bytes put on the line when the simulator starts, before any program opens it.
  std::string startNoise;
  // Sends at the pace of this many bits per second (10 bits a byte); 0 sends at once.
  int32_t paceBaud = 0;
  // Speak the boot-monitor dialogue instead of packets.
  bool bootMonitor = false;

  // The reaction time of a lane from 1 (kNone when it has none).
  int32_t ReactionTime(int32_t lane) const;
  // The synthetic force trace: sample 0 to 5000 of channel 0 or 1 of a lane, a ramp per lane that fits 16
  // bits (channel 2 is channel 1 negated).
  static int16_t TraceSample(int32_t lane, int32_t channel, int32_t sample);

  // Applies one "key=value" line; blank lines and lines starting with '#' are ignored. False, with an
  // explanation in `error`, for an unknown key or a value that does not parse.
  bool ApplyLine(const std::string& line, std::string& error);
};
