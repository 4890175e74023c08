#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "imaging/tests/imagetestfixture.h"
#include "imaging/yimage.h"
#include "imaging/yimageview.h"
#include "imaging/yimageviewwindow.h"
#include "imaging/ynotification.h"

namespace {

class RecordingWindow : public YImageViewWindow {
 public:
  void Update(int32_t kind) override { calls.push_back("update " + std::to_string(kind)); }
  void PaneAction() override { calls.push_back("pane"); }
  void ZoomRequest() override { calls.push_back("zoom"); }
  void ObjectSearchRequest() override { calls.push_back("search"); }
  void ViewGone() override { calls.push_back("gone"); }
  bool HasNativeWindow() const override { return native; }
  bool HasPane() const override { return pane; }
  void ShowTime(const YTime& time, int32_t line) override {
    calls.push_back("time " + std::to_string(time.Units()) + " " + std::to_string(line));
  }
  void RedrawLine(int32_t line) override { calls.push_back("line " + std::to_string(line)); }

  std::vector<std::string> calls;
  bool native = true;
  bool pane = true;
};

using Calls = std::vector<std::string>;

}  // namespace

// Two images of one document, in two legs: views a and b show the first, c the second.
class ImageViewWindowTest : public ImageTest {
 protected:
  void SetUp() override {
    ImageTest::SetUp();
    YLeg& leg = *event.NewLeg();
    first = AddCodedImage(leg, 1);
    second = AddRawImage(*event.NewLeg(), 1);
    a = first->View(0, true);
    b = first->View(1, true);
    c = second->View(0, true);
    a->SetOwner(&windowA);
    b->SetOwner(&windowB);
    c->SetOwner(&windowC);
  }
  void Clear() {
    windowA.calls.clear();
    windowB.calls.clear();
    windowC.calls.clear();
  }

  // The windows outlive the views that tell them they are gone.
  RecordingWindow windowA;
  RecordingWindow windowB;
  RecordingWindow windowC;
  QvEvent event;
  YImage* first = nullptr;
  YImage* second = nullptr;
  YImageView* a = nullptr;
  YImageView* b = nullptr;
  YImageView* c = nullptr;
};

