#include "imaging/yoverlay.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "foundation/kbufferedfile.h"
#include "foundation/kfileinfo.h"
#include "foundation/kx.h"
#include "imaging/yimaginglog.h"

namespace {

constexpr int32_t kReaderBuffer = 4096;
constexpr int32_t kFirstFreeNumber = 10;

std::unique_ptr<KBufferedFile>& SharedReader() {
  static std::unique_ptr<KBufferedFile> reader;
  return reader;
}

}  // namespace

YOverlay::YOverlay(const KString& file, uint32_t format)
    : bitmap(0, 0, format, KBitmap::kMovable | KBitmap::kDiscardable), path(file) {
  if (path.Length() > kMaxPath) {
    path.SetLength(kMaxPath);
  }
}

void YOverlay::InitClass() {
  SharedReader() = std::make_unique<KBufferedFile>(kReaderBuffer);
}

void YOverlay::ExitClass() {
  SharedReader().reset();
}

uint8_t* YOverlay::Lock() {
  if (uint8_t* held = bitmap.Lock()) {
    return held;
  }
  KBufferedFile* reader = SharedReader().get();
  if (reader == nullptr) {
    return nullptr;
  }
  uint8_t* result = nullptr;
  int32_t step = 0;
  try {
    if (reader->IsOpen()) {
      reader->Close();
    }
    step = 1;
    reader->SetName(path);
    step = 2;
    reader->Open(KFile::kRead);
    step = 3;
    bitmap.ImportTarga(*reader);
    step = 4;
    result = bitmap.Lock();
    step = 5;
    reader->Close();
  } catch (const KX&) {
    KString text("YOverlay::Lock: exception ");
    text.AppendInt(step);
    text.Append(" file: ");
    text.Append(path);
    YLogWarning(text);
  }
  return result;
}

void YOverlay::Collect(KSparseArray& overlays, const KString& folder, bool noOverlay) {
  if (noOverlay) {
    return;
  }
  KString pattern = folder;
  if (!pattern.IsEmpty() && pattern[pattern.Length() - 1] != u'/') {
    pattern.AppendChar(u'/');
  }
  pattern.Append(u"*.tg?");
  KFileInfo listing(pattern);
  KFile entry;
  std::vector<KString> files;
  while (KFile::FindNext(listing, entry)) {
    files.push_back(entry.Name());
  }
  std::sort(files.begin(), files.end(),
            [](const KString& a, const KString& b) { return a.ToUtf8() < b.ToUtf8(); });
  for (const KString& file : files) {
    const char16_t last = file[file.Length() - 1];
    const bool digit = last >= u'0' && last <= u'9';
    if (!digit && last != u'a' && last != u'A') {
      continue;
    }
    auto overlay = std::make_unique<YOverlay>(file, kCollectedFormat);
    const int32_t wanted = digit ? last - u'0' : -1;
    if (wanted >= 0 && overlays.Item(wanted) == nullptr) {
      overlay->SetId(wanted);
    } else {
      const int32_t highest = overlays.IsEmpty() ? 0 : overlays.FirstIndex();
      overlay->SetId(std::max(kFirstFreeNumber, highest + 1));
    }
    if (overlays.Add(overlay.get())) {
      overlay.release();
    }
  }
}
