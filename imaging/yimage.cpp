#include "imaging/yimage.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <mutex>
#include <vector>

#include "foundation/kstream.h"
#include "foundation/kx.h"
#include "imaging/ycaptureservice.h"
#include "imaging/yimageblock.h"
#include "imaging/yimageblockmanager.h"
#include "imaging/yimageframe.h"
#include "imaging/yimagereporter.h"
#include "imaging/yimageview.h"
#include "imaging/yimaginglog.h"
#include "imaging/ynotification.h"
#include "imaging/yreplacementfile.h"
#include "model/qvevent.h"
#include "model/qvsettings.h"
#include "model/yleg.h"

namespace {

// What FramePixels gives for a frame that cannot be decoded.
const std::array<uint8_t, YImageFrame::kPixelBytes> kBlankFrame{};

constexpr int32_t kTrailingZeroWords = 9;

// The parameters that fix the frame layout and colour of a capture, and those that identify the camera and
// its frames once an image is set up.
constexpr int32_t kLayoutParameters[] = {5, 6, 7, 27};
constexpr int32_t kSetupParameters[] = {0, 1, 2, 4, 26, 28, 29, 30, 31};

// Every image alive, so that reading can tell which block-file extensions a document already uses.
std::mutex& LiveImagesMutex() {
  static std::mutex mutex;
  return mutex;
}

std::vector<const YImage*>& LiveImages() {
  static std::vector<const YImage*> images;
  return images;
}

int64_t BlockOffset(int64_t n) {
  return YImage::kFirstUnitBytes + YImage::kBlockBytes * n;
}

}  // namespace

YImage::YImage(KMessageObject* owner, int32_t id) : KMessageObject(owner, id), camera(this) {
  {
    std::lock_guard<std::mutex> hold(LiveImagesMutex());
    LiveImages().push_back(this);
  }
  if (YImageBlockManager* manager = YImageBlockManager::Global()) {
    manager->Register(&blocks);
  }
}

YImage::~YImage() {
  {
    std::lock_guard<std::mutex> hold(LiveImagesMutex());
    std::erase(LiveImages(), this);
  }
  if (YCaptureService* service = YCaptureService::Registered()) {
    service->ReleaseImage(*this);
  }
  blocks.ReturnAll();
  ReleaseBlockFile("YImage::~YImage: block file error ");
}

void YImage::InitClass() {
  YImageFrame::InitPool();
  YLeg::SetImageFactory([](YLeg& leg) -> YLegImage* { return new YImage(&leg); });
}

void YImage::ExitClass() {
  ForgetSettings();
  YLeg::SetImageFactory(nullptr);
  YImageBlockManager::DeleteGlobal();
  YImageFrame::ExitPool();
}

void YImage::OnLegLoaded(YLeg&) {}

QvEvent* YImage::Document() const {
  for (KMessageObject* object = Owner(); object != nullptr; object = object->Owner()) {
    if (auto* event = dynamic_cast<QvEvent*>(object)) {
      return event;
    }
  }
  return nullptr;
}

KMessageObject* YImage::Match(int32_t wantedId) {
  if (KMessageObject* found = camera.Match(wantedId)) {
    return found;
  }
  for (KSparseArrayItem* view = views.Next(nullptr); view != nullptr; view = views.Next(view)) {
    if (KMessageObject* found = static_cast<YImageView*>(view)->Match(wantedId)) {
      return found;
    }
  }
  return KMessageObject::Match(wantedId);
}

int32_t YImage::Receive(KMessage& message) {
  camera.Receive(message);
  for (KSparseArrayItem* view = views.Next(nullptr); view != nullptr; view = views.Next(view)) {
    static_cast<YImageView*>(view)->Receive(message);
  }
  return 0;
}

YImageView* YImage::View(int32_t number, bool create) {
  if (auto* view = static_cast<YImageView*>(views.Item(number))) {
    return view;
  }
  if (!create) {
    return nullptr;
  }
  auto* view = new YImageView(this, number);
  views.Add(view);
  return view;
}

