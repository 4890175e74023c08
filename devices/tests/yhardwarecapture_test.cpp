// The hardware manager as the images' capture service: cameras started by images, and the blocks they
// deliver reaching those images.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "devices/tests/fakeinterface.h"
#include "devices/yhardware.h"
#include "foundation/kregistry.h"
#include "imaging/ycamera.h"
#include "imaging/yimage.h"
#include "imaging/yimageblock.h"
#include "imaging/yimageblockmanager.h"
#include "model/qvevent.h"
#include "model/qvsettings.h"
#include "model/yleg.h"

namespace {

constexpr int32_t kFramesPerBlock = 3;

class HardwareCaptureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    KRegistry::RegisterTypes();
    QvSettings::SetRoot(&registry);
    YImageBlockManager::CreateGlobal(4);
    leg = event.NewLeg();
  }
  void TearDown() override {
    QvSettings::SetRoot(nullptr);
    YImageBlockManager::DeleteGlobal();
  }
  FakeInterface* AddDevice(int32_t id) {
    auto device = std::make_unique<FakeInterface>(id);
    FakeInterface* raw = device.get();
    hardware.AddInterface(std::move(device));
    return raw;
  }
  // A coded image of the leg (not in its lists, so that a test can end it) for a camera.
  std::unique_ptr<YImage> MakeImage(int32_t camera, KMessageObject* owner) {
    auto image = std::make_unique<YImage>(owner, 5);
    image->Camera().SetParameter(0, YCamera::kTypeCoded, false);
    image->Camera().SetParameter(2, camera, false);
    return image;
  }
  // A coded block of kFramesPerBlock frames as a device delivers it.
  static std::vector<uint8_t> Delivered() {
    std::vector<uint8_t> bytes(YHardware::kBlockBytes, 0);
    bytes[0] = kFramesPerBlock;
    return bytes;
  }
  bool Deliver(int32_t camera) {
    const std::vector<uint8_t> bytes = Delivered();
    return hardware.AddCapturedBlock(camera, bytes.data(), YHardware::kBlockBytes);
  }
  static int32_t FreeBlocks() { return YImageBlockManager::Global()->FreeCount(); }

  KRegistry registry;
  YHardware hardware{8};
  QvEvent event;
  YLeg* leg = nullptr;
};

}  // namespace

TEST_F(HardwareCaptureTest, TheManagerIsTheCaptureServiceForItsLifetime) {
  EXPECT_EQ(YCaptureService::Registered(), &hardware);
  {
    YHardware other(8);
    EXPECT_EQ(YCaptureService::Registered(), &other);
  }
  EXPECT_EQ(YCaptureService::Registered(), nullptr);
}

TEST_F(HardwareCaptureTest, AnImagesCameraDeliversItsBlocksToThatImage) {
  FakeInterface* device = AddDevice(7);
  std::unique_ptr<YImage> image = MakeImage(7, leg);
  ASSERT_TRUE(image->StartCapture());
  EXPECT_EQ(device->configuredCamera, 7);
  EXPECT_EQ(device->starts, 1);
  EXPECT_EQ(hardware.IsCaptureStarted(), YHardware::kStarted);

  EXPECT_TRUE(Deliver(7));
  EXPECT_TRUE(Deliver(7));
  EXPECT_EQ(image->BlockCount(), 2);
  EXPECT_EQ(image->FrameCount(), 2 * kFramesPerBlock);
  EXPECT_EQ(image->Block(1)->FirstFrame(), kFramesPerBlock);
  EXPECT_EQ(hardware.CapturedBlockCount(), 0);
  // A camera that captures into no image keeps its blocks in the capture buffer.
  EXPECT_TRUE(Deliver(8));
  EXPECT_EQ(hardware.CapturedBlockCount(), 1);
  EXPECT_EQ(image->BlockCount(), 2);

  EXPECT_TRUE(image->StopCapture());
  EXPECT_EQ(device->stops, 1);
  EXPECT_EQ(hardware.IsCaptureStarted(), YHardware::kIdle);
  EXPECT_FALSE(Deliver(7));
  EXPECT_EQ(image->BlockCount(), 2);
  EXPECT_FALSE(image->StopCapture());  // the camera no longer runs
}

TEST_F(HardwareCaptureTest, ABlockTheImageRefusesGoesBackToThePool) {
  AddDevice(7);
  std::unique_ptr<YImage> image = MakeImage(7, leg);
  ASSERT_TRUE(image->StartCapture());
  const int32_t free = FreeBlocks();
  image->Camera().SetParameter(2, 9, false);  // the image now names another camera
  EXPECT_FALSE(Deliver(7));
  EXPECT_EQ(image->BlockCount(), 0);
  EXPECT_EQ(FreeBlocks(), free);
}

