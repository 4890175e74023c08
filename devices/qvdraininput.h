#pragma once
// QvDrainInput: throws away what waits on a serial line before the program sends, so that the answer read
// next belongs to what it sends next and not to line noise or to an earlier request answered too late.

#include <cstdint>

class KSerialPort;
class LinkWaitReporter;

// Reads and drops bytes until the line has been quiet for `quietMs` (0: only what has already arrived),
// serving the reporter, when there is one, between the slices of that wait. At most kMaxDrainBytes go, so
// that a line that never stops sending cannot hold the program. The port's time-out is back to what it was
// when this returns, ready for the write that follows.
void QvDrainInput(KSerialPort& port, int32_t quietMs, LinkWaitReporter* reporter = nullptr);

inline constexpr int32_t kMaxDrainBytes = 65536;
