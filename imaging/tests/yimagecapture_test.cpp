// The image's capture hooks against a scripted capture service.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "foundation/kfile.h"
#include "imaging/tests/blocketteencoder.h"
#include "imaging/tests/imagingtestsupport.h"
#include "imaging/ycaptureservice.h"
#include "imaging/yimage.h"
#include "imaging/yimageblock.h"
#include "imaging/yimageblockmanager.h"

namespace {

constexpr int32_t kPixels = 40;
constexpr int32_t kCameraNumber = 6;
constexpr int32_t kLayout[] = {5, 6, 7, 27};
constexpr int32_t kIdentifying[] = {0, 1, 2, 4, 26, 28, 29, 30, 31};

// Answers as told and records what it was asked.
class ScriptedService : public YCaptureService {
 public:
  bool SetUpCapture(int32_t camera, const YCamera& settings) override {
    setUps.push_back(camera);
    setUpName = settings.Name();
    return ready;
  }
  bool StartCapture(int32_t camera, YImage& image) override {
    starts.push_back(camera);
    startedImage = &image;
    return starting;
  }
  bool StopCapture(int32_t camera) override {
    stops.push_back(camera);
    return stopping;
  }
  bool ReadCamera(int32_t camera, YCamera& settings) override {
    reads.push_back(camera);
    settings.SetParameter(0, YCamera::kTypeCoded, false);
    settings.SetParameter(11, 1, false);
    settings.SetParameter(12, reportedGain, false);
    return hasCamera;
  }
  void ReleaseImage(YImage& image) override { released.push_back(&image); }

  bool ready = true;
  bool starting = true;
  bool stopping = true;
  bool hasCamera = true;
  int32_t reportedGain = 140;
  std::vector<int32_t> setUps;
  std::vector<int32_t> starts;
  std::vector<int32_t> stops;
  std::vector<int32_t> reads;
  std::vector<YImage*> released;
  KString setUpName;
  YImage* startedImage = nullptr;
};

class ImageCaptureTest : public FramePoolTest {
 protected:
  void SetUp() override {
    FramePoolTest::SetUp();
    YImageBlockManager::CreateGlobal(4);
    image = std::make_unique<YImage>(&root, 1);
    SetCamera(image->Camera(), YCamera::kTypeCoded, 0, kPixels, 1, kCameraNumber);
  }
  void TearDown() override {
    image.reset();
    YCaptureService::Unregister(&service);
    YImageBlockManager::DeleteGlobal();
    FramePoolTest::TearDown();
  }
  void Serve() { YCaptureService::Register(&service); }
  std::vector<int32_t> LayoutFlags(const YCamera& camera) const {
    std::vector<int32_t> flags;
    for (int32_t n : kLayout) {
      flags.push_back(camera.Flags(n));
    }
    return flags;
  }
  void AddCaptured() {
    YImageBlock* block = YImageBlockManager::Global()->CheckOutBlock(&image->Blocks(), 0);
    ASSERT_NE(block, nullptr);
    BuildColourSequence(*block, random, kPixels, 0, kCameraNumber);
    ASSERT_TRUE(image->AddCapturedBlock(block));
  }

  MessageLog root;
  ScriptedService service;
  std::unique_ptr<YImage> image;
  std::mt19937 random{11};
};

const std::vector<int32_t> kLocked{1, 1, 1, 1};
const std::vector<int32_t> kOpen{0, 0, 0, 0};

}  // namespace

TEST_F(ImageCaptureTest, WithoutAServiceTheHooksAnswerFalseAndChangeNothing) {
  YCamera settings;
  settings.SetName(KString(u"Finish"));
  KFile named;
  EXPECT_FALSE(image->Capture(&settings));
  EXPECT_FALSE(image->StartCapture(&named, &settings));
  EXPECT_FALSE(image->QueryCamera());
  EXPECT_FALSE(image->StopCapture());
  EXPECT_TRUE(image->Camera().Name().IsEmpty());
  EXPECT_EQ(image->Flags() & YImage::kCapturing, 0u);
  EXPECT_EQ(LayoutFlags(image->Camera()), kOpen);
  EXPECT_TRUE(named.Name().IsEmpty());
}

TEST_F(ImageCaptureTest, CaptureHandsTheTakenSettingsToTheImagesCamera) {
  Serve();
  YCamera settings;
  SetCamera(settings, YCamera::kTypeCoded, 0, kPixels, 1, kCameraNumber);
  settings.SetName(KString(u"Finish"));
  EXPECT_TRUE(image->Capture(&settings));
  EXPECT_TRUE(image->Camera().Name() == KString(u"Finish"));
  EXPECT_TRUE(service.setUpName == KString(u"Finish"));
  service.ready = false;
  EXPECT_FALSE(image->Capture());
  EXPECT_EQ(service.setUps, (std::vector<int32_t>{kCameraNumber, kCameraNumber}));
}