TEST_F(HardwareCaptureTest, ACameraStartsOnlyForAnImageOfALegInADocumentWithPooledBlocks) {
  YImageBlockManager::DeleteGlobal();
  std::unique_ptr<YImage> outsidePool = MakeImage(7, leg);
  YImageBlockManager::CreateGlobal(4);
  FakeInterface* device = AddDevice(7);
  YLeg freeLeg;
  std::unique_ptr<YImage> inLeg = MakeImage(7, leg);
  std::unique_ptr<YImage> noDocument = MakeImage(7, &freeLeg);
  std::unique_ptr<YImage> noLeg = MakeImage(7, &event);
  std::unique_ptr<YImage> unknownCamera = MakeImage(4, leg);
  struct Case {
    const char* name;
    YImage* image;
    int32_t camera;
    bool startable;
  } cases[] = {
      {"unknown camera", unknownCamera.get(), 4, true},
      {"leg outside a document", noDocument.get(), 7, true},
      {"owner not a leg", noLeg.get(), 7, true},
      {"blocks outside the pool", outsidePool.get(), 7, true},
      {"device does not start", inLeg.get(), 7, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    device->startable = c.startable;
    EXPECT_FALSE(hardware.StartCapture(c.camera, *c.image));
    EXPECT_EQ(hardware.IsCaptureStarted(), YHardware::kIdle);
  }
  device->startable = true;
  ASSERT_TRUE(hardware.StartCapture(7, *inLeg));
  EXPECT_FALSE(hardware.StartCapture(7, *inLeg)) << "already running";
  EXPECT_EQ(device->starts, 2);
}

TEST_F(HardwareCaptureTest, CamerasShareOneCaptureThatEndsWithTheLastToStop) {
  FakeInterface* first = AddDevice(1);
  FakeInterface* second = AddDevice(2);
  std::unique_ptr<YImage> one = MakeImage(1, leg);
  std::unique_ptr<YImage> two = MakeImage(2, leg);
  ASSERT_TRUE(one->StartCapture());
  ASSERT_TRUE(two->StartCapture());
  EXPECT_TRUE(Deliver(1));
  EXPECT_TRUE(Deliver(2));
  EXPECT_TRUE(Deliver(2));
  EXPECT_EQ(one->BlockCount(), 1);
  EXPECT_EQ(two->BlockCount(), 2);
  EXPECT_TRUE(one->StopCapture());
  EXPECT_EQ(hardware.IsCaptureStarted(), YHardware::kStarted);
  EXPECT_TRUE(Deliver(2));
  EXPECT_EQ(two->BlockCount(), 3);
  EXPECT_TRUE(two->StopCapture());
  EXPECT_EQ(hardware.IsCaptureStarted(), YHardware::kIdle);
  EXPECT_EQ(first->stops, 1);
  EXPECT_EQ(second->stops, 1);
}

TEST_F(HardwareCaptureTest, AnImageGoingAwayStopsItsCameraAndGetsNoMoreBlocks) {
  FakeInterface* device = AddDevice(7);
  std::unique_ptr<YImage> image = MakeImage(7, leg);
  ASSERT_TRUE(image->StartCapture());
  ASSERT_TRUE(Deliver(7));
  image.reset();
  EXPECT_EQ(device->stops, 1);
  EXPECT_EQ(hardware.IsCaptureStarted(), YHardware::kIdle);
  EXPECT_FALSE(Deliver(7));
}

TEST_F(HardwareCaptureTest, StoppingTheWholeCaptureReleasesEveryImage) {
  FakeInterface* device = AddDevice(7);
  std::unique_ptr<YImage> image = MakeImage(7, leg);
  ASSERT_TRUE(image->StartCapture());
  EXPECT_TRUE(hardware.IsCapturing());
  EXPECT_EQ(device->stops, 1);
  // A new capture of the leg started from the tool bar sends the camera's blocks to the buffer.
  ASSERT_TRUE(hardware.StartCapture(event, *leg));
  EXPECT_TRUE(Deliver(7));
  EXPECT_EQ(image->BlockCount(), 0);
  EXPECT_EQ(hardware.CapturedBlockCount(), 1);
}

TEST_F(HardwareCaptureTest, AFailedStartLeavesNoDeviceRunning) {
  FakeInterface* first = AddDevice(1);
  FakeInterface* second = AddDevice(2);
  second->startable = false;
  EXPECT_FALSE(hardware.StartCapture(event, *leg));
  EXPECT_EQ(first->starts, 1);
  EXPECT_EQ(first->stops, 1);
  EXPECT_EQ(second->stops, 0);
  EXPECT_NE(hardware.IsCaptureStarted(), YHardware::kStarted);
  second->startable = true;
  ASSERT_TRUE(hardware.StartCapture(event, *leg));
  hardware.StopCapture();
  EXPECT_EQ(first->stops, 2);
  EXPECT_EQ(second->stops, 1);
}

TEST_F(HardwareCaptureTest, QueryCameraTakesTheGainTheDeviceReports) {
  FakeInterface* device = AddDevice(7);
  device->gain = 140;
  std::unique_ptr<YImage> image = MakeImage(7, leg);
  ASSERT_EQ(image->Camera().Parameter(11), 0);  // automatic gain
  EXPECT_TRUE(image->QueryCamera());
  EXPECT_EQ(image->Camera().Parameter(12), 140);
  device->answer = false;
  device->gain = 150;
  EXPECT_FALSE(image->QueryCamera());
  EXPECT_EQ(image->Camera().Parameter(12), 140);
}
