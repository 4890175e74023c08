#include "foundation/kserialport.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <mutex>
#include <vector>

#include "foundation/kdeadline.h"
#include "foundation/kperiodictask.h"
#include "foundation/kstring.h"
#include "foundation/ktime.h"
#include "foundation/kx.h"

namespace {

// ---- settings fields --------------------------------------------------------------------------------------

constexpr int32_t kPortField = 0;
constexpr int32_t kBaudField = 1;
constexpr int32_t kDataBitsField = 2;
constexpr int32_t kParityField = 3;
constexpr int32_t kStopBitsField = 4;
constexpr int32_t kRepeatField = 5;

// Field `index` of the settings text with the blanks around it removed; false when it is missing or empty.
bool Field(const KString& text, int32_t index, KString& field) {
  if (!field.GetField(text, index, u',')) {
    return false;
  }
  field.Trim();
  return !field.IsEmpty();
}

bool IntField(const KString& text, int32_t index, int32_t& value) {
  KString field;
  return Field(text, index, field) && field.ParseInt(value);
}

// The index of the field's text in a table of texts, -1 when absent.
template <size_t N>
int32_t IndexOfText(const KString& field, const char* const (&texts)[N]) {
  for (size_t i = 0; i < N; ++i) {
    if (KString::Equals(field, KString(texts[i]))) {
      return static_cast<int32_t>(i);
    }
  }
  return -1;
}

// ---- the shared devices -----------------------------------------------------------------------------------

// One open device and the directions its objects have claimed, by port number.
struct SharedDevice {
  int descriptor;
  int32_t directions;
  int32_t users;
};

std::mutex devicesMutex;
std::map<int32_t, SharedDevice> openDevices;

[[noreturn]] void Fail(int32_t code, int32_t detail = 0) {
  throw KXSerialPort(code, detail);
}

// ---- line settings ----------------------------------------------------------------------------------------

struct LineSettings {
  int32_t baud = KSerialPort::kDefaultBaud;
  int32_t dataBitsIndex = 0;
  int32_t parityIndex = 0;
  int32_t stopBitsIndex = 0;
  int32_t repeatPeriodMs = 0;
};

struct StandardSpeed {
  int32_t baud;
  speed_t code;
};
constexpr StandardSpeed kStandardSpeeds[] = {
    {50, B50},           {75, B75},           {110, B110},         {134, B134},         {150, B150},
    {200, B200},         {300, B300},         {600, B600},         {1200, B1200},       {1800, B1800},
    {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000}, {1500000, B1500000},
    {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000}, {3500000, B3500000}, {4000000, B4000000},
};

// The kernel's termios with free baud rates (the settings list offers 12800, 14400 and 56000, which have no
// speed code). Its layout and request numbers are part of the Linux system-call interface on x86-64.
struct FreeSpeedTermios {
  tcflag_t iflag;
  tcflag_t oflag;
  tcflag_t cflag;
  tcflag_t lflag;
  cc_t line;
  cc_t cc[19];
  speed_t ispeed;
  speed_t ospeed;
};
constexpr unsigned long kGetFreeSpeed = _IOR('T', 0x2A, FreeSpeedTermios);
constexpr unsigned long kSetFreeSpeed = _IOW('T', 0x2B, FreeSpeedTermios);
constexpr tcflag_t kFreeSpeedCode = 0010000;  // speed taken from ispeed and ospeed

void SetFreeSpeed(int descriptor, int32_t baud) {
  FreeSpeedTermios settings{};
  if (ioctl(descriptor, kGetFreeSpeed, &settings) != 0) {
    Fail(kErrSerial, errno);
  }
  settings.cflag = (settings.cflag & ~static_cast<tcflag_t>(CBAUD)) | kFreeSpeedCode;
  settings.ispeed = static_cast<speed_t>(baud);
  settings.ospeed = static_cast<speed_t>(baud);
  if (ioctl(descriptor, kSetFreeSpeed, &settings) != 0) {
    Fail(kErrSerial, errno);
  }
}

// The check installed by SetLineCheck.
std::atomic<KSerialPort::LineCheck> extraLineCheck = nullptr;

void SetLine(int descriptor, const LineSettings& line) {
  static constexpr tcflag_t kSizes[] = {CS8, CS7, CS6, CS5};
  termios settings{};
  if (tcgetattr(descriptor, &settings) != 0) {
    Fail(kErrSerial, errno);
  }
  cfmakeraw(&settings);
  settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK);
  settings.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  settings.c_cflag |= CLOCAL | CREAD | kSizes[line.dataBitsIndex];
  switch (line.parityIndex) {
    case 1:  // odd
      settings.c_cflag |= PARENB | PARODD;
      break;
    case 2:  // even
      settings.c_cflag |= PARENB;
      break;
    case 3:  // mark: a stuck parity bit, 1
      settings.c_cflag |= PARENB | CMSPAR | PARODD;
      break;
    case 4:  // space: a stuck parity bit, 0
      settings.c_cflag |= PARENB | CMSPAR;
      break;
    default:
      break;
  }
  // 1.5 stop bits: termios offers one or two; a UART sends two as 1.5 when it has 5 data bits.
  if (line.stopBitsIndex > 0) {
    settings.c_cflag |= CSTOPB;
  }
  // Reads never block in the driver: the time-out is our poll's.
  settings.c_cc[VMIN] = 0;
  settings.c_cc[VTIME] = 0;
  const StandardSpeed* standard = std::find_if(std::begin(kStandardSpeeds), std::end(kStandardSpeeds),
                                               [&](const StandardSpeed& s) { return s.baud == line.baud; });
  const speed_t code = standard != std::end(kStandardSpeeds) ? standard->code : B38400;
  cfsetispeed(&settings, code);
  cfsetospeed(&settings, code);
  if (tcsetattr(descriptor, TCSANOW, &settings) != 0) {
    Fail(kErrSerial, errno);
  }
  if (standard == std::end(kStandardSpeeds)) {
    SetFreeSpeed(descriptor, line.baud);
  }
  if (line.parityIndex >= 3) {
    // A driver without stuck parity drops the flag silently; sending the wrong parity would be worse than
    // refusing the port.
    termios applied{};
    if (tcgetattr(descriptor, &applied) != 0 || (applied.c_cflag & CMSPAR) == 0) {
      Fail(kErrSerial);
    }
  }
  if (const KSerialPort::LineCheck check = extraLineCheck.load()) {
    check(descriptor);
  }
}

