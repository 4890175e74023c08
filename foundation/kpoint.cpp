#include "foundation/kpoint.h"

#include "foundation/kstream.h"

void KPoint::Write(KStream& stream) const {
  stream.WriteInt32(x);
  stream.WriteInt32(y);
}

void KPoint::Read(KStream& stream) {
  // Read both before storing, so a stream that ends early leaves the point as it was.
  int32_t newX = stream.ReadInt32();
  int32_t newY = stream.ReadInt32();
  x = newX;
  y = newY;
}
