// Opens an event document whose one image has no saved blocks, beside a block file that is the fuzzed
// bytes after its reserved first unit. The first byte picks the image's layout (even: coded colour frames
// of 40 pixels, odd: raw frames of 1000 bytes); the rest are the blocks. The file's length and its last
// block settle the image's counts, then every block and every shown frame is asked for: the document
// opens or is refused with a code, and an open image gives a frame for each of its frame numbers and none
// outside them, whatever the blocks hold.

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "foundation/kfile.h"
#include "foundation/kfiledialog.h"
#include "foundation/kregistry.h"
#include "imaging/fuzz/fuzzcamera.h"
#include "imaging/yimage.h"
#include "imaging/yimageblockmanager.h"
#include "model/qvevent.h"
#include "model/qvsettings.h"
#include "model/yleg.h"
#include "model/ytime.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

constexpr int32_t kCameraNumber = 3;
constexpr int32_t kCodedPixels = 40;
// Frames asked for at most, so that a block file of many frames still runs quickly.
constexpr int32_t kMostFrames = 2000;

struct Layout {
  const char* name;
  const char* extension;
  int32_t type;
  int32_t p7;
  int32_t pixelMode;
};

constexpr Layout kLayouts[] = {
    {"coded", "ic0", YCamera::kTypeCoded, kCodedPixels, 1},
    {"raw", "ir0", YCamera::kTypeRaw, 0, 0},
};

// The document's and the block file's paths, named after the target, the process and the layout.
std::string PathOf(const Layout& layout, const char* extension) {
  const char* folder = std::getenv("TMPDIR");
  return std::string(folder && *folder ? folder : "/tmp") + "/image_block_file_fuzz_" +
         std::to_string(getpid()) + "_" + layout.name + "." + extension;
}

// Saves, once per run, a document of one leg with an image of that layout and no blocks.
void SaveDocument(const Layout& layout) {
  QvEvent event;
  YLeg* leg = event.NewLeg();
  auto* image = static_cast<YImage*>(leg->InsertImage(0, std::make_unique<YImage>(leg, 10), -1));
  FuzzSetCamera(image->Camera(), layout.type, kCameraNumber, 0, layout.p7, layout.pixelMode);
  image->SetExtension(KString::FromUtf8(layout.extension));
  const KString path = KString::FromUtf8(PathOf(layout, "qve"));
  KSetFileDialogHook([path](KFileDialogRequest& request) -> int32_t {
    request.file->SetName(path);
    return 0;
  });
  Check(event.Save(QvEvent::kSaveFile | QvEvent::kAskName) == 0);
  KSetFileDialogHook(nullptr);
}

void RemoveFiles() {
  for (const Layout& layout : kLayouts) {
    std::remove(PathOf(layout, "qve").c_str());
    std::remove(PathOf(layout, layout.extension).c_str());
  }
}

void Setup() {
  static std::unique_ptr<KRegistry> settings;
  if (settings) {
    return;
  }
  KRegistry::RegisterTypes();
  settings = std::make_unique<KRegistry>();
  QvSettings::SetRoot(settings.get());
  YTime::Setup();
  YImage::InitClass();
  YImageBlockManager::CreateGlobal(16);
  for (const Layout& layout : kLayouts) {
    SaveDocument(layout);
  }
  std::atexit(RemoveFiles);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) {
    return 0;
  }
  Setup();
  const Layout& layout = kLayouts[data[0] % std::size(kLayouts)];
  {
    std::ofstream blocks(PathOf(layout, layout.extension), std::ios::binary | std::ios::trunc);
    const std::string firstUnit(YImage::kFirstUnitBytes, '\0');
    blocks.write(firstUnit.data(), static_cast<std::streamsize>(firstUnit.size()));
    blocks.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
  }
  QvEvent document;
  if (document.Open(QvEvent::kOpenFile, KString::FromUtf8(PathOf(layout, "qve"))) != 0) {
    return 0;
  }
  KList* images = document.Leg(0)->Images(0);
  auto* image = images != nullptr ? static_cast<YImage*>(images->Next(nullptr)) : nullptr;
  Check(image != nullptr && image->FrameCount() >= 0 && image->BlockCount() >= 0);
  for (int32_t n = 0; n < image->BlockCount(); ++n) {
    image->Block(n);
  }
  Check(image->Block(-1) == nullptr && image->Block(image->BlockCount()) == nullptr);
  for (int32_t f = 0; f < std::min(image->FrameCount(), kMostFrames); ++f) {
    Check(image->FramePixels(f) != nullptr);
  }
  Check(image->FramePixels(-1) == nullptr && image->FramePixels(image->FrameCount()) == nullptr);
  return 0;
}