// Sets the line up for the settings, or leaves it as it was: a refused change must not leave another
// object of the port with a half-changed line.
void ApplyLine(int descriptor, const LineSettings& line) {
  if (line.dataBitsIndex >= 4) {
    Fail(kErrSerial);  // 4 data bits: no Linux line discipline offers them
  }
  FreeSpeedTermios before{};
  if (ioctl(descriptor, kGetFreeSpeed, &before) != 0) {
    Fail(kErrSerial, errno);
  }
  try {
    SetLine(descriptor, line);
  } catch (...) {
    // Nothing better can be done when the restore fails too; the open is refused either way.
    ioctl(descriptor, kSetFreeSpeed, &before);
    throw;
  }
}

LineSettings ParseLine(const KString& settings) {
  LineSettings line;
  struct Parser {
    int32_t field;
    bool (*parse)(const KString&, int32_t&);
    int32_t* value;
  } parsers[] = {
      {kBaudField, KSerialPort::ParseBaud, &line.baud},
      {kDataBitsField, KSerialPort::ParseDataBits, &line.dataBitsIndex},
      {kParityField, KSerialPort::ParseParity, &line.parityIndex},
      {kStopBitsField, KSerialPort::ParseStopBits, &line.stopBitsIndex},
      {kRepeatField, KSerialPort::ParseTaskPeriod, &line.repeatPeriodMs},
  };
  for (const Parser& parser : parsers) {
    KString field;
    // A missing field takes its default; one that is there must make sense.
    if (!parser.parse(settings, *parser.value) && Field(settings, parser.field, field)) {
      Fail(kErrSerial);
    }
  }
  return line;
}

}  // namespace

// Sends the last block again while the port is idle.
class KSerialPort::RepeatTask : public KPeriodicTask {
 public:
  explicit RepeatTask(KSerialPort& port) : port(port) {}
  ~RepeatTask() override { Stop(); }

 protected:
  void Tick(uint32_t tickCount) override { port.RepeatIfIdle(tickCount); }

 private:
  KSerialPort& port;
};

KSerialPort::KSerialPort(int32_t size, int32_t readBufferSize, int32_t writeBufferSize)
    : size(size),
      readBufferSize(std::max(readBufferSize, 1)),
      writeBufferSize(std::max(writeBufferSize, 1)) {}

KSerialPort::~KSerialPort() {
  Close();
}

// ---- settings text
// ------------------------------------------------------------------------------------------