TEST_F(ImageCaptureTest, StartingLocksTheFrameLayoutOnlyWhenTheCameraStarts) {
  Serve();
  struct Case {
    const char* name;
    bool ready;
    bool starting;
    std::vector<int32_t> starts;
  } cases[] = {
      {"camera not ready", false, true, {}},
      {"camera refuses to start", true, false, {kCameraNumber}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    service.ready = c.ready;
    service.starting = c.starting;
    service.starts.clear();
    EXPECT_FALSE(image->StartCapture());
    EXPECT_EQ(service.starts, c.starts);
    EXPECT_EQ(image->Flags() & YImage::kCapturing, 0u);
    EXPECT_EQ(LayoutFlags(image->Camera()), kOpen);
  }
  service.ready = service.starting = true;
  ASSERT_TRUE(image->StartCapture());
  EXPECT_EQ(service.startedImage, image.get());
  EXPECT_NE(image->Flags() & YImage::kCapturing, 0u);
  EXPECT_EQ(LayoutFlags(image->Camera()), kLocked);
}

TEST_F(ImageCaptureTest, StoppingUnlocksTheLayoutOnlyWhenNoBlockArrived) {
  Serve();
  ASSERT_TRUE(image->StartCapture());
  service.stopping = false;
  EXPECT_FALSE(image->StopCapture());  // the service's answer, yet the image no longer captures
  EXPECT_EQ(image->Flags() & YImage::kCapturing, 0u);
  EXPECT_EQ(LayoutFlags(image->Camera()), kOpen);

  service.stopping = true;
  ASSERT_TRUE(image->StartCapture());
  AddCaptured();
  EXPECT_TRUE(image->StopCapture());
  EXPECT_EQ(LayoutFlags(image->Camera()), kLocked);
  EXPECT_EQ(service.stops, (std::vector<int32_t>{kCameraNumber, kCameraNumber}));
}

TEST_F(ImageCaptureTest, GetCameraOffersTheLayoutUntilTheFirstBlock) {
  Serve();
  ASSERT_TRUE(image->StartCapture());
  YCamera copy;
  image->GetCamera(copy);
  EXPECT_EQ(copy.Parameter(7), kPixels);
  EXPECT_EQ(LayoutFlags(copy), kOpen);
  EXPECT_EQ(LayoutFlags(image->Camera()), kLocked);
  AddCaptured();
  YCamera later;
  image->GetCamera(later);
  EXPECT_EQ(LayoutFlags(later), kLocked);
}

TEST_F(ImageCaptureTest, QueryCameraRecordsTheReportedGainUnderAutomaticGainOnly) {
  Serve();
  struct Case {
    const char* name;
    int32_t method;
    bool hasCamera;
    bool stored;
    int32_t gain;
  } cases[] = {
      {"automatic gain", 0, true, true, 140},
      {"same gain again", 0, true, false, 140},
      {"no such camera", 0, false, false, 140},
      {"manual gain", 1, true, false, 140},
  };
  int32_t asked = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    image->Camera().SetParameter(11, c.method, false);
    ASSERT_EQ(image->Camera().Parameter(11), c.method);
    service.hasCamera = c.hasCamera;
    EXPECT_EQ(image->QueryCamera(), c.stored);
    EXPECT_EQ(image->Camera().Parameter(12), c.gain);
    asked += c.method == 0 ? 1 : 0;
    EXPECT_EQ(static_cast<int32_t>(service.reads.size()), asked);
  }
  EXPECT_EQ(service.reads.front(), kCameraNumber);
}

TEST_F(ImageCaptureTest, SetupLocksTheCameraAndResetsTheLevelTables) {
  YCamera settings;
  SetCamera(settings, YCamera::kTypeCoded, 0, kPixels, 1, kCameraNumber + 1);
  ASSERT_TRUE(settings.SetGainFactor(1.0, false));
  image->DisplayTable()[20] = 50;
  image->Setup(&settings);
  EXPECT_EQ(image->Camera().Parameter(2), kCameraNumber + 1);
  for (int32_t n : kIdentifying) {
    EXPECT_EQ(image->Camera().Flags(n), YCamera::kLocked) << n;
  }
  EXPECT_EQ(image->DisplayEntry(10), 10);
  // Full gain draws every level at the top level: multiplier 93 × 32 / level.
  EXPECT_EQ(image->DrawingEntry(31), 96);
  ASSERT_FALSE(root.codes.empty());
  EXPECT_EQ(root.codes.back(), 31u);
  // The camera number is locked now.
  image->Setup(&settings);
  SetCamera(settings, YCamera::kTypeCoded, 0, kPixels, 1, kCameraNumber + 2);
  image->Setup(&settings);
  EXPECT_EQ(image->Camera().Parameter(2), kCameraNumber + 1);
}

TEST_F(ImageCaptureTest, AnImageGoingAwayIsReleasedFromTheService) {
  Serve();
  YImage* gone = image.get();
  image.reset();
  EXPECT_EQ(service.released, (std::vector<YImage*>{gone}));
}

TEST_F(ImageCaptureTest, OnlyTheRegisteredServiceCanUnregisterItself) {
  Serve();
  ScriptedService other;
  YCaptureService::Unregister(&other);
  EXPECT_EQ(YCaptureService::Registered(), &service);
  YCaptureService::Unregister(&service);
  EXPECT_EQ(YCaptureService::Registered(), nullptr);
}

TEST_F(ImageCaptureTest, ABlockTheCollectionRefusesIsLeftToTheCaller) {
  YImageBlock* squatter = YImageBlockManager::Global()->CheckOutBlock(&image->Blocks(), 0);
  ASSERT_NE(squatter, nullptr);
  squatter->SetNumber(0);  // holds the number the next captured block would take
  ASSERT_TRUE(image->Blocks().Add(squatter, false));
  YImageBlock* block = YImageBlockManager::Global()->CheckOutBlock(&image->Blocks(), 0);
  ASSERT_NE(block, nullptr);
  BuildColourSequence(*block, random, kPixels, 0, kCameraNumber);
  EXPECT_FALSE(image->AddCapturedBlock(block));
  EXPECT_EQ(image->BlockCount(), 0);
  EXPECT_EQ(image->FrameCount(), 0);
  EXPECT_EQ(block->Image(), nullptr);
  EXPECT_EQ(block->Collection(), nullptr);
  EXPECT_TRUE(root.codes.empty());
  EXPECT_TRUE(YImageBlockManager::Global()->PutBlock(block));
}
