#include "imaging/ycamera.h"

#include <gtest/gtest.h>

#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kx.h"
#include "imaging/tests/blocketteencoder.h"
#include "imaging/tests/imagingtestsupport.h"

TEST(YCamera, ChoosingATypeLoadsItsDefaultsOnce) {
  MessageLog root;
  YCamera camera(&root, 3);
  EXPECT_EQ(camera.Parameter(0), 100);
  EXPECT_EQ(camera.Parameter(8), -1);
  ASSERT_TRUE(camera.SetParameter(0, 101, true));
  EXPECT_EQ(root.codes, (std::vector<uint32_t>{22}));
  EXPECT_EQ(camera.Parameter(7), 2);
  EXPECT_EQ(camera.Parameter(8), 100);
  EXPECT_EQ(camera.Parameter(22), 1000);
  EXPECT_EQ(camera.Parameter(40), 127);
  EXPECT_EQ(camera.Parameter(1), -1);
  EXPECT_FALSE(camera.SetParameter(0, 102, true));
  EXPECT_EQ(camera.Parameter(0), 101);
  EXPECT_EQ(root.codes.size(), 1u);
}

TEST(YCamera, LimitsFollowTypeAndOtherParameters) {
  YCamera coded;
  coded.SetParameter(0, 102, false);
  ASSERT_TRUE(coded.SetParameter(7, 600, false));
  EXPECT_TRUE(coded.SetParameter(7, 501, false));
  EXPECT_EQ(coded.Parameter(7), 500);
  EXPECT_EQ(coded.MaxValue(6), 500);
  EXPECT_EQ(coded.MaxValue(7), 1000);
  EXPECT_EQ(coded.MinValue(8), 25);

  YCamera raw;
  raw.SetParameter(0, 101, false);
  ASSERT_TRUE(raw.SetParameter(8, 30, false));
  ASSERT_TRUE(raw.SetParameter(7, 1, false));
  ASSERT_TRUE(raw.SetParameter(5, 1, false));
  EXPECT_FALSE(raw.CanSet(7, 2));
  EXPECT_EQ(raw.MaxValue(8), 1000);

  YCamera none;
  EXPECT_EQ(none.MinValue(8), 0);
  EXPECT_EQ(none.MaxValue(8), -1);
  EXPECT_EQ(none.MaxValue(42), -1);
  EXPECT_EQ(none.MaxValue(-1), -1);
}

TEST(YCamera, RawFrameRateIsRefusedWhereTheLimitIsZero) {
  SCOPED_TRACE("p5 = 1, p7 = 2 has no frame rate");
  YCamera camera;
  SetCamera(camera, YCamera::kTypeRaw, 1, 2, 0);
  for (int32_t rate : {0, 29, 30, 100, 2000}) {
    EXPECT_FALSE(camera.CanSet(8, rate)) << rate;
  }
}

TEST(YCamera, ApplicabilityAndSpecialRules) {
  YCamera coded;
  coded.SetParameter(0, 102, false);
  YCamera raw;
  raw.SetParameter(0, 101, false);
  struct Case {
    const YCamera* camera;
    int32_t n;
    int32_t value;
    bool allowed;
  } cases[] = {
      {&coded, 0, 101, false}, {&coded, 12, 5, false},   {&coded, 13, 60, true},   {&raw, 12, 5, true},
      {&raw, 13, 1, false},    {&raw, 19, 0, false},     {&coded, 19, 255, true},  {&coded, 19, 256, false},
      {&raw, 33, 1, false},    {&coded, 33, 1, true},    {&coded, 40, 200, true},  {&raw, 9, 1, false},
      {&coded, 9, 1, true},    {&raw, 27, 1, false},     {&coded, 27, 1, true},    {&coded, 5, 3, true},
      {&raw, 5, 1, false},     {&coded, 22, 249, false}, {&coded, 22, 4000, true}, {&coded, 42, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.camera->Parameter(0) << " p" << c.n << " = " << c.value);
    EXPECT_EQ(c.camera->CanSet(c.n, c.value), c.allowed);
  }
}

TEST(YCamera, NotificationKindsAndUnchangedValues) {
  MessageLog root;
  YCamera camera(&root, 1);
  camera.SetParameter(0, 102, false);
  camera.SetParameter(16, 1, true);
  camera.SetParameter(17, 1, true);
  camera.SetParameter(10, 70, true);
  camera.SetParameter(10, 70, true);
  camera.SetParameter(24, 100, false);
  EXPECT_EQ(root.codes, (std::vector<uint32_t>{22, 24, 23}));
}

TEST(YCamera, LaneLines) {
  MessageLog root;
  YCamera camera(&root, 1);
  camera.SetValueCount(4);
  EXPECT_EQ(camera.Value(0), 0);
  EXPECT_EQ(camera.Value(1), 2500);
  EXPECT_EQ(camera.Value(4), 10000);
  EXPECT_EQ(camera.Value(5), -1);
  EXPECT_EQ(camera.Value(-1), -1);
  EXPECT_TRUE(camera.SetValue(2, 9000));
  EXPECT_EQ(camera.Value(2), 7500);
  EXPECT_FALSE(camera.SetValue(2, 7500));
  EXPECT_TRUE(camera.SetValue(1, -5));
  EXPECT_EQ(camera.Value(1), 0);
  camera.SetValueCount(3);
  EXPECT_EQ(camera.Value(1), 3333);
  camera.SetValueCount(21);
  EXPECT_EQ(camera.ValueCount(), 3);
  camera.SetFlags(17, YCamera::kLocked);
  camera.SetValueCount(2);
  EXPECT_FALSE(camera.SetValue(1, 100));
  EXPECT_EQ(camera.ValueCount(), 3);
  EXPECT_EQ(root.codes, (std::vector<uint32_t>{24, 24, 24, 24}));
}