bool KSerialPort::ParsePort(const KString& text, int32_t& port, int32_t defaultPort) {
  KString field;
  port = defaultPort;
  if (!Field(text, kPortField, field)) {
    return true;
  }
  int32_t value = 0;
  if (!field.ParseInt(value)) {
    return false;
  }
  port = value;
  return true;
}

bool KSerialPort::ParseBaud(const KString& text, int32_t& baud) {
  int32_t value = 0;
  bool parsed = IntField(text, kBaudField, value) && value > 0;
  baud = parsed ? value : kDefaultBaud;
  return parsed;
}

bool KSerialPort::ParseDataBits(const KString& text, int32_t& index) {
  int32_t bits = 0;
  index = 0;
  if (!IntField(text, kDataBitsField, bits)) {
    return false;
  }
  const auto* found = std::find(std::begin(kDataBitsValues), std::end(kDataBitsValues), bits);
  if (found == std::end(kDataBitsValues)) {
    return false;
  }
  index = static_cast<int32_t>(found - std::begin(kDataBitsValues));
  return true;
}

bool KSerialPort::ParseParity(const KString& text, int32_t& index) {
  KString field;
  index = 0;
  if (!Field(text, kParityField, field)) {
    return false;
  }
  char16_t letter = field[0];
  if (letter >= u'a' && letter <= u'z') {
    letter = static_cast<char16_t>(letter - u'a' + u'A');
  }
  for (int32_t i = 0; kParityLetters[i] != 0; ++i) {
    if (kParityLetters[i] == letter) {
      index = i;
      return true;
    }
  }
  return false;
}

bool KSerialPort::ParseStopBits(const KString& text, int32_t& index) {
  KString field;
  index = 0;
  if (!Field(text, kStopBitsField, field)) {
    return false;
  }
  int32_t found = IndexOfText(field, kStopBitsTexts);
  if (found < 0) {
    return false;
  }
  index = found;
  return true;
}

bool KSerialPort::ParseTaskPeriod(const KString& text, int32_t& periodMs) {
  int32_t value = 0;
  bool parsed = IntField(text, kRepeatField, value);
  periodMs = parsed ? value : 0;
  return parsed;
}

bool KSerialPort::FormatSettings(KString& text, int32_t port, int32_t baud, int32_t dataBitsIndex,
                                 int32_t parityIndex, int32_t stopBitsIndex, int32_t repeatPeriodMs) {
  if (port < 0 || baud <= 0 || dataBitsIndex < 0 ||
      dataBitsIndex >= static_cast<int32_t>(std::size(kDataBitsValues)) || parityIndex < 0 ||
      parityIndex >= static_cast<int32_t>(std::size(kParityLetters) - 1) || stopBitsIndex < 0 ||
      stopBitsIndex >= static_cast<int32_t>(std::size(kStopBitsTexts))) {
    return false;
  }
  text.Clear();
  text.AppendInt(port).AppendChar(u',').AppendInt(baud).AppendChar(u',');
  text.AppendInt(kDataBitsValues[dataBitsIndex]).AppendChar(u',').AppendChar(kParityLetters[parityIndex]);
  text.AppendChar(u',').AppendNarrow(kStopBitsTexts[stopBitsIndex]);
  if (repeatPeriodMs != 0) {
    text.AppendChar(u',').AppendInt(repeatPeriodMs);
  }
  return true;
}

// ---- opening and closing
// ------------------------------------------------------------------------------------

void KSerialPort::SetLineCheck(LineCheck check) {
  extraLineCheck = check;
}

void KSerialPort::OpenSettings(const KString& settings, int32_t wantedDirections) {
  Close();
  int32_t newPort = 0;
  if (!ParsePort(settings, newPort)) {
    Fail(kErrSerial);
  }
  // Port 0 (none) and the network forms have no device; their other fields are not a serial line's.
  const std::string path = newPort > 0 ? DevicePath(newPort) : std::string();
  if (path.empty()) {
    Fail(kErrSerialNotOpen);
  }
  const int32_t mask = wantedDirections & (kRead | kWrite);
  if (mask == 0) {
    Fail(kErrSerial);
  }
  const LineSettings line = ParseLine(settings);
  {
    std::lock_guard lock(devicesMutex);
    auto found = openDevices.find(newPort);
    const bool opensDevice = found == openDevices.end();
    if (!opensDevice && (found->second.directions & mask) != 0) {
      Fail(kErrSerialBusy);
    }
    int newDescriptor = opensDevice ? open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)
                                    : found->second.descriptor;
    if (newDescriptor < 0) {
      Fail(kErrSerialNotOpen, errno);
    }
    try {
      ApplyLine(newDescriptor, line);
    } catch (...) {
      if (opensDevice) {
        close(newDescriptor);
      }
      throw;
    }
    if (opensDevice) {
      found = openDevices.emplace(newPort, SharedDevice{newDescriptor, 0, 0}).first;
    }
    found->second.directions |= mask;
    found->second.users += 1;
    descriptor = newDescriptor;
  }
  port = newPort;
  directions = mask;
  repeatPeriodMs = line.repeatPeriodMs;
  lastBlock.clear();
  lastWriteTick = KGetTickCount();
  if (repeatPeriodMs > 0 && (mask & kWrite) != 0) {
    repeatTask = std::make_unique<RepeatTask>(*this);
    repeatTask->Start(repeatPeriodMs, 0, 32768);
    repeatTask->Resume();
  }
}