int32_t YImage::BitsPerPixel() const {
  switch (camera.Parameter(27)) {
    case 0:
      return 8;
    case 1:
      return 15;
    default:
      return 0;
  }
}

bool YImage::SetDisplayKind(int32_t kind) {
  static constexpr int32_t kDisplayKinds = 4;
  if (kind == -1) {
    kind = (std::max(DisplayKind(), -1) + 1) % kDisplayKinds;
  }
  return camera.SetParameter(18, kind, true);
}

bool YImage::AddCut(int32_t start, int32_t frames) {
  if (frames < 1 || start < 0 || int64_t{start} + frames > frameCount ||
      !cuts.Add(start, cuts.LastOffset() + frames)) {
    return false;
  }
  frameCount -= frames;
  return true;
}

bool YImage::Holds(const YImageBlock* block, int32_t trueFrame) const {
  if (block == nullptr) {
    return false;
  }
  const int64_t local = int64_t{trueFrame} - block->FirstFrame();
  return local >= 0 && local < block->FrameCount();
}

YImageBlock* YImage::Block(int32_t n) {
  if (n < 0 || n >= blockCount) {
    return nullptr;
  }
  if (YImageBlock* found = blocks[n]) {
    return found;
  }
  YImageBlockManager* manager = blocks.Manager();
  if (manager == nullptr || !file.IsOpen()) {
    return nullptr;
  }
  YImageBlock* block = manager->CheckOutBlock(&blocks, 0);
  if (block == nullptr) {
    return nullptr;
  }
  block->SetImage(this);
  block->SetNumber(n);
  try {
    file.Seek(BlockOffset(n));
    file.ReadExact(block->Data(), YImageBlock::kBytes);
  } catch (const KX&) {
    block->SetImage(nullptr);
    manager->PutBlock(block);
    return nullptr;
  }
  if (!blocks.Add(block, false)) {
    block->SetImage(nullptr);
    manager->PutBlock(block);
    return nullptr;
  }
  return block;
}

YImageBlock* YImage::FrameBlock(int32_t trueFrame) {
  if (blockCount <= 0 || trueFrame < 0) {
    return nullptr;
  }
  if (!camera.IsType102()) {
    return Block(trueFrame / camera.FramesPerBlock());
  }
  // A galloping search from the block of the last lookup: steps double while the direction holds and
  // halve after the first turn.
  int32_t index = std::clamp(lastBlock, 0, blockCount - 1);
  int32_t step = 1;
  int32_t direction = 0;
  bool turned = false;
  for (int32_t tries = 0; tries < blockCount; ++tries) {
    YImageBlock* block = Block(index);
    if (block == nullptr) {
      return nullptr;
    }
    if (Holds(block, trueFrame)) {
      lastBlock = index;
      return block;
    }
    const int32_t wanted = trueFrame < block->FirstFrame() ? -1 : 1;
    if (direction == 0) {
      step = 1;
    } else if (!turned && wanted == direction) {
      step = static_cast<int32_t>(std::min<int64_t>(int64_t{step} * 2, blockCount));
    } else {
      turned = true;
      step = std::max(step / 2, 1);
    }
    direction = wanted;
    index = static_cast<int32_t>(
        std::clamp<int64_t>(int64_t{index} + int64_t{direction} * step, 0, blockCount - 1));
  }
  return nullptr;
}

const uint8_t* YImage::ReadFrame(int32_t shown) {
  if (shown < 0 || shown >= frameCount) {
    return nullptr;
  }
  const int32_t trueFrame = TrueFrame(shown);
  YImageBlock* block = FrameBlock(trueFrame);
  return block != nullptr ? block->Frame(trueFrame - block->FirstFrame()) : nullptr;
}

