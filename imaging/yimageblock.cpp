#include "imaging/yimageblock.h"

#include <algorithm>
#include <cstring>

#include "imaging/ycamera.h"
#include "imaging/ygraytable.h"
#include "imaging/yimage.h"
#include "imaging/yimageblocks.h"
#include "imaging/yimageframe.h"
#include "imaging/yimaginglog.h"

namespace {

// Takes two pool frames other than `excluded`, in pool order, both reset to the block.
bool TakeTwoFrames(YImageBlock* block, const YImageFrame* excluded, YImageFrame*& first,
                   YImageFrame*& second) {
  KList* pool = YImageFrame::Pool();
  first = second = nullptr;
  for (KListItem* item = pool != nullptr ? pool->Next(nullptr) : nullptr; item != nullptr;
       item = pool->Next(item)) {
    if (item == excluded) {
      continue;
    }
    if (first == nullptr) {
      first = static_cast<YImageFrame*>(item);
    } else {
      second = static_cast<YImageFrame*>(item);
      break;
    }
  }
  if (second == nullptr) {
    return false;
  }
  first->Reset(block);
  second->Reset(block);
  return true;
}

}  // namespace

YImageBlock::~YImageBlock() {
  YImageFrame::Forget(this);
}

void YImageBlock::SetImage(YImage* newImage) {
  image = newImage;
  YImageFrame::Forget(this);
}

const YCamera* YImageBlock::Camera() const {
  return image != nullptr ? &image->Camera() : nullptr;
}

YImageBlock::Layout YImageBlock::GetLayout() const {
  const YCamera* camera = Camera();
  if (camera == nullptr) {
    return kNoLayout;
  }
  return camera->IsType101() ? kRaw : camera->IsType102() ? kCoded : kNoLayout;
}

int32_t YImageBlock::FrameLength() const {
  const YCamera* camera = Camera();
  return camera != nullptr ? camera->Rate() : 0;
}

