// What the imaging fuzz targets share: a camera given its frame layout through its stored record, the
// only way to give it a frame length its limits would refuse.
#ifndef IMAGING_FUZZ_FUZZCAMERA_H
#define IMAGING_FUZZ_FUZZCAMERA_H

#include <cstdint>

#include "foundation/kmemorystream.h"
#include "foundation/kstring.h"
#include "imaging/ycamera.h"

// Camera type (parameter 0), camera number (2), frame mode (5), frame length (7) and pixel mode (27); every
// other parameter 0.
inline void FuzzSetCamera(YCamera& camera, int32_t type, int32_t number, int32_t p5, int32_t p7,
                          int32_t pixelMode) {
  KMemoryStream record;
  record.WriteUInt32(YCamera::kVersionWord);
  record.WriteInt32(0);
  KString().Write(record);
  record.WriteInt32(0);
  record.WriteInt32(YCamera::kParameterCount);
  for (int32_t n = 0; n < YCamera::kParameterCount; ++n) {
    const int32_t value = n == 0    ? type
                          : n == 2  ? number
                          : n == 5  ? p5
                          : n == 7  ? p7
                          : n == 27 ? pixelMode
                                    : 0;
    record.WriteInt32(value);
    record.WriteByte(0);
  }
  camera.Read(record);
}

#endif