const uint8_t* YImage::FramePixels(int32_t shown) {
  if (shown < 0 || shown >= frameCount) {
    return nullptr;
  }
  const uint8_t* pixels = ReadFrame(shown);
  return pixels != nullptr ? pixels : kBlankFrame.data();
}

bool YImage::AddBlock(YImageBlock* block) {
  if (block == nullptr) {
    return false;
  }
  block->SetImage(this);
  block->SetNumber(blockCount);
  if (block->GetLayout() == YImageBlock::kCoded) {
    block->SetFirstFrame(TrueFrameCount());
  }
  // A block the collection refuses would belong to no list and be lost to the pool; the caller keeps it.
  if (!blocks.Add(block, true)) {
    block->SetImage(nullptr);
    return false;
  }
  ++blockCount;
  frameCount += block->FrameCount();
  return true;
}

bool YImage::AddCapturedBlock(YImageBlock* block) {
  if (block == nullptr || block->CameraNumber() != camera.Parameter(2) || !AddBlock(block)) {
    return false;
  }
  try {
    WriteUnsaved(1);
  } catch (const KX& failure) {
    // The block is the image's now and stays unsaved: the next write or save of the image tries it again.
    KString text("YImage::AddCapturedBlock: block file error ");
    text.AppendInt(failure.Code());
    YLogError(text);
  }
  KMessage message;
  Send(this, Message(message, kYImageBlockAdded, 0, this));
  return true;
}

int32_t YImage::WriteUnsaved(int32_t count) {
  if (!file.IsOpen() || file.Mode() != KFile::kReadWrite) {
    return count;
  }
  while (count > 0) {
    YImageBlock* block = blocks.FirstUnsaved();
    if (block == nullptr) {
      break;
    }
    WriteBlockAt(file, block->Number(), block->Data(), YImageBlock::kBytes);
    --count;
    blocks.AdvanceFirstUnsaved();
  }
  return count;
}

bool YImage::CreateBlock(YImageBlock* dst, bool restart, int32_t* sourceOut) {
  if (restart) {
    rebuildSource = 0;
    rebuildFrame = 0;
  }
  if (rebuildFrame >= frameCount) {
    return false;
  }
  int32_t trueFrame = TrueFrame(rebuildFrame);
  YImageBlock* source = nullptr;
  for (;; ++rebuildSource) {
    if (rebuildSource >= blockCount) {
      YLogError("YImage::CreateBlock: didn't find trueFrameNum");
      throw KXPersistent(kErrFileContents);
    }
    source = Block(rebuildSource);
    if (source == nullptr) {
      throw KXStream(kErrFileAccess);
    }
    if (Holds(source, trueFrame)) {
      break;
    }
  }
  if (dst != nullptr) {
    std::fill(dst->Data(), dst->Data() + YImageBlock::kBytes, uint8_t{0});
  }
  const int32_t firstFrame = rebuildFrame;
  int32_t offset = YImageBlock::kFirstBlocketteWord;
  int32_t total = 0;
  int32_t previous = -10;
  int32_t lastWritten = 0;
  while (rebuildFrame < frameCount && Holds(source, trueFrame)) {
    const int32_t local = trueFrame - source->FirstFrame();
    // A blockette is copied whole only when it starts at this frame, follows the frame written last
    // (its reference), and all its frames are shown in order; otherwise the frame becomes a key blockette.
    int32_t position = local;
    source->FindBlockette(position);
    int32_t end = offset;
    int32_t frames = 0;
    bool copy = false;
    if (trueFrame == previous + lastWritten && position == 0) {
      source->CopyBlockette(nullptr, end, frames, local);
      copy = rebuildFrame + frames <= frameCount;
      for (int32_t j = 1; copy && j < frames; ++j) {
        copy = TrueFrame(rebuildFrame + j) == trueFrame + j;
      }
      end = offset;
    }
    if (copy) {
      source->CopyBlockette(nullptr, end, frames, local);
    } else {
      source->WriteKeyBlockette(nullptr, end, frames, local);
    }
    // A blockette that would run into the checksum starts the next block instead.
    if (end > YImageBlock::kBlocketteEnd) {
      if (total > 0) {
        break;
      }
      throw KXPersistent(kErrFileContents);
    }
    if (dst != nullptr) {
      int32_t at = offset;
      const bool written = copy ? source->CopyBlockette(dst, at, frames, local)
                                : source->WriteKeyBlockette(dst, at, frames, local);
      if (!written) {
        throw KXPersistent(kErrFileContents);
      }
    }
    offset = end;
    total += frames;
    rebuildFrame += frames;
    previous = trueFrame;
    lastWritten = frames;
    trueFrame = TrueFrame(rebuildFrame);
  }
  if (dst != nullptr) {
    dst->SetFirstFrame(firstFrame);
    dst->SetFrameCount(total);
    dst->SetPixelKind(source->PixelKind());
    dst->SetCameraNumber(source->CameraNumber());
    dst->UpdateChecksum();
  }
  if (sourceOut != nullptr) {
    *sourceOut = rebuildSource;
  }
  return true;
}

