// Renders, searches and cuts an image made of one block of arbitrary bytes. The first 14 bytes choose the
// camera (raw or coded, gray or colour, motion direction), the view's zoom and smoothing, the options word
// of the rendering and a view rectangle; the rest is the block's data. Nothing may read or write outside
// the block, the frame buffers, the staging rows or the output, whatever the block and the rectangle say.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "imaging/yimage.h"
#include "imaging/yimageblock.h"
#include "imaging/yimageframe.h"
#include "imaging/yimageview.h"

namespace {

constexpr size_t kHeaderBytes = 14;
// Enough pieces to cross chunk boundaries without rendering a huge rectangle whole.
constexpr int32_t kMostPieces = 4;

int32_t Signed16(const uint8_t* bytes) {
  return static_cast<int16_t>(bytes[0] | bytes[1] << 8);
}

void Render(YImage& image, const YImageView& view, KRect rect, uint32_t options) {
  for (int32_t piece = 0; piece < kMostPieces && !rect.IsEmpty(); ++piece) {
    std::optional<YBitmapPiece> out = image.GetBitmap(rect, view, options);
    if (!out) {
      return;
    }
    if (out->covered.left == rect.left) {
      rect.left = out->covered.right + 1;
    } else {
      rect.right = out->covered.left - 1;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < kHeaderBytes) {
    return 0;
  }
  YImageFrame::InitPool();
  YImage image;
  const bool raw = (data[0] & 1) != 0;
  YCamera& camera = image.Camera();
  camera.SetParameter(0, raw ? YCamera::kTypeRaw : YCamera::kTypeCoded, false);
  camera.SetParameter(27, (data[0] >> 1) & 1, false);
  camera.SetParameter(16, (data[0] >> 2) & 1, false);
  camera.SetParameter(7, raw ? data[1] % 3 : 100 + data[1] * 4, false);
  camera.SetParameter(4, 8, false);

  auto* block = new YImageBlock;
  block->SetImage(&image);
  std::copy(data + kHeaderBytes, data + std::min<size_t>(size, kHeaderBytes + YImageBlock::kBytes),
            block->Data());
  if (!image.AddBlock(block)) {
    delete block;
    return 0;
  }
  YImageView view(&image, -1);
  view.Zoom().SetX((data[2] & 0xF) + 1, (data[2] >> 4) + 1, false);
  view.Zoom().SetY((data[3] & 0xF) + 1, (data[3] >> 4) + 1, false);
  view.Zoom().SetModeFlag((data[0] & 8) != 0);
  const uint32_t options = data[4] | data[5] << 8;
  const KRect rect(Signed16(data + 6), Signed16(data + 8), Signed16(data + 10), Signed16(data + 12));

  Render(image, view, rect, options);
  KRect object = rect;
  int32_t status = 0;
  image.NextObject(object, view, true, &status, -1);
  image.CutFrames(rect.left, rect.right, view, true);
  Render(image, view, rect, options);
  image.FrameOfTime(image.TimeAt(image.FrameCount() / 2, true), view, true);
  image.RemoveCuts();
  return 0;
}
