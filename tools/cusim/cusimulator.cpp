#include "tools/cusim/cusimulator.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "foundation/kx.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

}  // namespace

CuSimulator::CuSimulator(CuScenario scenarioToPlay, std::function<void(const std::string&)> onRequest)
    : scenario(std::move(scenarioToPlay)), onRequest(std::move(onRequest)), unit(scenario) {
  if (pipe2(stopPipe, O_CLOEXEC) != 0) {
    Fail("pipe2");
  }
  const int controller = terminal.Controller();
  fcntl(controller, F_SETFL, fcntl(controller, F_GETFL) | O_NONBLOCK);
  Send(std::vector<uint8_t>(scenario.startNoise.begin(), scenario.startNoise.end()));
  worker = std::thread([this] { Run(); });
}

CuSimulator::~CuSimulator() {
  stopping = true;
  const char stop = 's';
  (void)!write(stopPipe[1], &stop, 1);
  worker.join();
  close(stopPipe[0]);
  close(stopPipe[1]);
}

std::vector<QvPacket> CuSimulator::Requests() const {
  std::lock_guard hold(mutex);
  return requests;
}

std::vector<std::string> CuSimulator::MonitorLines() const {
  std::lock_guard hold(mutex);
  return monitorLines;
}

std::vector<uint8_t> CuSimulator::Flash(uint32_t address, uint32_t length) const {
  std::lock_guard hold(mutex);
  return monitor.Flash(address, length);
}

void CuSimulator::Run() {
  uint8_t bytes[512];
  while (!stopping) {
    pollfd waiting[2] = {{terminal.Controller(), POLLIN, 0}, {stopPipe[0], POLLIN, 0}};
    const int ready = poll(waiting, 2, -1);
    if (ready < 0 && errno == EINTR) {
      continue;
    }
    if (ready < 0 || (waiting[1].revents & POLLIN) != 0) {
      return;
    }
    if ((waiting[0].revents & POLLIN) == 0) {
      continue;
    }
    const ssize_t got = read(terminal.Controller(), bytes, sizeof bytes);
    if (got > 0) {
      bytesReceived += static_cast<uint64_t>(got);
      OnBytes(bytes, static_cast<size_t>(got));
    }
  }
}

void CuSimulator::OnBytes(const uint8_t* bytes, size_t count) {
  if (scenario.bootMonitor) {
    for (size_t i = 0; i < count; ++i) {
      OnMonitorByte(bytes[i]);
    }
    return;
  }
  QvPacket request;
  std::unique_lock hold(mutex);
  reader.Feed(bytes, count);
  for (int32_t code = reader.Next(request); code != QvFrameReader::kNeedMore; code = reader.Next(request)) {
    if (code != kErrNone) {
      continue;  // a damaged request goes unanswered, as on a real line
    }
    requests.push_back(request);
    hold.unlock();
    OnRequest(request);
    hold.lock();
  }
}

void CuSimulator::OnRequest(const QvPacket& request) {
  int32_t ordinal = 0;
  {
    std::lock_guard hold(mutex);
    ordinal = static_cast<int32_t>(requests.size());
  }
  char text[96];
  std::snprintf(text, sizeof text, "#%d to %u: command 0x%08x, %zu argument(s)", ordinal, request.destination,
                request.command, request.words.size());
  Report(text);
  const auto found = scenario.faults.find(ordinal);
  const bool hasFault = found != scenario.faults.end();
  const CuFault fault = hasFault ? found->second : CuFault::kDrop;
  QvPacket reply;
  if (!unit.Answer(request, hasFault && fault == CuFault::kGunMismatch, reply) ||
      (hasFault && fault == CuFault::kDrop)) {
    return;
  }
  Pause(scenario.replyDelayMs + (hasFault && fault == CuFault::kDelay ? scenario.delayMs : 0));
  if (hasFault && fault == CuFault::kRequestNumber) {
    reply.requestNumber += 1000;
  }
  std::vector<uint8_t> frame = reply.Encode();
  if (hasFault && fault == CuFault::kChecksum) {
    frame.back() ^= 1;
  } else if (hasFault && fault == CuFault::kMagic) {
    frame[11] = 'M';
  } else if (hasFault && fault == CuFault::kNoise) {
    const uint8_t noise[] = {0x00, 0xF1, 0x55, 0xF1, 0x01, 0xFF, 0xFF, 0x13};
    frame.insert(frame.begin(), std::begin(noise), std::end(noise));
  } else if (hasFault && fault == CuFault::kFrameNoise) {
    // A sync word announcing a frame of 4090 bytes, an address pair, and a magic that goes wrong.
    const uint8_t noise[] = {0xF1, 0x01, 0x0F, 0xFA, 0x00, 0x01, 0x02, 0x81, 'v', 'u', 0x00};
    frame.insert(frame.begin(), std::begin(noise), std::end(noise));
  }
  Send(frame);
}

void CuSimulator::Report(const std::string& text) const {
  if (onRequest) {
    onRequest(text);
  }
}

void CuSimulator::OnMonitorByte(uint8_t byte) {
  if (byte != '\r') {
    // A line longer than any upload line is noise; keep only its end.
    if (pendingLine.size() < 512) {
      pendingLine.push_back(static_cast<char>(byte));
    }
    return;
  }
  std::string answer;
  {
    std::lock_guard hold(mutex);
    monitorLines.push_back(pendingLine);
    Report(pendingLine.substr(0, 40));
    answer = monitor.Answer(pendingLine);
  }
  pendingLine.clear();
  Pause(scenario.replyDelayMs);
  Send(std::vector<uint8_t>(answer.begin(), answer.end()));
}

void CuSimulator::Send(const std::vector<uint8_t>& bytes) {
  using Clock = std::chrono::steady_clock;
  // Paced output goes out in slices of about 10 ms of line time, each slice waiting for the moment the line
  // would have carried the bytes before it (10 bits a byte).
  const size_t slice = scenario.paceBaud > 0 ? std::max<size_t>(1, scenario.paceBaud / 1000) : bytes.size();
  const Clock::time_point begin = Clock::now();
  for (size_t sent = 0; sent < bytes.size() && !stopping;) {
    if (scenario.paceBaud > 0) {
      const auto due =
          begin + std::chrono::milliseconds(static_cast<int64_t>(sent) * 10000 / scenario.paceBaud);
      Pause(static_cast<int32_t>(std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now()).count()));
    }
    const size_t count = std::min(slice, bytes.size() - sent);
    const ssize_t written = write(terminal.Controller(), bytes.data() + sent, count);
    if (written < 0 && (errno == EINTR || errno == EAGAIN)) {
      // The line's buffer is full: wait until the program reads, or until the simulator stops.
      pollfd waiting[2] = {{terminal.Controller(), POLLOUT, 0}, {stopPipe[0], POLLIN, 0}};
      (void)poll(waiting, 2, -1);
      continue;
    }
    if (written <= 0) {
      return;
    }
    sent += static_cast<size_t>(written);
    bytesSent += static_cast<uint64_t>(written);
  }
}

void CuSimulator::Pause(int32_t milliseconds) {
  if (milliseconds <= 0) {
    return;
  }
  pollfd waiting{stopPipe[0], POLLIN, 0};
  (void)poll(&waiting, 1, milliseconds);
}