KString YImage::BlockFileName() const {
  const QvEvent* document = Document();
  if (document == nullptr || document->StoragePath().IsEmpty() || extension.IsEmpty()) {
    return KString();
  }
  KFile name(document->StoragePath());
  name.SetExtension(extension);
  return name.Name();
}

bool YImage::CheckImageFile() const {
  const KString name = BlockFileName();
  return file.IsOpen() && !name.IsEmpty() && KFile::SameName(file, KFile(name));
}

void YImage::OpenBlockFile(bool writing) {
  const KString name = BlockFileName();
  if (name.IsEmpty()) {
    throw KXStream(kErrFileOpen);
  }
  file.Close();
  file.SetName(name);
  if (!writing) {
    // Opening a document only reads: nothing changes on the disk before the user saves. A file too short
    // for the first unit is no block file (the extension may name any file beside the document) and is
    // refused as it is.
    file.Open(KFile::kRead, false);
    if (file.Size() < kFirstUnitBytes) {
      file.Close();
      throw KXStream(kErrFileOpen);
    }
    return;
  }
  file.Open(KFile::kReadWrite, true);
  if (file.Size() < kFirstUnitBytes) {
    SetLength(file, kFirstUnitBytes);
  }
}

void YImage::WritableBlockFile() {
  // A file the disk keeps read-only stays open for reading; writing to it then fails as it should.
  if (file.Mode() != KFile::kRead || file.IsReadOnly()) {
    return;
  }
  file.Close();
  file.Open(KFile::kReadWrite, false);
}

void YImage::SetLength(KFile& target, int64_t length) {
  target.Seek(length);
  target.Truncate();
}

void YImage::ShrinkTo(KFile& target, int64_t length) {
  if (target.Size() > length) {
    SetLength(target, length);
  }
}

void YImage::WriteBlockAt(KFile& target, int32_t n, const uint8_t* bytes, int32_t length) {
  target.Seek(BlockOffset(n));
  target.Write(bytes, length);
}

// The record's fields before they are taken.
struct YImage::Record {
  int32_t blockCount = 0;
  int32_t frameCount = 0;
};

void YImage::WriteRecord(KStream& stream, int32_t writtenBlocks, int32_t writtenFrames,
                         int32_t reference) const {
  stream.WriteUInt32(kVersionWord);
  stream.WriteInt32(Id());
  stream.WriteUInt32(flags);
  camera.Write(stream);
  views.Write(stream);
  extension.Write(stream);
  stream.WriteInt32(0);
  stream.WriteInt32(kBlockBytes);
  stream.WriteInt32(writtenBlocks);
  stream.WriteInt32(writtenFrames);
  stream.WriteInt32(camera.FramesPerBlock());
  stream.WriteInt32(0);
  tables.Write(stream, BitsPerPixel());
  stream.WriteInt32(reference);
  for (int32_t i = 0; i < kTrailingZeroWords; ++i) {
    stream.WriteInt32(0);
  }
}

