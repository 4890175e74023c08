#include "tools/cusim/cusimulator.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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
      Receive(bytes, static_cast<size_t>(got));
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

std::chrono::nanoseconds CuSimulator::LineTime(size_t byteCount) const {
  // 10 bits a byte on the line: start, 8 data, stop.
  return std::chrono::nanoseconds(static_cast<int64_t>(byteCount) * 10 * 1000000000 / scenario.paceBaud);
}

void CuSimulator::Receive(const uint8_t* bytes, size_t count) {
  if (scenario.paceBaud > 0) {
    // A request is acted on only once its last byte would have crossed the line; bytes that arrive while
    // earlier ones are still crossing queue behind them.
    receiveLineFree = std::max(receiveLineFree, Clock::now()) + LineTime(count);
    WaitUntil(receiveLineFree);
    if (stopping) {
      return;
    }
  }
  OnBytes(bytes, count);
}

void CuSimulator::Send(const std::vector<uint8_t>& bytes) {
  // Paced output goes out in slices of about 10 ms of line time, each slice released when its last byte
  // would have reached the far end, as a real line delivers it.
  const size_t slice = scenario.paceBaud > 0 ? std::max<size_t>(1, scenario.paceBaud / 1000) : bytes.size();
  const Clock::time_point begin = Clock::now();
  for (size_t sent = 0; sent < bytes.size() && !stopping;) {
    const size_t count = std::min(slice, bytes.size() - sent);
    if (scenario.paceBaud > 0) {
      WaitUntil(begin + LineTime(sent + count));
    }
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
  if (milliseconds > 0) {
    WaitUntil(Clock::now() + std::chrono::milliseconds(milliseconds));
  }
}

void CuSimulator::WaitUntil(Clock::time_point due) {
  pollfd waiting{stopPipe[0], POLLIN, 0};
  for (auto left = due - Clock::now(); left > Clock::duration::zero() && !stopping;
       left = due - Clock::now()) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(left);
    const timespec timeout{static_cast<time_t>(seconds.count()),
                           static_cast<long>(std::chrono::nanoseconds(left - seconds).count())};
    if (ppoll(&waiting, 1, &timeout, nullptr) > 0) {
      return;
    }
  }
}
