#pragma once
// CuSimulator: a control unit on a pseudo-terminal. It opens the pair, keeps the device side up for the
// program to open (through KESTROVE_COM<n>), and answers on a thread of its own what the scenario says,
// packet requests or boot-monitor lines. Every request is logged so that tests can check what was sent.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "devices/qvframereader.h"
#include "tools/cusim/cubootmonitor.h"
#include "tools/cusim/cucontrolunit.h"
#include "tools/cusim/cuscenario.h"
#include "tools/pty/rawpseudoterminal.h"

class CuSimulator {
 public:
  // Opens the pseudo-terminal and starts answering; throws std::runtime_error when there is none to open.
  // `onRequest`, when given, sees each packet request or monitor line as text, on the simulator's thread.
  explicit CuSimulator(CuScenario scenario, std::function<void(const std::string&)> onRequest = {});
  ~CuSimulator();
  CuSimulator(const CuSimulator&) = delete;
  CuSimulator& operator=(const CuSimulator&) = delete;

  // The device path a program opens ("/dev/pts/N").
  const std::string& DevicePath() const { return terminal.DevicePath(); }

  // The packet requests received so far, in order.
  std::vector<QvPacket> Requests() const;
  // The boot-monitor lines received so far, without their CR.
  std::vector<std::string> MonitorLines() const;
  // The boot monitor's flash (see CuBootMonitor::Flash).
  std::vector<uint8_t> Flash(uint32_t address, uint32_t length) const;
  // Bytes the simulator read from the line and wrote to it (noise included).
  uint64_t BytesReceived() const { return bytesReceived; }
  uint64_t BytesSent() const { return bytesSent; }

 private:
  using Clock = std::chrono::steady_clock;

  void Run();
  // Takes bytes read from the line, paced when the scenario asks, and passes them on to OnBytes.
  void Receive(const uint8_t* bytes, size_t count);
  void OnBytes(const uint8_t* bytes, size_t count);
  void OnRequest(const QvPacket& request);
  void Report(const std::string& text) const;
  void OnMonitorByte(uint8_t byte);
  // Writes to the line, paced when the scenario asks; stops early once stopping.
  void Send(const std::vector<uint8_t>& bytes);
  void Pause(int32_t milliseconds);
  // Waits until `due` or until the simulator stops.
  void WaitUntil(Clock::time_point due);
  // The time `byteCount` bytes take on the line at the paced speed.
  std::chrono::nanoseconds LineTime(size_t byteCount) const;

  const CuScenario scenario;
  const std::function<void(const std::string&)> onRequest;
  CuControlUnit unit;
  CuBootMonitor monitor;
  QvFrameReader reader;
  // Its controller side is set non-blocking.
  RawPseudoTerminal terminal;
  int stopPipe[2] = {-1, -1};
  std::atomic<bool> stopping = false;
  std::atomic<uint64_t> bytesReceived = 0;
  std::atomic<uint64_t> bytesSent = 0;
  Clock::time_point receiveLineFree;  // when the last byte received so far has crossed the line
  mutable std::mutex mutex;           // guards the logs and the monitor's flash
  std::vector<QvPacket> requests;
  std::vector<std::string> monitorLines;
  std::string pendingLine;
  std::thread worker;
};