uint32_t YImageBlock::Word(int32_t w) const {
  if (w < 0 || w >= kWords) {
    return 0;
  }
  const uint8_t* p = data.data() + 4 * w;
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

void YImageBlock::SetWord(int32_t w, uint32_t value) {
  if (w < 0 || w >= kWords) {
    return;
  }
  uint8_t* p = data.data() + 4 * w;
  for (int32_t i = 0; i < 4; ++i) {
    p[i] = static_cast<uint8_t>(value >> (8 * i));
  }
}

int16_t YImageBlock::Half(int32_t w, int32_t half) const {
  return static_cast<int16_t>(half == 0 ? Word(w) & 0xFFFF : Word(w) >> 16);
}

void YImageBlock::SetHalf(int32_t w, int32_t half, int16_t value) {
  const uint32_t word = Word(w);
  const auto bits = static_cast<uint32_t>(static_cast<uint16_t>(value));
  SetWord(w, half == 0 ? (word & 0xFFFF0000u) | bits : (word & 0xFFFFu) | bits << 16);
}

int32_t YImageBlock::FrameCount() const {
  switch (GetLayout()) {
    case kRaw:
      return Camera()->FramesPerBlock();
    case kCoded:
      return std::clamp<int32_t>(Half(0, 0), 0, kMaxCodedFrames);
    default:
      return 0;
  }
}

void YImageBlock::SetFrameCount(int32_t count) {
  if (GetLayout() == kCoded) {
    SetHalf(0, 0, static_cast<int16_t>(count));
  }
}

int32_t YImageBlock::FirstFrame() const {
  switch (GetLayout()) {
    case kRaw:
      return static_cast<int32_t>(int64_t{Number()} * Camera()->FramesPerBlock());
    case kCoded:
      return static_cast<int32_t>(Word(1));
    default:
      return 0;
  }
}

void YImageBlock::SetFirstFrame(int32_t frame) {
  if (GetLayout() == kCoded) {
    SetWord(1, static_cast<uint32_t>(frame));
  }
}

int32_t YImageBlock::PixelKind() const {
  return GetLayout() == kCoded ? Half(0, 1) : -1;
}

void YImageBlock::SetPixelKind(int32_t kind) {
  if (GetLayout() == kCoded) {
    SetHalf(0, 1, static_cast<int16_t>(kind));
  }
}

int32_t YImageBlock::BitsPerPixel() const {
  switch (GetLayout()) {
    case kRaw:
      return 8;
    case kCoded:
      return PixelKind() == kGrayCodes ? 8 : PixelKind() == kRgb15 ? 15 : 0;
    default:
      return 0;
  }
}

int32_t YImageBlock::BlocketteLength(int32_t b) const {
  return std::min({int32_t{Half(b, 0)}, kMaxBlocketteWords, kWords - b});
}

int32_t YImageBlock::BlocketteFrames(int32_t b) const {
  return std::min(((BlocketteFlags(b) >> 4) & 0xF) + 1, 2);
}

int32_t YImageBlock::BlocketteReplication(int32_t b) const {
  return std::min((BlocketteFlags(b) >> 8) & 0xF, 11) + 1;
}

int32_t YImageBlock::FindBlockette(int32_t& n) const {
  if (GetLayout() == kRaw) {
    const int64_t offset = int64_t{FrameLength()} * n;
    n = 0;
    return static_cast<int32_t>(std::clamp<int64_t>(offset, 0, kWords - 1));
  }
  int32_t b = kFirstBlocketteWord;
  while (b < kWords) {
    const int32_t frames = BlocketteFrames(b);
    if (frames > n) {
      break;
    }
    const int32_t length = BlocketteLength(b);
    // A blockette that does not move forward ends the walk; decoding it fails.
    if (length < 1) {
      break;
    }
    n -= frames;
    b += length;
  }
  return std::min(b, kWords - 1);
}

void YImageBlock::CheckInUse(const char* operation) const {
  if (itsImageBlocks == nullptr) {
    KString text(operation);
    text.Append(": itsImageBlocks is null");
    YLogError(text);
  } else if (itsImageBlocks->InUse() != this) {
    KString text(operation);
    text.Append(": this != itsImageBlocks->inUse");
    YLogError(text);
  }
}

const uint8_t* YImageBlock::Frame(int32_t n) {
  CheckInUse("YImageBlock::Frame");
  if (!IsValidFrame(n)) {
    KString text("YImageBlock::Frame: no frame ");
    text.AppendInt(n);
    YLogError(text);
    return nullptr;
  }
  if (YImageFrame::Pool() == nullptr) {
    return nullptr;
  }
  YImageFrame* frame = FindDecoded(n);
  if (frame == nullptr) {
    frame = GetLayout() == kRaw ? CopyRaw(n) : DecodeCoded(n);
  }
  if (frame == nullptr) {
    YLogError("YImageBlock::Frame: error decompressing");
    return nullptr;
  }
  YImageFrame::Touch(frame);
  return frame->pixels.data();
}

YImageFrame* YImageBlock::FindDecoded(int32_t n) const {
  KList* pool = YImageFrame::Pool();
  for (KListItem* item = pool->Next(nullptr); item != nullptr; item = pool->Next(item)) {
    auto* frame = static_cast<YImageFrame*>(item);
    if (frame->block == this && frame->frameNumber == n) {
      return frame;
    }
  }
  return nullptr;
}

YImageFrame* YImageBlock::CopyRaw(int32_t n) {
  const int32_t length = FrameLength();
  auto* head = static_cast<YImageFrame*>(YImageFrame::Pool()->Next(nullptr));
  // FrameCount limits n so that the frame lies inside the block; the buffer limits the length.
  if (head == nullptr || length <= 0 || length > YImageFrame::kPixelBytes) {
    return nullptr;
  }
  head->Reset(this);
  head->frameNumber = n;
  std::memcpy(head->pixels.data(), data.data() + static_cast<size_t>(n) * length,
              static_cast<size_t>(length));
  return head;
}

YImageFrame* YImageBlock::DecodeCoded(int32_t n) {
  KList* pool = YImageFrame::Pool();
  // Decoding goes on from the latest chain point below n still in the pool.
  YImageFrame* reference = nullptr;
  for (KListItem* item = pool->Next(nullptr); item != nullptr; item = pool->Next(item)) {
    auto* frame = static_cast<YImageFrame*>(item);
    if (frame->block == this && frame->frameNumber >= 0 && frame->frameNumber < n &&
        (frame->flags & YImageFrame::kChainPoint) != 0 &&
        (reference == nullptr || frame->frameNumber > reference->frameNumber)) {
      reference = frame;
    }
  }
  YImageFrame* first = nullptr;
  YImageFrame* second = nullptr;
  YImageFrame* wanted = reference;
  if (reference == nullptr) {
    // The block's first blockette stands alone and holds exactly one frame.
    if (!TakeTwoFrames(this, nullptr, first, second)) {
      return nullptr;
    }
    first->blocketteOffset = kFirstBlocketteWord;
    if (DecodeFrame(nullptr, *first, *second) != 1 || BlocketteFrames(kFirstBlocketteWord) != 1) {
      return nullptr;
    }
    first->frameNumber = 0;
    first->flags |= YImageFrame::kChainPoint;
    reference = wanted = first;
  }
  for (int32_t current = reference->frameNumber; current < n;) {
    if (!TakeTwoFrames(this, reference, first, second)) {
      return nullptr;
    }
    const int32_t next = reference->blocketteOffset + BlocketteLength(reference->blocketteOffset);
    first->blocketteOffset = second->blocketteOffset = next;
    const int32_t produced = DecodeFrame(reference, *first, *second);
    if (produced < 1) {
      return nullptr;
    }
    first->frameNumber = current + 1;
    YImageFrame* last = first;
    if (produced == 2) {
      second->frameNumber = current + 2;
      last = second;
    }
    last->flags |= YImageFrame::kChainPoint;
    wanted = produced == 2 && current + 1 == n ? first : last;
    reference = last;
    current += produced;
  }
  return wanted;
}

YTime YImageBlock::Time(int32_t n) const {
  CheckInUse("YImageBlock::Time");
  const Layout layout = GetLayout();
  if (layout == kNoLayout) {
    return YTime();
  }
  if (!IsValidFrame(n)) {
    KString text("YImageBlock::Time: no frame ");
    text.AppendInt(n);
    YLogError(text);
    return YTime();
  }
  int32_t stamp = 0;
  if (layout == kRaw) {
    const int32_t length = FrameLength();
    if (length < 4) {
      return YTime();
    }
    const uint8_t* p = data.data() + static_cast<size_t>(n) * length + length - 4;
    stamp = static_cast<int32_t>(uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3]);
  } else {
    int32_t position = n;
    const int32_t b = FindBlockette(position);
    stamp = BlocketteTime(b, position);
  }
  return YTime(stamp, 1, kTimeResolution, -1);
}

