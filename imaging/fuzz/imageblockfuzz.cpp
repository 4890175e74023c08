// Decodes arbitrary bytes as an image block. The first four bytes choose the layout (camera type, frame
// mode, frame length and pixel mode); the rest is the block's data. Every frame and time of the block is
// asked for, the layout is checked and frames are rebuilt as key blockettes and copied: nothing may read or
// write outside the block or the frame buffers, whatever the blockettes say.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "imaging/fuzz/fuzzcamera.h"
#include "imaging/ycamera.h"
#include "imaging/yimage.h"
#include "imaging/yimageblock.h"
#include "imaging/yimageframe.h"

namespace {

constexpr int32_t kMostFrames = 300;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) {
    return 0;
  }
  YImageFrame::InitPool();
  const bool raw = (data[0] & 1) != 0;
  const int32_t p5 = raw ? data[1] % 3 : data[1] % 4;
  const int32_t p7 = raw ? data[2] % 3 : (data[2] | data[3] << 8) % 2100;
  YImage image;
  FuzzSetCamera(image.Camera(), raw ? YCamera::kTypeRaw : YCamera::kTypeCoded, 0, p5, p7, (data[1] >> 4) & 1);
  auto* block = new YImageBlock;
  block->SetImage(&image);
  block->SetNumber(0);
  std::copy(data + 4, data + std::min<size_t>(size, 4 + YImageBlock::kBytes), block->Data());
  image.Blocks().Add(block, false);
  image.Blocks()[0];

  const int32_t count = block->FrameCount();
  for (int32_t n : {-1, count, INT32_MAX}) {
    if (block->Frame(n) != nullptr || block->Time(n).HasResolution()) {
      std::abort();
    }
  }
  for (int32_t n = 0; n < std::min(count, kMostFrames); ++n) {
    block->Frame(n);
    block->Time(n);
  }
  if (count > 0) {
    block->Frame(count - 1);
  }
  YImageBlock rebuilt;
  rebuilt.SetImage(&image);
  int32_t offset = YImageBlock::kFirstBlocketteWord;
  for (int32_t n = 0; n < std::min(count, 8); ++n) {
    int32_t frames = 0;
    image.Blocks()[0];
    block->WriteKeyBlockette(&rebuilt, offset, frames, n);
    block->CopyBlockette(&rebuilt, offset, frames, n);
  }
  int32_t position = count / 2;
  block->FindBlockette(position);
  block->CheckLayout();
  return 0;
}
