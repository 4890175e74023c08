#pragma once
// QvFrameReader: finds the frames of the control-unit protocol in a stream of bytes that may hold line
// noise, so that the program can read replies and the simulator requests from a serial line.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "devices/qvpacket.h"

class QvFrameReader {
 public:
  // Next's answer while no whole frame has arrived.
  static constexpr int32_t kNeedMore = -1;

  void Feed(const uint8_t* bytes, size_t count);
  // The next frame: kErrNone with the packet filled; kErrSerialReceive or kErrSerialChecksum for a whole
  // frame that is damaged, whose sync word is then dropped so the search goes on behind it; kNeedMore. Bytes
  // before a sync word with a possible length are noise and are dropped. A frame whose start already shows
  // it damaged (QvPacket::StartLooksRight) loses its sync word at once and the search goes on, so that
  // noise announcing a long frame cannot hide the frame behind it.
  int32_t Next(QvPacket& packet);
  // True when a damaged frame start was dropped since the last Clear: a reader that finds nothing else can
  // tell a damaged reply from none.
  bool DroppedDamagedStart() const { return droppedDamagedStart; }
  // Forgets everything fed.
  void Clear();

 private:
  void Drop(size_t count);

  std::vector<uint8_t> buffer;
  size_t start = 0;  // bytes before it are consumed
  bool droppedDamagedStart = false;
};