bool YImageBlock::CopyBlockette(YImageBlock* dst, int32_t& dstOffset, int32_t& frames, int32_t srcFrame) {
  int32_t position = srcFrame;
  const int32_t b = FindBlockette(position);
  if (position != 0) {
    YLogError("YImageBlock::CopyBlockette: srcBlocketteFrame != 0");
  }
  const int32_t length = std::max(BlocketteLength(b), 0);
  if (dst != nullptr) {
    for (int32_t i = 0; i < length; ++i) {
      dst->SetWord(dstOffset + i, Word(b + i));
    }
  }
  frames = BlocketteFrames(b);
  dstOffset += length;
  return true;
}

bool YImageBlock::WriteKeyBlockette(YImageBlock* dst, int32_t& dstOffset, int32_t& frames, int32_t srcFrame) {
  int32_t position = srcFrame;
  const int32_t b = FindBlockette(position);
  const int32_t replication = BlocketteReplication(b);
  const int64_t frameLength = std::max(FrameLength(), 0);
  const int64_t stored = (frameLength + replication - 1) / replication;
  const int32_t bytesPerPixel = BytesPerPixel();
  const auto length = static_cast<int32_t>(std::min<int64_t>((stored * bytesPerPixel + 3) / 4 + 2, kWords));
  if (dst != nullptr) {
    const uint8_t* pixels = Frame(srcFrame);
    if (pixels == nullptr) {
      return false;
    }
    const int64_t start = (int64_t{dstOffset} + 2) * 4;
    int64_t out = start;
    auto put = [&](uint8_t byte) {
      if (out >= 0 && out < kBytes) {
        dst->data[static_cast<size_t>(out)] = byte;
      }
      ++out;
    };
    for (int64_t i = 0; i < frameLength; i += replication) {
      if (bytesPerPixel == 1) {
        put(kInverseGrayTable[pixels[i]]);
      } else {
        put(pixels[2 * i]);
        put(pixels[2 * i + 1]);
      }
    }
    dst->SetWord(dstOffset + 1, Word(b + position + 1));
    dst->SetBlocketteLength(dstOffset, length);
    dst->SetBlocketteFlags(dstOffset, static_cast<uint16_t>((replication - 1) * 256 + kKey));
  }
  frames = 1;
  dstOffset += length;
  return true;
}

uint32_t YImageBlock::Sum() const {
  uint32_t sum = 0;
  for (int32_t w = 0; w < kChecksumWord; ++w) {
    sum += Word(w);
  }
  return sum;
}

bool YImageBlock::CheckLayout() {
  SetHalf(0, 0, static_cast<int16_t>(Half(0, 0) & 0x3FF));
  int32_t remaining = Half(0, 0);
  int32_t lastTime = 0;
  int32_t b = kFirstBlocketteWord;
  while (remaining >= 1) {
    if (b < 0 || b >= kWords) {
      return false;
    }
    remaining -= BlocketteFrames(b);
    SetHalf(b, 0, static_cast<int16_t>(Half(b, 0) & 0x3FFF));
    const int32_t length = BlocketteLength(b);
    const int32_t firstTime = BlocketteTime(b, 0);
    if (remaining < 0 || BlocketteMode(b) > kPair || firstTime < lastTime || BlocketteField(b) != 0 ||
        length < 1) {
      return false;
    }
    lastTime = firstTime;
    if (BlocketteFrames(b) == 2) {
      const int32_t secondTime = BlocketteTime(b, 1);
      if (secondTime < firstTime) {
        return false;
      }
      lastTime = secondTime;
    }
    b += length;
  }
  return true;
}
