#include "tools/cusim/cucontrolunit.h"

namespace {

uint32_t Word(int32_t value) {
  return static_cast<uint32_t>(value);
}

}  // namespace

bool CuControlUnit::Answer(const QvPacket& request, bool gunMismatch, QvPacket& reply) const {
  reply = QvPacket();
  reply.destination = request.source;
  reply.source = request.destination == QvPacket::kAnyDevice
                     ? (scenario.deviceWord == QvPacket::kBlockSensorWord ? QvPacket::kSensorBaseAddress + 1
                                                                          : QvPacket::kControlUnitAddress)
                     : request.destination;
  reply.requestNumber = request.requestNumber;
  reply.command = request.command;
  const auto& args = request.words;
  const bool toUnit = request.destination == QvPacket::kControlUnitAddress;
  const int32_t lane = SensorLane(request.destination);
  switch (request.command) {
    case QvPacket::kIdentify:
      reply.words = {Word(scenario.deviceWord)};
      break;
    case QvPacket::kVersion:
      if (scenario.versionSilent) {
        return false;
      }
      if (toUnit) {
        reply.words = {Word(scenario.version)};
      }
      break;
    case QvPacket::kTrialHeader:
      if (toUnit && args.size() == 1 && args[0] == 1) {
        TrialHeader(gunMismatch, reply);
      }
      break;
    case QvPacket::kTrialRecord:
      if (lane != 0 && args.size() == 1 && args[0] < static_cast<uint32_t>(scenario.storedTrials)) {
        TrialRecord(lane, gunMismatch, reply);
      }
      break;
    case QvPacket::kTraceBlock:
      if (lane != 0 && args.size() == 2 && args[0] < static_cast<uint32_t>(scenario.storedTrials) &&
          args[1] < static_cast<uint32_t>(QvPacket::kTraceBlocks)) {
        TraceBlock(lane, args[1], reply);
      }
      break;
    case QvPacket::kTrialCount:
      if (lane != 0 && args.empty()) {
        reply.words = {Word(lane), Word(scenario.storedTrials), 100};
      }
      break;
    case QvPacket::kText:
      // A character count of at most 62 and the words that hold them.
      if (toUnit && !args.empty() && args[0] <= 62 && args.size() == 1 + (args[0] + 3) / 4) {
        reply.words = {0};
      }
      break;
    case QvPacket::kLaneStates:
      if (toUnit && args.size() == 2 && args[0] == 1) {
        reply.words = {0};
      }
      break;
    default:
      break;
  }
  return true;
}

void CuControlUnit::TrialHeader(bool gunMismatch, QvPacket& reply) const {
  const int32_t gun = GunWord(gunMismatch);
  reply.words = {Word(scenario.clock), Word(scenario.busy), Word(scenario.laneCount), Word(scenario.setWord),
                 Word(gun)};
  if (scenario.version < 0x15000) {
    return;
  }
  // The moments of the reactions on the unit's clock, 0 for none.
  for (int32_t lane = 1; lane <= 10; ++lane) {
    const int32_t reaction = scenario.ReactionTime(lane);
    const bool none =
        reaction == CuScenario::kNone || scenario.gunWord == CuScenario::kNone || lane > scenario.laneCount;
    // The unit's clock wraps: the moment is taken modulo 2^32.
    reply.words.push_back(none ? 0 : Word(scenario.gunWord) + Word(reaction));
  }
}

void CuControlUnit::TrialRecord(int32_t lane, bool gunMismatch, QvPacket& reply) const {
  const int32_t reaction = scenario.ReactionTime(lane);
  const bool hasReaction = reaction != CuScenario::kNone;
  const int32_t extraCount = lane % 10;
  const uint32_t setTime = scenario.gunWord == CuScenario::kNone
                               ? Word(CuScenario::kNone)
                               : Word(scenario.setWord) - Word(scenario.gunWord);
  reply.words = {Word(lane),
                 Word(GunWord(gunMismatch)),
                 Word(500 + 10 * lane),
                 Word(reaction),
                 Word(hasReaction ? reaction + 150 : CuScenario::kNone),
                 setTime,
                 Word(extraCount)};
  for (int32_t i = 1; i <= 9; ++i) {
    reply.words.push_back(i <= extraCount ? Word(100 * i + lane) : 0);
  }
  reply.words.push_back(Word(3 * lane));
}

void CuControlUnit::TraceBlock(int32_t lane, uint32_t block, QvPacket& reply) const {
  constexpr int32_t kBlockSize = QvPacket::kTraceBlockSamples;
  reply.words = {block, kBlockSize};
  for (int32_t channel = 0; channel < 2; ++channel) {
    for (int32_t i = 0; i < kBlockSize; i += 2) {
      const int32_t sample = static_cast<int32_t>(block) * kBlockSize + i;
      const uint16_t low = static_cast<uint16_t>(CuScenario::TraceSample(lane, channel, sample));
      const uint16_t high = static_cast<uint16_t>(CuScenario::TraceSample(lane, channel, sample + 1));
      reply.words.push_back(static_cast<uint32_t>(high) << 16 | low);
    }
  }
}

int32_t CuControlUnit::SensorLane(uint16_t address) const {
  if (address == QvPacket::kSensorBaseAddress) {
    return 1;
  }
  const int32_t lane = address - QvPacket::kSensorBaseAddress;
  return lane >= 1 && lane <= scenario.laneCount && lane <= 15 ? lane : 0;
}

int32_t CuControlUnit::GunWord(bool mismatch) const {
  if (scenario.gunWord == CuScenario::kNone || !mismatch) {
    return scenario.gunWord;
  }
  return static_cast<int32_t>(Word(scenario.gunWord) + 1);
}
