#pragma once
// The fixture of the image tests: the settings, the imaging statics, a pool of blocks, a log and a folder
// for documents, with builders of coded and raw images and file helpers.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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
  // A raw image (1000-byte frames, 16 a block) of `blocks` blocks; frame f is filled with f % 251.
  YImage* AddRawImage(YLeg& leg, int32_t blocks) {
    auto* image = static_cast<YImage*>(leg.InsertImage(1, std::make_unique<YImage>(&leg, 11), -1));
    SetCamera(image->Camera(), YCamera::kTypeRaw, 0, 0, 0, kCameraNumber);
    image->SetExtension(u"ir0");
    for (int32_t b = 0; b < blocks; ++b) {
      YImageBlock* block = CheckOut(*image);
      for (int32_t n = 0; n < 16; ++n) {
        std::fill(block->Data() + n * 1000, block->Data() + n * 1000 + 1000,
                  static_cast<uint8_t>((b * 16 + n) % 251));
      }
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