void YImage::ReadRecord(KStream& stream, Record& record) {
  if (stream.ReadUInt32() != kVersionWord) {
    throw KXPersistent(kErrFileVersion);
  }
  SetId(stream.ReadInt32());
  // An image saved while capturing is read back idle: nothing captures into an image just read.
  flags = stream.ReadUInt32() & ~kCapturing;
  camera.Read(stream);
  views.Read(stream, [this] { return new YImageView(this, -1); });
  extension.Read(stream);
  // The extension is stored as written by older programs: without its dot, and with a leading "C" read as
  // "i". It names a file beside the document, so it may not reach into another folder.
  if (!extension.IsEmpty() && extension[0] == u'.') {
    extension = KString(extension.Data() + 1, extension.Length() - 1);
  }
  if (!extension.IsEmpty() && extension[0] == u'C') {
    KString fixed(u"i");
    fixed.Append(extension.Data() + 1, extension.Length() - 1);
    extension = fixed;
  }
  if (extension.Find(u'/') >= 0 || extension.Find(u'\\') >= 0 || extension.Find(u'\0') >= 0 ||
      NamesAnotherFile(extension)) {
    throw KXPersistent(kErrFileContents);
  }
  stream.ReadInt32();
  stream.ReadInt32();
  record.blockCount = stream.ReadInt32();
  record.frameCount = stream.ReadInt32();
  if (record.blockCount < 0 || record.frameCount < 0) {
    throw KXPersistent(kErrFileContents);
  }
  // Frames that are not coded fill their blocks in order, so the frame count fixes the block count. A
  // record where they disagree is damaged: saving it would pad the block file with empty blocks or drop
  // blocks it holds, so it is refused rather than trusted either way.
  if (!camera.IsType102()) {
    const int64_t perBlock = camera.FramesPerBlock();
    if ((record.frameCount + perBlock - 1) / perBlock != record.blockCount) {
      throw KXPersistent(kErrFileContents);
    }
  }
  stream.ReadInt32();
  stream.ReadInt32();
  tables.Read(stream, BitsPerPixel());
  referenceFrame = stream.ReadInt32();
  for (int32_t i = 0; i < kTrailingZeroWords; ++i) {
    stream.ReadInt32();
  }
}

bool YImage::NamesAnotherFile(const KString& wanted) const {
  if (wanted.IsEmpty()) {
    return false;  // names no file at all; opening refuses it
  }
  // Either kind's document extension: the document may be saved as the other kind.
  for (const char16_t* documentExtension : {u"qve", u"qvw"}) {
    if (KString::EqualsNoCase(wanted, KString(documentExtension))) {
      return true;
    }
  }
  const QvEvent* document = Document();
  if (document == nullptr) {
    return false;
  }
  if (!document->StoragePath().IsEmpty()) {
    KFile own(document->StoragePath());
    KFile blockFile(document->StoragePath());
    blockFile.SetExtension(wanted);
    if (KFile::SameName(own, blockFile)) {
      return true;
    }
  }
  std::lock_guard<std::mutex> hold(LiveImagesMutex());
  for (const YImage* other : LiveImages()) {
    if (other != this && other->Document() == document && KString::EqualsNoCase(other->extension, wanted)) {
      return true;
    }
  }
  return false;
}

void YImage::Import(KStream& stream) {
  Record record;
  ReadRecord(stream, record);
  blockCount = record.blockCount;
  frameCount = record.frameCount;
  blocks.ClearFirstUnsaved();
  // An image saved without blocks (one added while the document was opened header-only) may have no block
  // file: it opens without one and gets one at its first full save.
  const KString name = BlockFileName();
  const bool needsFile = blockCount > 0 || name.IsEmpty() || KFileExists(name);
  try {
    if (needsFile) {
      OpenBlockFile(false);
    }
  } catch (const KXStream& failure) {
    if (failure.Code() == kErrFileOpen) {
      throw KX(kErrImageFileOpen);
    }
    throw;
  }
  if (needsFile) {
    ReconcileWithFile();
  }
  savedBlockCount = blockCount;
  savedFrameCount = frameCount;
  if ((flags & kEnhancedTables) == 0) {
    BuildColourTables();
  } else {
    RebuildDrawingTable();
  }
}