TEST(YCamera, AssignSkipsKeptAndLeavesLocked) {
  YCamera source;
  source.SetParameter(0, 102, false);
  source.SetParameter(10, 80, false);
  source.SetParameter(15, 20, false);
  source.SetValueCount(2);
  source.SetName(u"Finish");
  source.SetFlags(15, YCamera::kKept);

  YCamera target;
  target.SetParameter(0, 102, false);
  target.SetFlags(10, YCamera::kLocked);
  target.Assign(source, 0);
  EXPECT_EQ(target.Parameter(10), 65);
  EXPECT_EQ(target.Parameter(15), 10);
  EXPECT_EQ(target.ValueCount(), 2);
  EXPECT_TRUE(target.Name() == KString(u"Finish"));
  EXPECT_EQ(target.Flags(15), 0);

  YCamera copied;
  copied.Assign(source, YCamera::kCopyFlags);
  EXPECT_EQ(copied.Flags(15), 0);
  EXPECT_EQ(copied.Parameter(0), 102);
}

TEST(YCamera, RateAndFramesPerBlock) {
  struct Case {
    int32_t type;
    int32_t p5;
    int32_t p7;
    int32_t rate;
    int32_t framesPerBlock;
  } cases[] = {
      {101, 0, 0, 1000, 16}, {101, 0, 2, 250, 64}, {101, 1, 2, 0, 1},
      {102, 0, 500, 500, 1}, {100, 0, 0, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.type << " " << c.p5 << " " << c.p7);
    YCamera camera;
    SetCamera(camera, c.type, c.p5, c.p7, 0);
    EXPECT_EQ(camera.Rate(), c.rate);
    EXPECT_EQ(camera.FramesPerBlock(), c.framesPerBlock);
  }
}

TEST(YCamera, FactorsAndAutomaticGain) {
  YCamera camera;
  camera.SetParameter(0, 102, false);
  EXPECT_TRUE(camera.SetGainFactor(0.25, false));
  EXPECT_EQ(camera.Parameter(24), 2500);
  EXPECT_DOUBLE_EQ(camera.GainFactor(), 0.25);
  EXPECT_FALSE(camera.SetOffsetFactor(1.5, false));
  EXPECT_TRUE(camera.SetScaleFactor(2.0, false));
  EXPECT_DOUBLE_EQ(camera.ScaleFactor(), 2.0);
  EXPECT_FALSE(camera.SetScaleFactor(1e300, false));
  EXPECT_TRUE(camera.NoteAutomaticGain(77));
  EXPECT_EQ(camera.Parameter(12), 77);
  camera.SetParameter(11, 1, false);
  EXPECT_FALSE(camera.NoteAutomaticGain(78));
  ASSERT_TRUE(camera.SetParameter(7, 400, false));
  EXPECT_TRUE(camera.CentreWindow(false));
  EXPECT_EQ(camera.Parameter(6), 300);
}

TEST(YCamera, RecordRoundTrip) {
  YCamera camera(nullptr, 12);
  camera.SetParameter(0, 102, false);
  camera.SetParameter(7, 800, false);
  camera.SetFlags(3, YCamera::kLocked | YCamera::kKept);
  camera.SetValueCount(5);
  camera.SetValue(2, 4100);
  camera.SetName(u"Lane cam");
  KMemoryStream stream;
  camera.Write(stream);
  YCamera read;
  read.Read(stream);
  EXPECT_TRUE(read.SameSettings(camera));
  EXPECT_EQ(read.Id(), 12);
  EXPECT_EQ(stream.Remaining(), 0);
}

TEST(YCamera, ImpossibleRecordsAreRefusedAndChangeNothing) {
  YCamera model;
  model.SetParameter(0, 102, false);
  KMemoryStream good;
  model.Write(good);
  const std::vector<uint8_t> bytes = good.Bytes();
  // Offsets in the record of an unnamed camera without lane lines.
  constexpr size_t kCountOffset = 16;
  constexpr size_t kParameterCountOffset = 20;
  constexpr size_t kP5Offset = 24 + 5 * 5;
  struct Case {
    const char* name;
    size_t offset;
    uint32_t value;
    int32_t code;
  } cases[] = {
      {"version", 0, 0x2000A, 3009},
      {"21 lane lines", kCountOffset, 21, 3010},
      {"negative lane count", kCountOffset, 0xFFFFFFFF, 3010},
      {"41 parameters", kParameterCountOffset, 41, 3010},
      {"extent index 4", kP5Offset, 4, 3010},
      {"extent index -1", kP5Offset, 0xFFFFFFFF, 3010},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> damaged = bytes;
    for (size_t i = 0; i < 4; ++i) {
      damaged[c.offset + i] = static_cast<uint8_t>(c.value >> (8 * i));
    }
    KMemoryStream stream(damaged);
    YCamera camera(nullptr, 5);
    camera.SetParameter(0, 101, false);
    try {
      camera.Read(stream);
      ADD_FAILURE() << "read was accepted";
    } catch (const KX& failure) {
      EXPECT_EQ(failure.Code(), c.code);
    }
    EXPECT_EQ(camera.Parameter(0), 101);
    EXPECT_EQ(camera.Id(), 5);
  }
}
