#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "imaging/tests/imagetestfixture.h"
#include "imaging/yimage.h"
#include "imaging/yimagereporter.h"
#include "imaging/yimageview.h"

TEST_F(ImageTest, CutsMergeWithTheCutsTheyMeet) {
  struct Case {
    const char* name;
    std::vector<std::pair<int32_t, int32_t>> ranges;
    std::vector<YImageCuts::Cut> cuts;
    std::vector<std::pair<int32_t, int32_t>> shownToTrue;
  };
  const Case cases[] = {
      {"one", {{10, 19}}, {{10, 10}}, {{9, 9}, {10, 20}}},
      {"touching before", {{10, 19}, {5, 9}}, {{5, 15}}, {{4, 4}, {5, 20}}},
      {"after", {{10, 19}, {30, 34}}, {{10, 10}, {30, 15}}, {{29, 39}, {30, 45}}},
      {"before, moving the later", {{30, 34}, {10, 19}}, {{10, 10}, {20, 15}}, {{19, 29}, {20, 35}}},
      {"between, over a gap",
       {{10, 19}, {40, 44}, {12, 30}},
       {{10, 10}, {12, 29}, {21, 34}},
       {{11, 21}, {12, 41}, {21, 55}}},
      {"swallowing", {{10, 19}, {20, 24}, {5, 30}}, {{5, 41}}, {{4, 4}, {5, 46}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QvEvent event;
    YImage* image = AddRawImage(*event.NewLeg(), 5);
    YImageView view(image, -1);
    int32_t removed = 0;
    for (const auto& [from, to] : c.ranges) {
      removed += image->CutFrames(from, to, view, true);
    }
    EXPECT_EQ(image->FrameCount(), 80 - removed);
    ASSERT_EQ(image->Cuts().Count(), static_cast<int32_t>(c.cuts.size()));
    for (const auto& [shown, trueFrame] : c.shownToTrue) {
      EXPECT_EQ(image->TrueFrame(shown), trueFrame) << shown;
      EXPECT_EQ(image->FramePixels(shown)[0], trueFrame % 251) << shown;
    }
    EXPECT_EQ(image->TrueFrameCount(), 80);
  }
}

TEST_F(ImageTest, CodedCutsKeepBlockettesWhole) {
  // Each block holds the blockettes [0] [1] [2 3] [4] [5] of six frames.
  struct Case {
    int32_t from;
    int32_t to;
    int32_t removed;
    int32_t firstTrue;  // the true frame now shown at `from`'s place
  };
  const Case cases[] = {{1, 2, 0, -1}, {3, 8, 4, 8}, {0, 5, 6, 6}, {6, 6, 0, -1}, {4, 30, 0, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.from << "-" << c.to);
    QvEvent event;
    codedFrames.clear();
    YImage* image = AddCodedImage(*event.NewLeg(), 4);
    YImageView view(image, -1);
    EXPECT_EQ(image->CutFrames(c.from, c.to, view, false), c.removed);
    EXPECT_EQ(image->FrameCount(), 24 - c.removed);
    if (c.removed > 0) {
      const int32_t kept = c.from == 3 ? 4 : c.from;
      EXPECT_EQ(image->TrueFrame(kept), c.firstTrue);
      EXPECT_EQ(Shown(*image, kept), codedFrames[static_cast<size_t>(c.firstTrue)]);
    }
  }
  QvEvent event;
  YImage* image = AddCodedImage(*event.NewLeg(), 2);
  YImageView view(image, -1);
  // A block whose blockettes cannot be walked cuts nothing.
  image->Block(1)->SetBlocketteLength(2, 0);
  EXPECT_EQ(image->CutFrames(0, 8, view, false), 0);
  EXPECT_EQ(image->FrameCount(), 12);
}

TEST_F(ImageTest, RemovingCutsShowsEveryFrameAndKeepsViewsInPlace) {
  QvEvent event;
  YImage* image = AddRawImage(*event.NewLeg(), 5);
  YImageView& view = *image->View(0, true);
  view.SetOrigin(KPoint(30, 7));
  view.SetMarks(KRect(25, 1, 35, 9));
  image->SetReferenceFrame(60);
  ASSERT_EQ(image->CutFrames(10, 19, view, true), 10);
  EXPECT_EQ(view.Origin(), KPoint(20, 7));
  EXPECT_EQ(view.Marks(), KRect(15, 1, 25, 9));
  image->RemoveCuts();
  EXPECT_EQ(image->FrameCount(), 80);
  EXPECT_EQ(image->Cuts().Count(), 0);
  EXPECT_EQ(image->ReferenceFrame(), 10);
  EXPECT_EQ(view.Origin(), KPoint(30, 7));
  EXPECT_EQ(view.Marks(), KRect(25, 1, 35, 9));
}

namespace {

class ProgressRecorder : public YImageReporter {
 public:
  void StatusText(const KString& text) override { events.push_back(Narrow(text)); }
  void Progress(int32_t percent) override {
    if (events.empty() || events.back() != std::to_string(percent)) {
      events.push_back(std::to_string(percent));
    }
  }
  std::vector<std::string> events;
};

}  // namespace

TEST_F(ImageTest, SavingCutsShowsCalculatingAndSavingWithProgress) {
  AddSetting(u"\\Strings\\Event\\Image\\Calculating:String=Calculating");
  AddSetting(u"\\Strings\\Event\\Image\\Saving:String=Saving");
  QvEvent event;
  YImage* image = AddCodedImage(*event.NewLeg(), 4);
  YImageView view(image, -1);
  ASSERT_EQ(image->CutFrames(6, 11, view, false), 6);
  ProgressRecorder recorder;
  YImageReporter::Connect(&recorder);
  ASSERT_EQ(Save(event, folder.File("heat.qve")), 0);
  YImageReporter::Connect(nullptr);
  // Three blocks are left of four: the source blocks 0, 2 and 3 are counted, then written.
  EXPECT_EQ(recorder.events,
            (std::vector<std::string>{"Calculating", "0", "50", "75", "Saving", "0", "33", "66"}));
}
