#pragma once
// CuControlUnit: the simulated control unit's answers to packet requests, made from a scenario. It knows
// nothing of the line: the simulator feeds it requests and plays the faults around its replies.

#include <cstdint>

#include "devices/qvpacket.h"
#include "tools/cusim/cuscenario.h"

class CuControlUnit {
 public:
  explicit CuControlUnit(const CuScenario& scenario) : scenario(scenario) {}

  // False when the unit stays silent (the version query of old firmware).
  bool Answer(const QvPacket& request, bool gunMismatch, QvPacket& reply) const;

 private:
  void TrialHeader(bool gunMismatch, QvPacket& reply) const;
  void TrialRecord(int32_t lane, bool gunMismatch, QvPacket& reply) const;
  void TraceBlock(int32_t lane, uint32_t block, QvPacket& reply) const;
  // The lane of a sensor address (512 itself answers as lane 1), 0 when no sensor has it.
  int32_t SensorLane(uint16_t address) const;
  int32_t GunWord(bool mismatch) const;

  const CuScenario& scenario;
};