void KSerialPort::Close() {
  if (port == 0) {
    return;
  }
  // The repeat sender goes first: it must not write to a device that is being let go.
  repeatTask.reset();
  {
    std::lock_guard lock(devicesMutex);
    auto found = openDevices.find(port);
    if (found != openDevices.end()) {
      found->second.directions &= ~directions;
      if (--found->second.users <= 0) {
        close(found->second.descriptor);
        openDevices.erase(found);
      }
    }
  }
  port = 0;
  directions = 0;
  descriptor = -1;
  repeatPeriodMs = 0;
  lastBlock.clear();
}

// ---- bytes
// --------------------------------------------------------------------------------------------------

int32_t KSerialPort::ReadRaw(void* buffer, int32_t count) {
  if (port == 0 || (directions & kRead) == 0) {
    Fail(kErrSerialNotOpen);
  }
  const int32_t wanted = std::min(count, readBufferSize);
  // One deadline for the whole read: wake-ups that bring no byte do not start the wait again.
  const KDeadline deadline = KDeadline::After(timeoutMs);
  for (;;) {
    if (!deadline.WaitFor(descriptor, POLLIN)) {
      Fail(kErrSerialTimeout);
    }
    ssize_t got = read(descriptor, buffer, static_cast<size_t>(wanted));
    if (got > 0) {
      return static_cast<int32_t>(got);
    }
    if (got < 0 && (errno == EAGAIN || errno == EINTR)) {
      continue;
    }
    // End of file or an error on a serial line: the device went away (a USB adapter pulled out).
    Fail(kErrSerialReceive, got < 0 ? errno : 0);
  }
}

void KSerialPort::WriteRaw(const void* buffer, int32_t count) {
  if (port == 0 || (directions & kWrite) == 0) {
    Fail(kErrSerialNotOpen);
  }
  writeLock.Lock(-1);
  KMutexHold hold(writeLock);
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  SendAll(bytes, count);
  lastBlock.assign(reinterpret_cast<const char*>(bytes), static_cast<size_t>(count));
  lastWriteTick = KGetTickCount();
}

void KSerialPort::SendAll(const uint8_t* bytes, int32_t count) {
  int32_t sent = 0;
  const KDeadline deadline = KDeadline::After(timeoutMs);
  while (sent < count) {
    if (!deadline.WaitFor(descriptor, POLLOUT)) {
      Fail(kErrSerialBusy, sent);  // the line does not take bytes: flow control or a full queue
    }
    ssize_t written =
        write(descriptor, bytes + sent, static_cast<size_t>(std::min(count - sent, writeBufferSize)));
    if (written < 0 && (errno == EAGAIN || errno == EINTR)) {
      continue;
    }
    if (written <= 0) {
      Fail(kErrSerialTransmit, written < 0 ? errno : sent);
    }
    sent += static_cast<int32_t>(written);
  }
}

void KSerialPort::RepeatIfIdle(uint32_t tickCount) {
  // The caller's write has priority; the repeat waits for the next period.
  if (!writeLock.Lock(0)) {
    return;
  }
  KMutexHold hold(writeLock);
  if (lastBlock.empty() || KTickDifference(tickCount, lastWriteTick) < repeatPeriodMs) {
    return;
  }
  try {
    SendAll(reinterpret_cast<const uint8_t*>(lastBlock.data()), static_cast<int32_t>(lastBlock.size()));
  } catch (const KX&) {
    // A repeat that cannot go out now is tried again after the next idle period.
  }
  lastWriteTick = tickCount;
}
