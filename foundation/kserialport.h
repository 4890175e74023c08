#pragma once
// KSerialPort: the serial line to the control unit and the scoreboards, described by a settings text of
// comma-separated fields "port,baud,data,parity,stop[,repeat ms]", for example "3,9600,8,N,1.0". Also the
// program's list of the serial ports this machine has. docs/serial-ports.md tells users how port numbers
// map to devices.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "foundation/kmutex.h"
#include "foundation/kstream.h"

class KString;

// A serial port as a byte stream. Every object of the same port number shares one open device; each object
// claims the directions it opens (read, write) on it, and the device closes when the last object lets go.
// Reads wait at most the read time-out and throw KXSerialPort 5002 when nothing came. When the settings
// give a repeat period above 0, a worker sends the last written block again whenever the port has been idle
// for that period.
class KSerialPort : public KStream {
 public:
  // Direction mask bits of OpenSettings.
  static constexpr int32_t kRead = 1;
  static constexpr int32_t kWrite = 2;
  static constexpr int32_t kDefaultBaud = 9600;
  static constexpr int32_t kDefaultTimeoutMs = 1000;
  // What the list indexes of the settings stand for: data bits, parity letters, stop-bit texts.
  static constexpr int32_t kDataBitsValues[] = {8, 7, 6, 5, 4};
  static constexpr char16_t kParityLetters[] = u"NOEMS";
  static constexpr const char* kStopBitsTexts[] = {"1.0", "1.5", "2.0"};

  // `size` is kept for callers that ask for it; the buffer sizes bound how many bytes one system read or
  // write moves (each at least 1).
  KSerialPort(int32_t size = 1024, int32_t readBufferSize = 1024, int32_t writeBufferSize = 128);
  ~KSerialPort() override;

  int32_t Size() const { return size; }

  // ---- the settings text --------------------------------------------------------------------------------
  // Each parser reads its field (port 0, baud 1, data bits 2, parity 3, stop bits 4, repeat period 5) and
  // returns false when the field is missing or does not parse; the out value then holds the default (the
  // given one for the port, 9600 baud, index 0 for the lists, no repeat period). Blanks around a field are
  // ignored. A missing port field gives the default and true.
  static bool ParsePort(const KString& text, int32_t& port, int32_t defaultPort = 0);
  static bool ParseBaud(const KString& text, int32_t& baud);
  // "8", "7", "6", "5", "4" give 0 to 4.
  static bool ParseDataBits(const KString& text, int32_t& index);
  // The first letter, upper-cased: N, O, E, M, S give 0 to 4.
  static bool ParseParity(const KString& text, int32_t& index);
  // "1.0", "1.5", "2.0" give 0, 1, 2.
  static bool ParseStopBits(const KString& text, int32_t& index);
  // The repeat period in ms; negative values are a switched-off period that keeps its magnitude.
  static bool ParseTaskPeriod(const KString& text, int32_t& periodMs);
  // Replaces the text with the serial form; the repeat period is written only when it is not 0. False (the
  // text unchanged) when a port is negative, the baud is not above 0 or an index is out of range.
  static bool FormatSettings(KString& text, int32_t port, int32_t baud, int32_t dataBitsIndex,
                             int32_t parityIndex, int32_t stopBitsIndex, int32_t repeatPeriodMs);

  // ---- opening and closing -------------------------------------------------------------------------------
  // Closes what this object holds, then opens the port the settings name for the directions of the mask
  // and applies the line settings (raw mode). Throws KXSerialPort: 5007 for port 0, a negative (network)
  // port or a port without a device; 5004 when another object holds one of the directions; 5000 for
  // settings that do not parse or that the device refuses (with errno as detail where there is one).
  void OpenSettings(const KString& settings, int32_t directions);
  // Releases this object's directions and closes the device when no other object uses it; harmless when
  // closed.
  void Close();
  bool IsOpen() const { return port != 0; }
  // A further check of the line, run on the device once the settings stand; it throws KXSerialPort to
  // refuse the open, which then leaves the line as it was. Tests install one to fail an open half-way;
  // null, the default, checks nothing more.
  using LineCheck = void (*)(int descriptor);
  static void SetLineCheck(LineCheck check);
  int32_t Port() const { return port; }
  // The longest wait of a read, in ms (0 only takes what has arrived; negative waits for ever).
  void SetTimeout(int32_t milliseconds) { timeoutMs = milliseconds; }
  int32_t Timeout() const { return timeoutMs; }

  // ---- the ports of this machine
  // --------------------------------------------------------------------------- Port n is /dev/ttyS(n-1) for
  // 1-99, /dev/ttyUSB(n-101) for 101-199 and /dev/ttyACM(n-201) for 201-255; the environment variable
  // KESTROVE_COM<n> maps any port number to any path. Empty when n has no device.
  static std::string DevicePath(int32_t port);
  // Builds the list of ports: ttyS ports that have a UART behind them, every ttyUSB and ttyACM device that
  // exists, and every KESTROVE_COM<n> whose path exists; in rising port order.
  static void EnumeratePorts();
  // The same over other folders in place of /dev and /sys/class/tty (tests hand in a made-up tree).
  static void EnumeratePorts(const std::string& deviceFolder, const std::string& classFolder);
  static void ReleasePorts();
  static int32_t PortCount();
  // The port number at `index` of the list, 0 when there is none.
  static int32_t PortNumber(int32_t index);
  // The index of the port in the list, -1 when absent.
  static int32_t FindPort(int32_t port);
  // Appends the port's label for lists: "COM3 (/dev/ttyS2)".
  static void PortName(int32_t port, KString& text);

 protected:
  int32_t ReadRaw(void* buffer, int32_t count) override;
  void WriteRaw(const void* buffer, int32_t count) override;

 private:
  class RepeatTask;
  friend class RepeatTask;

  // Writes all bytes to the device (caller holds writeLock).
  void SendAll(const uint8_t* bytes, int32_t count);
  // Sends the last block again when nothing was written for a whole repeat period.
  void RepeatIfIdle(uint32_t tickCount);

  int32_t size;
  int32_t readBufferSize;
  int32_t writeBufferSize;
  int32_t port = 0;  // 0 while closed
  int32_t directions = 0;
  int descriptor = -1;                                 // the shared device's descriptor while open
  std::atomic<int32_t> timeoutMs = kDefaultTimeoutMs;  // also read by the repeat task
  int32_t repeatPeriodMs = 0;
  KMutex writeLock;  // orders writes of the caller and of the repeat task
  std::string lastBlock;
  uint32_t lastWriteTick = 0;
  std::unique_ptr<RepeatTask> repeatTask;
};