void YImage::ReconcileWithFile() {
  const int64_t fileBlocks = std::min<int64_t>((file.Size() - kFirstUnitBytes) / kBlockBytes, INT_MAX);
  if (fileBlocks == blockCount) {
    return;
  }
  YLogError("YImage::Import: blocks != blockWidth");
  if (fileBlocks < 1) {
    YLogError("YImage::Import: blocks <= 0");
    return;
  }
  auto last = std::make_unique<YImageBlock>();
  last->SetImage(this);
  last->SetNumber(static_cast<int32_t>(fileBlocks - 1));
  file.Seek(BlockOffset(fileBlocks - 1));
  file.ReadExact(last->Data(), YImageBlock::kBytes);
  const int64_t frames = int64_t{last->FirstFrame()} + last->FrameCount();
  if (frames != frameCount) {
    YLogError("YImage::Import: frames != frameWidth");
    if (frames < 0 || frames > INT_MAX) {
      YLogError("YImage::Import: frames < 0");
    } else {
      frameCount = static_cast<int32_t>(frames);
    }
  }
  blockCount = static_cast<int32_t>(fileBlocks);
}

void YImage::Export(KStream& stream) {
  const QvEvent* document = Document();
  if (document != nullptr && (document->OpenMode() & QvEvent::kImagesHeaderOnly) != 0) {
    ExportHeaderOnly(stream);
  } else {
    ExportFull(stream);
  }
}

void YImage::ExportHeaderOnly(KStream& stream) {
  WriteRecord(stream, std::max(savedBlockCount, 0), std::max(savedFrameCount, 0), 0);
  if (!file.IsOpen()) {
    // The temporary block file is deleted with the image, so it may only be one made here: a file that
    // already has the name belongs to something else and is left alone (blocks then stay in memory).
    const KString name = BlockFileName();
    if (!name.IsEmpty() && !KFileExists(name)) {
      OpenBlockFile(true);
      temporary = true;
    }
  } else if (!CheckImageFile()) {
    YLogError("YImage::Export: CheckImageFile() failed");
  }
}

int32_t YImage::CountRebuiltBlocks() {
  YImageReporter& reporter = YImageReporter::Current();
  reporter.StatusText(QvSettings::Text(u"\\Strings\\Event\\Image\\Calculating"));
  reporter.Progress(0);
  int32_t count = 0;
  int32_t source = 0;
  for (bool restart = true; CreateBlock(nullptr, restart, &source); restart = false) {
    ++count;
    reporter.Progress(Percent(source, blockCount));
  }
  return count;
}

int32_t YImage::Percent(int64_t part, int64_t whole) {
  return whole > 0 ? static_cast<int32_t>(part * 100 / whole) : 0;
}

