#include "foundation/kpersistent.h"

#include "foundation/kstream.h"
#include "foundation/kx.h"

void KPersistent::WriteVersion(KStream& stream, uint16_t family, uint16_t version) {
  stream.WriteUInt32(VersionWord(family, version));
}

uint16_t KPersistent::ReadVersion(KStream& stream, uint16_t family, uint16_t lowest, uint16_t highest) {
  const uint32_t word = stream.ReadUInt32();
  const auto version = static_cast<uint16_t>(word & 0xFFFF);
  if ((word >> 16) != family || version < lowest || version > highest) {
    throw KXPersistent(kErrFileVersion);
  }
  return version;
}

int32_t KPersistent::ReadCount(KStream& stream, int32_t bytesEach, int32_t maximum) {
  const int32_t count = stream.ReadInt32();
  const int64_t remaining = stream.Remaining();
  if (count < 0 || count > maximum || (remaining >= 0 && int64_t{count} * bytesEach > remaining)) {
    throw KXPersistent(kErrFileContents);
  }
  return count;
}
