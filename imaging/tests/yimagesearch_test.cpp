#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imaging/tests/imagetestfixture.h"
#include "imaging/yimage.h"
#include "imaging/yimagereporter.h"
#include "imaging/yimageview.h"

namespace {

constexpr uint16_t kWhite = Rgb(31, 31, 31);

// Two objects passing on a black ground: frames 40-55 over pixels 8-23, and frames 150-170 over
// pixels 24-31.
uint16_t TwoObjects(int32_t f, int32_t p) {
  const bool first = f >= 40 && f <= 55 && p >= 8 && p <= 23;
  const bool second = f >= 150 && f <= 170 && p >= 24 && p <= 31;
  return first || second ? kWhite : 0;
}

class BreakingReporter : public YImageReporter {
 public:
  void StatusText(const KString& text) override { texts.push_back(Narrow(text)); }
  bool BreakPressed() override { return --breakAfter < 0; }
  void Message(const KString& text) override { messages.push_back(Narrow(text)); }
  std::vector<std::string> texts;
  std::vector<std::string> messages;
  int32_t breakAfter = 1000000;
};

}  // namespace

TEST_F(ImageTest, SearchThresholdsComeFromTheAutoCropSetting) {
  struct Case {
    const char16_t* setting;
    int32_t change;
    int32_t activity;
  };
  const Case cases[] = {{nullptr, 50, 25},
                        {u"\\Event\\Image\\AutoCrop:Int=30", 300, 150},
                        {u"\\Event\\Image\\AutoCrop:Int=101", 50, 25},
                        {u"\\Event\\Image\\AutoCrop:Int=-1", 50, 25},
                        {u"\\Event\\Image\\AutoCrop:Int=0", 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.change);
    if (c.setting != nullptr) {
      AddSetting(c.setting);
    }
    EXPECT_EQ(YImage::SearchThresholds().change, c.change);
    EXPECT_EQ(YImage::SearchThresholds().activity, c.activity);
  }
}

TEST_F(ImageTest, NextObjectFindsEachMovingObjectInTurn) {
  QvEvent event;
  YImage* image = AddPaintedImage(*event.NewLeg(), 240, TwoObjects);
  YImageView view(image, -1);
  KRect object;
  int32_t status = -1;
  // The first object changes groups 5 (frames 40-47) and 7 (56-63): it opens with group 4 and closes
  // after five quiet groups, at the first of them (frame 64).
  ASSERT_TRUE(image->NextObject(object, view, true, &status, -1));
  EXPECT_EQ(status, 0);
  EXPECT_EQ(object, KRect(32, 8, 64, 24));
  // The second changes groups 18 to 22 (frames 144-183).
  ASSERT_TRUE(image->NextObject(object, view, false, &status, -1));
  EXPECT_EQ(object, KRect(136, 24, 184, 32));
  EXPECT_FALSE(image->NextObject(object, view, false, &status, -1));
  // A view searches on from its last object, and from the start once none was found.
  YImageView& own = *image->View(0, true);
  for (const KRect& expected : {KRect(32, 8, 64, 24), KRect(136, 24, 184, 32), KRect(32, 8, 64, 24)}) {
    const bool found = own.FindNextObject() || own.FindNextObject();
    EXPECT_TRUE(found);
    EXPECT_EQ(own.ObjectRect(), expected);
  }
  // An object whose last change is in the final group closes at the last frame.
  QvEvent late;
  YImage* ending = AddPaintedImage(
      *late.NewLeg(), 80, [](int32_t f, int32_t p) { return f >= 72 && p < 8 ? kWhite : uint16_t{0}; });
  YImageView endingView(ending, -1);
  ASSERT_TRUE(ending->NextObject(object, endingView, true, &status, -1));
  EXPECT_EQ(object, KRect(64, 0, 79, 8));
}

TEST_F(ImageTest, NextObjectStopsAtTheBreakKeyAndAtUnreadableFrames) {
  QvEvent event;
  YImage* image = AddPaintedImage(*event.NewLeg(), 240, TwoObjects);
  YImageView view(image, -1);
  BreakingReporter reporter;
  YImageReporter::Connect(&reporter);
  AddSetting(u"\\Strings\\Alerts\\UserAborted:String=Stopped");
  reporter.breakAfter = 3;
  KRect object;
  int32_t status = -1;
  EXPECT_FALSE(image->NextObject(object, view, true, &status, -1));
  EXPECT_EQ(status, 1);
  EXPECT_EQ(reporter.messages, std::vector<std::string>{"Stopped"});
  reporter.breakAfter = 1000000;
  // Block 1 (frames 40-79) can no longer be walked.
  image->Block(1)->SetBlocketteLength(2, 0);
  EXPECT_FALSE(image->NextObject(object, view, true, &status, -1));
  EXPECT_EQ(status, 2);
  YImageReporter::Connect(nullptr);
  // Images too short for a group, or with frames shorter than a tile, find nothing.
  QvEvent small;
  YImage* shortImage = AddPaintedImage(*small.NewLeg(), 7, TwoObjects);
  EXPECT_FALSE(shortImage->NextObject(object, view, true, &status, -1));
  EXPECT_EQ(status, 0);
  YImage empty;
  EXPECT_FALSE(empty.NextObject(object, view, true, &status, -1));
}

TEST_F(ImageTest, AutoCropCutsTheFramesBetweenObjects) {
  QvEvent event;
  YImage* image = AddPaintedImage(*event.NewLeg(), 240, TwoObjects);
  image->AutoCrop(true);
  // Kept: 16 frames before each object's search extent and the objects themselves: true frames 17-64
  // and 121-184.
  EXPECT_EQ(image->FrameCount(), 48 + 64);
  struct Case {
    int32_t shown;
    int32_t trueFrame;
  };
  for (const Case& c : {Case{0, 17}, Case{47, 64}, Case{48, 121}, Case{111, 184}}) {
    EXPECT_EQ(image->TrueFrame(c.shown), c.trueFrame) << c.shown;
  }
  EXPECT_EQ(image->ReferenceFrame(), 239);
}
