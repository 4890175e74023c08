// Cutting frames out of the image as it is shown (cropping) and putting them back.

#include <algorithm>

#include "imaging/yimage.h"
#include "imaging/yimageblock.h"
#include "imaging/yimageview.h"
#include "imaging/ynotification.h"

void YImage::BeginGeometryChange() {
  for (KSparseArrayItem* item = views.Next(nullptr); item != nullptr; item = views.Next(item)) {
    static_cast<YImageView*>(item)->KeepPlaces(true);
  }
}

void YImage::EndGeometryChange() {
  for (KSparseArrayItem* item = views.Next(nullptr); item != nullptr; item = views.Next(item)) {
    static_cast<YImageView*>(item)->RestorePlaces(true);
  }
}

bool YImage::BlocketteBounds(int32_t shown, BlocketteSpan& span) {
  const int32_t trueFrame = TrueFrame(shown);
  YImageBlock* block = FrameBlock(trueFrame);
  if (block == nullptr) {
    return false;
  }
  int32_t position = trueFrame - block->FirstFrame();
  const int32_t word = block->FindBlockette(position);
  const int32_t length = block->BlocketteLength(word);
  if (word >= YImageBlock::kBlocketteEnd || length < 1 || position >= block->BlocketteFrames(word)) {
    return false;
  }
  span.block = block->Number();
  span.firstWord = word;
  span.endWord = word + length;
  span.firstShown = shown - position;
  span.lastShown = span.firstShown + block->BlocketteFrames(word) - 1;
  return true;
}

int32_t YImage::KeyBlocketteWords() const {
  return (FrameLength() * BytesPerPixel() + 3) / 4 + 2;
}

int32_t YImage::CutFrames(int32_t from, int32_t to, const YImageView& view, bool refresh) {
  if (from >= to || from < 0 || to >= FramesShown(view)) {
    return 0;
  }
  int32_t first = ViewXToFrame(from, view);
  int32_t last = ViewXToFrame(to, view);
  if (first > last) {
    std::swap(first, last);
  }
  first = std::max(first, 0);
  last = std::min(last, frameCount - 1);
  if (camera.IsType102()) {
    // Blockettes are kept whole: the range shrinks to the blockettes that lie wholly inside it.
    BlocketteSpan start;
    BlocketteSpan end;
    if (!BlocketteBounds(first, start) || !BlocketteBounds(last, end)) {
      return 0;
    }
    first = start.firstShown == first ? first : start.lastShown + 1;
    last = end.lastShown == last ? last : end.firstShown - 1;
    if (first >= last || !BlocketteBounds(first, start) || !BlocketteBounds(last, end)) {
      return 0;
    }
    if (start.block == end.block && end.endWord - start.firstWord < KeyBlocketteWords()) {
      return 0;
    }
  }
  if (first > last) {
    return 0;
  }
  if (refresh) {
    BeginGeometryChange();
  }
  cuts.Insert(first, last);
  const int32_t removed = last - first + 1;
  frameCount -= removed;
  if (refresh) {
    EndGeometryChange();
  }
  KMessage message;
  Send(this, Message(message, kYImageGeometry, 0, this));
  return removed;
}

void YImage::RemoveCuts() {
  if (cuts.IsEmpty()) {
    return;
  }
  BeginGeometryChange();
  frameCount = TrueFrameCount();
  referenceFrame = std::min(referenceFrame, cuts.First().start);
  cuts.Clear();
  EndGeometryChange();
  KMessage message;
  Send(this, Message(message, kYImageGeometry, 0, this));
}