TEST_F(ImageViewWindowTest, NotificationsBecomeWindowRequests) {
  YTime shown(4321, 1, 80, -1);
  struct Case {
    uint16_t what;
    KMessageObject* sender;
    intptr_t argument;
    Calls calls;
  };
  const Case cases[] = {
      {kYCameraSetup, &first->Camera(), 0, {"update 1"}},
      {kYCameraParameter, &first->Camera(), 0, {"update 0"}},
      {kYCameraLanes, &first->Camera(), 0, {"pane"}},
      {kYCameraSetup, &second->Camera(), 0, {}},
      {kYImageGeometry, first, 0, {"update 1"}},
      {kYImageContents, first, 0, {"update 0"}},
      {kYImageZoom, first, 0, {"zoom"}},
      {kYImageBlockAdded, first, 0, {"search"}},
      {kYImageGeometry, second, 0, {}},
      {kYViewRedraw, a, 0, {"update 1"}},
      {kYViewRedraw, b, 0, {}},
      {kYImageShowTime, &event, reinterpret_cast<intptr_t>(&shown), {"time 4321 -1"}},
      {kYImageShowTime, first, reinterpret_cast<intptr_t>(&shown), {}},
      {kYViewLine, b, 17, {"line 17"}},
      {kYViewLine, a, 17, {}},
      {kYZoomChanged, &a->Zoom(), 0, {"update 1"}},
      {kYZoomChanged, &b->Zoom(), 0, {}},
      {29, first, 0, {}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Clear();
    KMessage message;
    first->Receive(KMessageObject::Message(message, k.what, k.argument, k.sender));
    EXPECT_EQ(windowA.calls, k.calls);
  }
  // Without a pane the pane requests go nowhere.
  windowA.pane = false;
  Clear();
  KMessage message;
  first->Receive(KMessageObject::Message(message, kYViewLine, 3, b));
  EXPECT_TRUE(windowA.calls.empty());
}

TEST_F(ImageViewWindowTest, TimeTrackingFollowsTheLevelAcrossTheDocument) {
  // b is 1000 rows high at y 500, a 400 rows high: a is told line 200.
  b->Zoom().SetY(999, 39, false);
  a->Zoom().SetY(399, 39, false);
  ASSERT_EQ(b->BlockCount(), 1000);
  ASSERT_EQ(a->BlockCount(), 400);
  b->SetOrigin(KPoint(2, 500));
  first->Camera().SetParameter(4, 8, false);
  const std::string time = std::to_string(first->TimeAt(2, false).Units());
  struct Case {
    const char16_t* setting;
    Calls a;
    Calls c;
  };
  const Case cases[] = {
      {nullptr, {}, {}},
      {u"\\Event\\Image\\Hash\\TimeTrack:Int=1", {"time " + time + " 200"}, {}},
      {u"\\Event\\Image\\Hash\\TimeTrack:Int=2", {"time " + time + " 200"}, {"time " + time + " -1"}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.setting != nullptr ? Narrow(KString(k.setting)) : "none");
    if (k.setting != nullptr) {
      AddSetting(k.setting);
    }
    Clear();
    b->TimeTrackSetting();
    EXPECT_EQ(windowA.calls, k.a);
    EXPECT_EQ(windowC.calls, k.c);
    EXPECT_TRUE(windowB.calls.empty());
  }
  // A window without its native window does not follow.
  windowA.native = false;
  Clear();
  b->TimeTrackSetting();
  EXPECT_TRUE(windowA.calls.empty());
  AddSetting(u"\\Event\\Image\\Hash\\ShowLines:Int=1");
  Clear();
  b->ShowLinesSetting(33);
  EXPECT_EQ(windowA.calls, Calls{"line 33"});
  EXPECT_EQ(windowC.calls, Calls{"line 33"});
}

TEST_F(ImageViewWindowTest, ZoomChangesKeepPlacesAndClipToTheImage) {
  // A view without a window still follows its zoom.
  c->SetOwner(static_cast<YImageViewWindow*>(nullptr));
  c->SetOrigin(KPoint(5000, 3));
  EXPECT_TRUE(c->Zoom().SetY(2, 1, true));
  EXPECT_EQ(c->Origin(), KPoint(15, 6));
  // Zooms that round-trip exactly keep the position on the same image pixel.
  a->SetOrigin(KPoint(3, 21));
  a->SetMarks(KRect(1, 4, 3, 8));
  a->Zoom().Set(4, 1, true);
  EXPECT_EQ(a->Origin(), KPoint(12, 84));
  EXPECT_EQ(a->Marks(), KRect(4, 16, 12, 32));
  EXPECT_EQ(windowA.calls, Calls{"update 1"});
  a->Zoom().Set(1, 1, true);
  EXPECT_EQ(a->Origin(), KPoint(3, 21));
  EXPECT_EQ(a->Marks(), KRect(1, 4, 3, 8));
}

TEST_F(ImageViewWindowTest, ShownFlagsAndTheWindowsLastWord) {
  a->SetOrigin(KPoint(9, 3));
  a->SetFlag(true);
  EXPECT_FALSE(a->IsSelectionShown());
  a->SetOrigin(KPoint(5, 3));
  a->SetFlag(true);
  EXPECT_TRUE(a->IsSelectionShown());
  a->SetMarks(KRect(1, 1, 5, 39));
  a->SetShowLines(true);
  EXPECT_TRUE(a->UpdateHash());
  a->SetMarks(KRect(1, 1, 6, 39));
  EXPECT_FALSE(a->UpdateHash());
  EXPECT_EQ(windowA.calls, (Calls{"update 0", "update 0", "update 0"}));
  Clear();
  a->SetFrozen(1);
  a->SetFlag(false);
  EXPECT_TRUE(windowA.calls.empty());
  a->SetFrozen(0);
  EXPECT_EQ(windowA.calls, Calls{"update 0"});
  delete a;
  EXPECT_EQ(windowA.calls, (Calls{"update 0", "gone"}));
}
