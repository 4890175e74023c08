#pragma once
// The fixture of the image tests: the settings, the imaging statics, a pool of blocks, a log and a folder
// for documents, with builders of coded and raw images and file helpers.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "foundation/kfiledialog.h"
#include "foundation/klog.h"
#include "foundation/tests/ktempfolder.h"
#include "imaging/tests/blocketteencoder.h"
#include "imaging/tests/imagingtestsupport.h"
#include "imaging/yimage.h"
#include "imaging/yimageblock.h"
#include "imaging/yimageblockmanager.h"
#include "model/tests/qvmodeltestsupport.h"

inline constexpr int32_t kPixels = 40;
inline constexpr uint8_t kCameraNumber = 3;

inline int64_t FileSize(const KString& path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path.ToUtf8(), error);
  return error ? -1 : static_cast<int64_t>(size);
}

inline std::vector<uint8_t> FileBytes(const KString& path) {
  std::ifstream in(path.ToUtf8(), std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const KString& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path.ToUtf8(), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline std::string LogText(const std::string& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The names of the files in a folder.
inline std::set<std::string> FolderNames(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// Answers every save dialog with the path it holds.
class SaveAs {
 public:
  explicit SaveAs(const KString& path) {
    KSetFileDialogHook([path](KFileDialogRequest& request) -> int32_t {
      request.file->SetName(path);
      return 0;
    });
  }
  ~SaveAs() { KSetFileDialogHook(nullptr); }
};

// Byte `byte` of raw frame `frame`.
using RawFill = std::function<uint8_t(int32_t frame, int32_t byte)>;

// The settings, the imaging statics, a pool of blocks, a log and a folder for documents.
class ImageTest : public ModelTest {
 protected:
  void SetUp() override {
    ModelTest::SetUp();
    YImage::InitClass();
    YImageBlockManager::CreateGlobal(64);
    logPath = folder.Path() + "/test.log";
    log = std::make_unique<KLog>(logPath);
    KLog::SetProgramLog(log.get());
  }
  void TearDown() override {
    KLog::SetProgramLog(nullptr);
    YImage::ExitClass();
    ModelTest::TearDown();
  }

  // A coded colour image of `blocks` blocks of six frames each; the frames are kept in `codedFrames`.
  YImage* AddCodedImage(YLeg& leg, int32_t blocks, const char16_t* extension = u"ic0") {
    auto* image = static_cast<YImage*>(leg.InsertImage(0, std::make_unique<YImage>(&leg, 10), -1));
    SetCamera(image->Camera(), YCamera::kTypeCoded, 0, kPixels, 1, kCameraNumber);
    image->SetExtension(extension);
    for (int32_t b = 0; b < blocks; ++b) {
      YImageBlock* block = CheckOut(*image);
      for (auto& frame : BuildColourSequence(*block, random, kPixels, 0, kCameraNumber)) {
        codedFrames.push_back(frame);
      }
      image->AddBlock(block);
    }
    return image;
  }
  // A raw image (1000-byte frames, 16 a block) of `blocks` blocks; byte i of frame f is fill(f, i), by
  // default f % 251 throughout (time stamps included).
  YImage* AddRawImage(YLeg& leg, int32_t blocks, const RawFill& fill = nullptr) {
    auto* image = static_cast<YImage*>(leg.InsertImage(1, std::make_unique<YImage>(&leg, 11), -1));
    SetCamera(image->Camera(), YCamera::kTypeRaw, 0, 0, 0, kCameraNumber);
    image->SetExtension(u"ir0");
    for (int32_t b = 0; b < blocks; ++b) {
      YImageBlock* block = CheckOut(*image);
      for (int32_t n = 0; n < 16; ++n) {
        const int32_t frame = b * 16 + n;
        for (int32_t i = 0; i < 1000; ++i) {
          block->Data()[n * 1000 + i] = fill ? fill(frame, i) : static_cast<uint8_t>(frame % 251);
        }
      }
      image->AddBlock(block);
    }
    return image;
  }
  // A coded colour image of `frames` frames of 40 pixels, each a key blockette, pixel p of frame f being
  // paint(f, p) and its time 100 + 10 f; 40 frames a block.
  YImage* AddPaintedImage(YLeg& leg, int32_t frames, const std::function<uint16_t(int32_t, int32_t)>& paint) {
    constexpr int32_t kFramesPerBlock = 40;
    auto* image = static_cast<YImage*>(leg.InsertImage(0, std::make_unique<YImage>(&leg, 12), -1));
    SetCamera(image->Camera(), YCamera::kTypeCoded, 0, kPixels, 1, kCameraNumber);
    image->SetExtension(u"ic1");
    for (int32_t first = 0; first < frames; first += kFramesPerBlock) {
      YImageBlock* block = CheckOut(*image);
      CodedBlockBuilder builder(*block);
      for (int32_t f = first; f < std::min(frames, first + kFramesPerBlock); ++f) {
        std::vector<uint16_t> pixels(kPixels);
        for (int32_t p = 0; p < kPixels; ++p) {
          pixels[static_cast<size_t>(p)] = paint(f, p);
        }
        Blockette key;
        key.times = {100 + 10 * f};
        key.data = EncodeColourKey(pixels, 1);
        builder.Add(key);
      }
      builder.Finish(YImageBlock::kRgb15, first, kCameraNumber);
      image->AddBlock(block);
    }
    return image;
  }
  YImageBlock* CheckOut(YImage& image) {
    YImageBlock* block = YImageBlockManager::Global()->CheckOutBlock(&image.Blocks(), 0);
    EXPECT_NE(block, nullptr);
    return block;
  }
  int32_t Save(QvEvent& event, const KString& path) {
    SaveAs answer(path);
    return event.Save(QvEvent::kSaveFile | QvEvent::kAskName);
  }
  static YImage* ImageOf(QvEvent& event, int32_t camera) {
    KList* images = event.Leg(0)->Images(camera);
    return images != nullptr ? static_cast<YImage*>(images->Next(nullptr)) : nullptr;
  }
  static std::vector<uint16_t> Shown(YImage& image, int32_t frame) {
    const uint8_t* pixels = image.FramePixels(frame);
    return pixels != nullptr ? ColourPixels(pixels, kPixels) : std::vector<uint16_t>{};
  }

  KTempFolder folder;
  std::string logPath;
  std::unique_ptr<KLog> log;
  std::mt19937 random{5};
  std::vector<std::vector<uint16_t>> codedFrames;
};
