#pragma once
// Helpers of the control-unit link tests: a fixture that plays a scenario in the simulator on a
// pseudo-terminal, opens the program's serial port on it as the results pane does, and records what the
// link reports.

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "devices/qvblocksensors.h"
#include "devices/qvblocksensorsreporter.h"
#include "foundation/kregistry.h"
#include "foundation/kserialport.h"
#include "foundation/kstring.h"
#include "model/qvsettings.h"
#include "model/ytime.h"
#include "tools/cusim/cusimulator.h"

// Keeps what the link reports, in order, as UTF-8 lines: "status: ...", "progress: n", "error: ...",
// "numbered: n".
class RecordingReporter : public QvBlockSensorsReporter {
 public:
  void StatusText(const KString& text) override { lines.push_back("status: " + text.ToUtf8()); }
  void Progress(int32_t percent) override { lines.push_back("progress: " + std::to_string(percent)); }
  void Error(const KString& text) override { lines.push_back("error: " + text.ToUtf8()); }
  void NumberedError(int32_t code) override { lines.push_back("numbered: " + std::to_string(code)); }

  std::vector<std::string> lines;
};

class CuLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    KRegistry::RegisterTypes();
    registry = std::make_unique<KRegistry>();
    QvSettings::SetRoot(registry.get());
    YTime::Setup();
    link.SetReporter(&reporter);
  }
  void TearDown() override {
    port.Close();
    simulator.reset();
    unsetenv("KESTROVE_COM77");
    QvSettings::SetRoot(nullptr);
    registry.reset();
    KRegistry::UnregisterTypes();
  }

  void AddSetting(const char16_t* line) {
    ASSERT_NE(KRegistry::AddLine(registry.get(), KString(line)), nullptr);
  }

  // Starts the simulator, maps port 77 to its pseudo-terminal and opens the port on it with the short
  // time-out, as the pane does after its settle wait.
  void Start(const CuScenario& scenario) {
    simulator = std::make_unique<CuSimulator>(scenario);
    setenv("KESTROVE_COM77", simulator->DevicePath().c_str(), 1);
    port.OpenSettings(KString(u"77,19200,8,N,1.0"), KSerialPort::kRead | KSerialPort::kWrite);
    port.SetTimeout(QvSettings::Int(u"\\Serial\\ShortTimeout", 1000));
  }

  // A scenario of 8 lanes with reaction times 150, 142 ... ms, version 0x15000.
  static CuScenario EightLanes() {
    CuScenario scenario;
    scenario.reactionTimes = {150, 142, 95, 88, 88, CuScenario::kNone, -20, 133};
    return scenario;
  }

  std::vector<uint32_t> Commands() const {
    std::vector<uint32_t> commands;
    for (const QvPacket& request : simulator->Requests()) {
      commands.push_back(request.command);
    }
    return commands;
  }

  std::unique_ptr<KRegistry> registry;
  std::unique_ptr<CuSimulator> simulator;
  KSerialPort port;
  RecordingReporter reporter;
  QvBlockSensors link;
};
