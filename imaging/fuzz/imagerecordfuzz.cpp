// Reads arbitrary bytes as an image record (with its camera, view and zoom records). Without a document
// there is no block file, so a record that reads through ends in the block-file error; any other outcome is
// a refusal with a stored-record or stream code. Nothing may crash or read past the bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kx.h"
#include "imaging/yimage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  KMemoryStream stream(std::vector<uint8_t>(data, data + size));
  YImage image;
  try {
    image.Import(stream);
  } catch (const KX& failure) {
    const int32_t code = failure.Code();
    if (code != kErrImageFileOpen && code != kErrFileVersion && code != kErrFileContents &&
        code != kErrFileRead) {
      std::abort();
    }
    return 0;
  }
  std::abort();
}