void YImage::ExportFull(KStream& stream) {
  const KString name = BlockFileName();
  if (name.IsEmpty()) {
    throw KXStream(kErrFileOpen);
  }
  const bool coded = camera.IsType102();
  const bool withCuts = !cuts.IsEmpty();
  int32_t count = blockCount;
  if (coded && withCuts) {
    count = CountRebuiltBlocks();
  } else if (!coded) {
    const int32_t perBlock = camera.FramesPerBlock();
    count = static_cast<int32_t>((int64_t{perBlock} + frameCount - 1) / perBlock);
  }
  WriteRecord(stream, count, frameCount, ShownFrame(referenceFrame));

  if (!withCuts && CheckImageFile()) {
    // The block file already holds every saved block: only those captured since go in. It is never padded
    // out to the count: blocks a damaged file lost would only turn into zeros (up to gigabytes of them).
    WritableBlockFile();
    YImageBlock* unsaved = blocks.FirstUnsaved();
    CopyBlocks(file, unsaved != nullptr ? unsaved->Number() : blockCount, count);
    ShrinkTo(file, BlockOffset(count));
  } else {
    // A new block file (a first save, another name, or blocks rebuilt from the old file while they are
    // written) is written whole beside its name and replaces what is there only once complete, so a failing
    // save leaves every existing file as it was.
    YReplacementFile fresh(name);
    SetLength(fresh.File(), BlockOffset(count));
    YImageReporter::Current().StatusText(QvSettings::Text(u"\\Strings\\Event\\Image\\Saving"));
    YImageReporter::Current().Progress(0);
    if (coded && withCuts) {
      WriteRebuiltBlocks(fresh.File(), count);
    } else if (withCuts) {
      WriteRawWithCuts(fresh.File());
    } else {
      CopyBlocks(fresh.File(), 0, count);
    }
    fresh.Commit();
    if (CheckImageFile()) {
      // The old file's name now belongs to the new one: the old handle is only let go.
      temporary = false;
    }
    ReleaseBlockFile("YImage::Export: old block file error ");
    file.TakeOver(fresh.File(), true);
  }
  if (withCuts) {
    cuts.Clear();
    blocks.ReturnAll();
    lastBlock = 0;
  }
  temporary = false;
  blockCount = savedBlockCount = count;
  savedFrameCount = frameCount;
  blocks.ClearFirstUnsaved();
}

void YImage::WriteRebuiltBlocks(KFile& target, int32_t count) {
  auto scratch = std::make_unique<YImageBlock>();
  scratch->SetImage(this);
  for (int32_t i = 0; i < count; ++i) {
    CreateBlock(scratch.get(), i == 0);
    WriteBlockAt(target, i, scratch->Data(), YImageBlock::kBytes);
    YImageReporter::Current().Progress(Percent(i, count));
  }
}

void YImage::CopyBlocks(KFile& target, int32_t start, int32_t count) {
  // Blocks held in memory are copied from there (captured ones may not be in the file yet); the others
  // straight from the block file, so that saving needs no block pool.
  std::vector<uint8_t> bytes(YImageBlock::kBytes);
  for (int32_t i = start; i < std::min(blockCount, count); ++i) {
    if (const YImageBlock* held = blocks[i]) {
      std::copy(held->Data(), held->Data() + YImageBlock::kBytes, bytes.begin());
    } else if (file.IsOpen()) {
      file.Seek(BlockOffset(i));
      file.ReadExact(bytes.data(), YImageBlock::kBytes);
    } else {
      throw KXStream(kErrFileAccess);
    }
    WriteBlockAt(target, i, bytes.data(), YImageBlock::kBytes);
    YImageReporter::Current().Progress(Percent(i, count));
  }
}

void YImage::WriteRawWithCuts(KFile& target) {
  const int32_t length = camera.Rate();
  if (length <= 0 || length > YImageFrame::kPixelBytes) {
    throw KXStream(kErrFileAccess);
  }
  auto scratch = std::make_unique<YImageBlock>();
  int32_t filled = 0;
  int32_t written = 0;
  for (int32_t shown = 0; shown < frameCount; ++shown) {
    const int32_t trueFrame = TrueFrame(shown);
    YImageBlock* block = FrameBlock(trueFrame);
    const uint8_t* pixels = block != nullptr ? block->Frame(trueFrame - block->FirstFrame()) : nullptr;
    if (pixels == nullptr) {
      throw KXStream(kErrFileAccess);
    }
    std::copy(pixels, pixels + length, scratch->Data() + filled);
    filled += length;
    YImageReporter::Current().Progress(Percent(shown, frameCount));
    if (YImageBlock::kBytes - filled < length || shown == frameCount - 1) {
      WriteBlockAt(target, written++, scratch->Data(), filled);
      filled = 0;
    }
  }
}

