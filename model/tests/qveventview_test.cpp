#include "model/qveventview.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kpersistent.h"
#include "foundation/kstream.h"
#include "model/tests/qvmodeltestsupport.h"
#include "model/ylegimage.h"

namespace {

class TestImage : public YLegImage {
 public:
  void OnLegLoaded(YLeg& leg) override { itsLeg = &leg; }
  void Deliver(KMessage&) override {}
  void Write(KStream& stream) const override {
    KPersistent::WriteVersion(stream, KPersistent::kFamilyModel, 9);
    stream.WriteInt32(value);
  }
  void Read(KStream& stream) override {
    KPersistent::ReadVersion(stream, KPersistent::kFamilyModel, 9, 9);
    value = stream.ReadInt32();
  }
  YLeg* itsLeg = nullptr;
  int32_t value = 0;
};

}  // namespace

TEST(QvEventView, RowsWalkTheEventItsStartsWindsLegsResultsAndImages) {
  QvEvent event;
  event.NewFromSchedule(1, 0);
  event.NewStart();
  YLeg* second = event.NewLeg();
  // Two images of the second leg, in two cameras.
  ASSERT_NE(second->InsertImage(1, std::make_unique<TestImage>(), -1), nullptr);
  ASSERT_NE(second->InsertImage(0, std::make_unique<TestImage>(), -1), nullptr);
  ASSERT_EQ(second->CameraCount(), 2);

  const QvEventView& view = event.View();
  EXPECT_EQ(view.GetRoot(), &event);
  EXPECT_EQ(QvEvent::FromView(&view), &event);
  ASSERT_EQ(view.CountItems(), 1 + 2 + 1 + 2 + 4);
  const std::vector<QvEventView::RowKind> expected = {
      QvEventView::kEventRow, QvEventView::kStartRow,   QvEventView::kStartRow, QvEventView::kWindRow,
      QvEventView::kLegRow,   QvEventView::kResultsRow, QvEventView::kLegRow,   QvEventView::kResultsRow,
      QvEventView::kImageRow, QvEventView::kImageRow};
  QvEventView::Iterator rows;
  rows.Init(view);
  std::vector<QvEventView::RowKind> kinds;
  for (bool more = rows.Reset(0); more; more = rows.Next()) {
    kinds.push_back(rows.State());
  }
  EXPECT_EQ(kinds, expected);
  ASSERT_TRUE(rows.Reset(2));
  EXPECT_EQ(rows.Start(), event.GetStart(1));
  ASSERT_TRUE(rows.Reset(3));
  EXPECT_EQ(rows.Wind(), event.Wind(0));
  ASSERT_TRUE(rows.Reset(5));
  EXPECT_EQ(rows.Leg(), event.Leg(0));
  ASSERT_TRUE(rows.Reset(9));
  EXPECT_EQ(rows.Leg(), second);
  EXPECT_EQ(rows.Image(), second->Images(1)->Item(0));
  EXPECT_FALSE(rows.Reset(10));
  EXPECT_EQ(rows.State(), QvEventView::kNone);
  EXPECT_FALSE(rows.Reset(-1));
}

TEST(QvEventView, ImagesRoundTripThroughTheRegisteredFactory) {
  QvEvent event;
  event.NewFromSchedule(1, 0);
  MessageRecorder recorder;
  event.AddListener(&recorder);
  event.SetModified(false);
  auto image = std::make_unique<TestImage>();
  image->value = 77;
  YLeg& leg = *event.Leg(0);
  ASSERT_NE(leg.InsertImage(2, std::move(image), -1), nullptr);
  EXPECT_EQ(recorder.codes, (std::vector<uint32_t>{0x20000, 0x40007}));
  EXPECT_TRUE(event.IsModified());
  EXPECT_EQ(leg.InsertImage(YLeg::kMaxCameras, std::make_unique<TestImage>(), 0), nullptr);

  KMemoryStream stream;
  leg.Write(stream);
  YLeg::SetImageFactory([](YLeg&) { return new TestImage; });
  YLeg read;
  read.Read(stream);
  YLeg::SetImageFactory(nullptr);
  ASSERT_EQ(read.CameraCount(), 3);
  EXPECT_EQ(read.Images(0)->Count(), 0);
  ASSERT_EQ(read.Images(2)->Count(), 1);
  const auto* readImage = static_cast<const TestImage*>(read.Images(2)->Item(0));
  EXPECT_EQ(readImage->value, 77);
  EXPECT_EQ(readImage->itsLeg, &read);
}

TEST(QvEventView, ColumnEdgesStayInOrder) {
  QvEvent event;
  QvEventView& view = event.View();
  const int32_t left2 = view.GetCell(QvEventView::kWindRow, 2);
  EXPECT_EQ(view.GetSpan(QvEventView::kWindRow, 1), left2 - view.GetCell(QvEventView::kWindRow, 1));
  view.SetCell(QvEventView::kWindRow, 2, 100000);
  EXPECT_EQ(view.GetCell(QvEventView::kWindRow, 2), view.GetCell(QvEventView::kWindRow, 3));
  view.SetCell(QvEventView::kWindRow, 2, -5);
  EXPECT_EQ(view.GetCell(QvEventView::kWindRow, 2), view.GetCell(QvEventView::kWindRow, 1));
  EXPECT_EQ(view.GetCell(7, 0), 0);
  EXPECT_EQ(view.GetSpan(QvEventView::kEventRow, 5), 0);
  EXPECT_GT(view.GetSpan(QvEventView::kEventRow, 4), 0);
}

TEST(QvEventView, ItsWindowSeesEveryChange) {
  QvEvent event;
  event.NewFromSchedule(1, 0);
  struct Window : QvEventView::Window {
    void Notify(const KMessage& message) override { codes.push_back(message.code & KMessage::kWhatMask); }
    std::vector<uint32_t> codes;
  } window;
  event.View().SetMode(&window);
  event.View().SetOwner(&window);
  event.SetTitle(u"x");
  EXPECT_EQ(window.codes, (std::vector<uint32_t>{kQvEventTexts, kQvEventTexts}));
  event.View().SetMode(nullptr);
  event.SetTitle(u"y");
  EXPECT_EQ(window.codes.size(), 2u);
  EXPECT_EQ(event.View().GetOwner(), &window);
}
