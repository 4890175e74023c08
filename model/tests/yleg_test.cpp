#include "model/yleg.h"

#include <gtest/gtest.h>

#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kx.h"
#include "model/qvchart.h"
#include "model/tests/qvmodeltestsupport.h"

namespace {

class RecordingChartWindow : public QvChartView::Window {
 public:
  void LoadTraces(const KPoint& position) override {
    calls.push_back("load " + std::to_string(position.x) + "," + std::to_string(position.y));
  }
  void ShowChartData() override { calls.push_back("data"); }
  void UpdateToolBar() override { calls.push_back("toolbar"); }
  void ClearChart() override { calls.push_back("clear"); }
  void ApplySettings() override { calls.push_back("settings"); }
  std::vector<std::string> calls;
};

void SendToLeg(YLeg& leg, uint16_t what) {
  KMessage message;
  KMessageObject::Send(&leg, KMessageObject::Message(message, what, YTime::kNoMilliseconds, nullptr));
}

}  // namespace

TEST(YLeg, ChartViewsTurnLegNotificationsIntoChartWindowCalls) {
  QvEvent event;
  event.NewFromSchedule(1, 0);
  YLeg& leg = *event.Leg(0);
  RecordingChartWindow window;
  QvChartView* line = leg.Chart(0)->GetLine(0, true);
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(line->GetChart(), leg.Chart(0));
  line->SetMode(&window);
  leg.Notify();
  leg.RequestTime(4);
  SendToLeg(leg, kQvChartReload);
  leg.Request27();
  SendToLeg(leg, kQvChartToolBar);
  SendToLeg(leg, kQvChartClear);
  leg.RequestClear();
  leg.RequestReset();
  leg.Request41();
  EXPECT_EQ(window.calls, (std::vector<std::string>{"load -1,-1", "load 0,4", "load -1,-1", "data", "toolbar",
                                                    "clear", "settings"}));
  line->SetMode(nullptr);
  leg.Notify();
  EXPECT_EQ(window.calls.size(), 7u);
}

TEST(YLeg, ChartLinesAreMadeOnlyWhenAskedAndWithinTheLimit) {
  QvChart chart;
  EXPECT_EQ(chart.GetLine(2, false), nullptr);
  EXPECT_NE(chart.GetLine(2, true), nullptr);
  EXPECT_EQ(chart.LineCount(), 3);
  EXPECT_EQ(chart.GetLine(QvChart::kMaxLines, true), nullptr);
  EXPECT_EQ(chart.GetLine(-1, true), nullptr);
}

TEST(YLeg, CaptureWindowChangesAreBracketedChanges) {
  QvEvent event;
  event.NewFromSchedule(1, 0);
  MessageRecorder recorder;
  event.AddListener(&recorder);
  event.Leg(0)->SetParameter1(-300);
  event.Leg(0)->SetParameter2(9000);
  const uint32_t what = kQvLegParameters;
  EXPECT_EQ(recorder.codes, (std::vector<uint32_t>{KMessage::kBeginBatch | KMessage::kBefore | what,
                                                   KMessage::kAfter | KMessage::kEndBatch | what,
                                                   KMessage::kBeginBatch | KMessage::kBefore | what,
                                                   KMessage::kAfter | KMessage::kEndBatch | what}));
  EXPECT_EQ(event.Leg(0)->Parameter1(), -300);
  EXPECT_EQ(event.Leg(0)->Parameter2(), 9000);
}

TEST(YLeg, ImagesCannotBeReadWithoutTheImageLibrary) {
  YLeg source;
  KMemoryStream stream;
  source.Write(stream);
  std::vector<uint8_t> bytes = stream.Bytes();
  bytes.resize(bytes.size() - 4);
  // One camera with one image record.
  const std::vector<uint8_t> camera = {1, 0, 0, 0, 7, 0, 1, 0, 1, 0, 0, 0, 9, 0, 2, 0};
  bytes.insert(bytes.end(), camera.begin(), camera.end());
  KMemoryStream read(bytes);
  YLeg leg;
  leg.SetName(u"kept");
  try {
    leg.Read(read);
    FAIL() << "accepted";
  } catch (const KXPersistent& failure) {
    EXPECT_EQ(failure.Code(), 3010);
  }
  EXPECT_EQ(leg.CameraCount(), 0);
  EXPECT_EQ(Narrow(leg.Name()), "kept");
}

TEST(YLeg, AFreeLegDeliversItsOwnNotifications) {
  YLeg leg;
  struct Window : QvResultsView::Window {
    void ShowResult(QvResult&) override {}
    void Notify(const KMessage& message) override { codes.push_back(message.code & KMessage::kWhatMask); }
    std::vector<uint32_t> codes;
  } window;
  leg.Results().View(0)->SetMode(&window);
  leg.Request42();
  EXPECT_EQ(window.codes, std::vector<uint32_t>{kQvLegCommandB});
}