void YImage::ReleaseBlockFile(const char* failureText) noexcept {
  if (!file.IsOpen()) {
    return;
  }
  try {
    if (temporary) {
      const KString name = file.Name();
      file.Close();
      KDeleteFile(name);
      return;
    }
    // Blocks captured since the last save are dropped. A record that promises more blocks than the file
    // holds must not make it grow (by up to gigabytes of zeros).
    if (savedBlockCount >= 0 && file.Mode() == KFile::kReadWrite) {
      ShrinkTo(file, BlockOffset(savedBlockCount));
    }
    file.Close();
  } catch (const KX& failure) {
    KString text(failureText);
    text.AppendInt(failure.Code());
    YLogError(text);
    try {
      file.Close();
    } catch (const KX&) {
      // Already reported; the descriptor is released either way.
    }
  }
}

void YImage::RebuildDrawingTable() {
  tables.RebuildDrawing(IsColour(), {camera.GainFactor(), camera.OffsetFactor(), camera.ScaleFactor()});
}

void YImage::BuildColourTables() {
  tables.Reset(IsColour());
  flags &= ~kEnhancedTables;
  RebuildDrawingTable();
  KMessage message;
  Send(this, Message(message, kYImageGeometry, 0, this));
}

void YImage::SetGain(double value) {
  camera.SetGainFactor(value, true);
  RebuildDrawingTable();
}

void YImage::SetOffset(double value) {
  camera.SetOffsetFactor(value, true);
  RebuildDrawingTable();
}

void YImage::SetScaleFactor(double value) {
  camera.SetScaleFactor(value, true);
  RebuildDrawingTable();
}

void YImage::SetLayoutFlags(uint8_t value) {
  for (int32_t n : kLayoutParameters) {
    camera.SetFlags(n, value);
  }
}

bool YImage::Capture(const YCamera* settings) {
  YCaptureService* service = YCaptureService::Registered();
  if (service == nullptr) {
    return false;
  }
  if (settings != nullptr) {
    camera.Assign(*settings, 0);
  }
  return service->SetUpCapture(camera.Parameter(2), camera);
}

bool YImage::StartCapture(KFile* blockFile, const YCamera* settings) {
  if (!Capture(settings) || !YCaptureService::Registered()->StartCapture(camera.Parameter(2), *this)) {
    return false;
  }
  flags |= kCapturing;
  SetLayoutFlags(YCamera::kLocked);
  if (blockFile != nullptr) {
    blockFile->SetName(file.IsOpen() ? file.Name() : BlockFileName());
  }
  return true;
}

bool YImage::StopCapture() {
  flags &= ~kCapturing;
  // Blocks already held fix the layout; without any it may still be chosen for the next capture.
  if (blockCount == 0) {
    SetLayoutFlags(0);
  }
  YCaptureService* service = YCaptureService::Registered();
  return service != nullptr && service->StopCapture(camera.Parameter(2));
}

bool YImage::QueryCamera() {
  YCaptureService* service = YCaptureService::Registered();
  if (service == nullptr || camera.Parameter(11) != 0) {
    return false;
  }
  YCamera device;
  return service->ReadCamera(camera.Parameter(2), device) && camera.NoteAutomaticGain(device.Parameter(12));
}

void YImage::GetCamera(YCamera& copy, int32_t copyFlags) {
  const bool layoutOpen = (flags & kCapturing) != 0 && blockCount == 0;
  if (layoutOpen) {
    SetLayoutFlags(0);
  }
  copy.Assign(camera, copyFlags);
  if (layoutOpen) {
    SetLayoutFlags(YCamera::kLocked);
  }
}

void YImage::Setup(const YCamera* settings) {
  if (settings != nullptr) {
    camera.Assign(*settings, 0);
  }
  for (int32_t n : kSetupParameters) {
    camera.SetFlags(n, YCamera::kLocked);
  }
  BuildColourTables();
}
