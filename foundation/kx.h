#pragma once
// The foundation's failures: exceptions thrown by value and caught by reference, each carrying one of the
// program's numeric error codes (the stream and serial ones a detail word too), and the built-in texts of
// those codes.

#include <cstdint>

// Error codes shared by the whole program. The thousands name the area; the numbered error alert falls back
// to the text of the code rounded down to its thousand.
enum KErrorCode : int32_t {
  kErrNone = 0,
  kErrOperationFailed = 1000,
  kErrUnhandledException = 1001,
  kErrDdeServer = 1002,
  kErrResources = 1003,
  kErrMemory = 2000,
  kErrAllocate = 2001,
  kErrFile = 3000,
  kErrFileAlreadyOpen = 3001,
  kErrFileOpen = 3002,
  kErrFileAccess = 3003,
  kErrFileRead = 3004,
  kErrFileWrite = 3005,
  kErrDiskFull = 3006,
  kErrFileClose = 3007,
  kErrFileDelete = 3008,
  kErrFileVersion = 3009,
  kErrFileContents = 3010,
  kErrFileBackup = 3011,
  kErrPrinter = 4000,
  kErrPrinterNotResponding = 4001,
  kErrSerial = 5000,
  kErrSerialReceive = 5001,
  kErrSerialTimeout = 5002,
  kErrSerialTransmit = 5003,
  kErrSerialBusy = 5004,
  kErrSerialChecksum = 5005,
  kErrSerialHandshake = 5006,
  kErrSerialNotOpen = 5007,
  kErrConfig = 6000,
  kErrConfigLoad = 6001,
  kErrConfigSave = 6002,
  kErrImageFileOpen = 33001,
  kErrQxfWrite = 33002,
  kErrSendResults = 35001,
  kErrResultsNotTaken = 35002,
  kErrHardware = 61000,
};

// The built-in text of a code ("Operation failed" for 1000); null for a code without a text of its own.
const char* KErrorText(int32_t code);

// Base of the program's exceptions: a numeric error code.
class KX {
 public:
  explicit KX(int32_t code) : code(code) {}
  virtual ~KX() = default;

  int32_t Code() const { return code; }

 private:
  int32_t code;
};

// A stored record that cannot be read back (3009 version, 3010 contents).
class KXPersistent : public KX {
 public:
  using KX::KX;
};

// A stream failure with the operating system's error number or a byte count as the detail word.
class KXStream : public KX {
 public:
  KXStream(int32_t code, int32_t detail = 0) : KX(code), detail(detail) {}

  int32_t Detail() const { return detail; }

 private:
  int32_t detail;
};

// A serial-port or network-link failure (5000-5007) with its detail word.
class KXSerialPort : public KXStream {
 public:
  using KXStream::KXStream;
};
