#include "tools/cusim/cuscenario.h"

#include <charconv>
#include <sstream>

namespace {

bool ParseNumber(const std::string& text, int32_t& value) {
  std::string_view view(text);
  int base = 10;
  if (view.size() > 2 && view[0] == '0' && (view[1] == 'x' || view[1] == 'X')) {
    view.remove_prefix(2);
    base = 16;
  }
  if (view == "none") {
    value = CuScenario::kNone;
    return true;
  }
  int64_t wide = 0;
  auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), wide, base);
  if (error != std::errc() || end != view.data() + view.size() || wide < INT32_MIN || wide > UINT32_MAX) {
    return false;
  }
  value = static_cast<int32_t>(static_cast<uint32_t>(wide));
  return true;
}

bool ParseList(const std::string& text, std::vector<int32_t>& values) {
  values.clear();
  std::stringstream items(text);
  std::string item;
  while (std::getline(items, item, ',')) {
    int32_t value = 0;
    if (!ParseNumber(item, value)) {
      return false;
    }
    values.push_back(value);
  }
  return true;
}

const std::map<std::string, CuFault>& FaultNames() {
  static const std::map<std::string, CuFault> names = {{"drop", CuFault::kDrop},
                                                       {"delay", CuFault::kDelay},
                                                       {"bad-checksum", CuFault::kChecksum},
                                                       {"bad-magic", CuFault::kMagic},
                                                       {"bad-request", CuFault::kRequestNumber},
                                                       {"noise-before", CuFault::kNoise},
                                                       {"frame-noise", CuFault::kFrameNoise},
                                                       {"gun-mismatch", CuFault::kGunMismatch}};
  return names;
}

}  // namespace

int32_t CuScenario::ReactionTime(int32_t lane) const {
  if (lane < 1 || lane > static_cast<int32_t>(reactionTimes.size())) {
    return kNone;
  }
  return reactionTimes[static_cast<size_t>(lane - 1)];
}

int16_t CuScenario::TraceSample(int32_t lane, int32_t channel, int32_t sample) {
  const int32_t value = lane * 1000 + sample / 10;
  return static_cast<int16_t>(channel == 0 ? value : -value);
}

bool CuScenario::ApplyLine(const std::string& line, std::string& error) {
  if (line.empty() || line[0] == '#') {
    return true;
  }
  const size_t equals = line.find('=');
  if (equals == std::string::npos) {
    error = "no '=' in \"" + line + "\"";
    return false;
  }
  const std::string key = line.substr(0, equals);
  const std::string value = line.substr(equals + 1);
  const std::map<std::string, int32_t*> numbers = {{"device", &deviceWord}, {"version", &version},
                                                   {"busy", &busy},         {"lanes", &laneCount},
                                                   {"clock", &clock},       {"set", &setWord},
                                                   {"gun", &gunWord},       {"stored", &storedTrials},
                                                   {"delayms", &delayMs},   {"replydelay", &replyDelayMs},
                                                   {"baud", &paceBaud}};
  bool ok = true;
  if (auto number = numbers.find(key); number != numbers.end()) {
    ok = ParseNumber(value, *number->second);
  } else if (key == "version-silent" || key == "bootmonitor") {
    int32_t flag = 0;
    ok = ParseNumber(value, flag);
    (key == "bootmonitor" ? bootMonitor : versionSilent) = flag != 0;
  } else if (key == "reaction") {
    ok = ParseList(value, reactionTimes);
  } else if (key == "noise") {
    startNoise = value;
  } else if (auto fault = FaultNames().find(key); fault != FaultNames().end()) {
    std::vector<int32_t> requests;
    ok = ParseList(value, requests);
    for (int32_t request : requests) {
      faults[request] = fault->second;
    }
  } else {
    error = "unknown key \"" + key + "\"";
    return false;
  }
  if (!ok) {
    error = "bad value in \"" + line + "\"";
  }
  return ok;
}
