// The hardware list window, opened over the started program's hardware manager.
#include <gtest/gtest.h>

#include <memory>

#include "app/qvzcontrol.h"
#include "app/tests/programtest.h"
#include "app/yzapplication.h"
#include "devices/tests/fakeinterface.h"
#include "devices/yhardware.h"
#include "imaging/ui/yzalignpane.h"
#include "imaging/ui/yzalignwindow.h"
#include "imaging/ui/yzhardwaremdi.h"
#include "imaging/ui/yzhardwarepane.h"
#include "imaging/ui/yzhardwaretitle.h"
#include "imaging/ui/yzhardwarewindow.h"
#include "native/user/virtualkeys.h"

namespace {

using HardwareWindowProgramTest = ProgramTest;

TEST_F(HardwareWindowProgramTest, TheFramesHardwareWindowShowsARowPerInterfaceInTheFittedColumns) {
  KPoint extent;
  bool registered = false;
  bool titleFitted = true;
  int32_t row = -1;
  YZHardwareMDI* window = nullptr;
  FakeInterface* refusing = nullptr;
  Then([&] {
    YHardware& hardware = *program->Hardware();
    auto first = std::make_unique<FakeInterface>(4);
    refusing = first.get();
    hardware.AddInterface(std::move(first));
    hardware.AddInterface(std::make_unique<FakeInterface>(5));
    window = program->Frame()->OpenHardwareWindow();
    registered = hardware.View().HardwareWindow() == window->HardwareWindow() &&
                 hardware.View().AlignWindow() == window->AlignWindow();
    hardware.Notify(YHardwareView::kHardwareList);
    extent = window->HardwareWindow()->Pane()->Extent();
    window->HardwareWindow()->Pane()->SetCurrentCell({0, 1});
    row = window->AlignWindow()->Row();
  });
  Then([&] {
    YHardware& hardware = *program->Hardware();
    YZHardwareTitle* title = window->HardwareWindow()->Pane()->Title();
    titleFitted = title->Length() > 0;
    for (int32_t edge = 0; edge < YHardwareView::kEdgeCount; ++edge) {
      titleFitted = titleFitted && title->BoundaryPosition(edge) == hardware.View().FittedEdge(edge);
    }
    titleFitted = titleFitted && hardware.View().FittedEdge(YHardwareView::kEdgeCount - 1) == title->Length();
  });
  // A refused alignment capture: error 61001 has no text of its own and shows the hardware errors' text.
  Then([&] {
    window->AlignWindow()->SetValue(0);
    refusing->ready = false;
    window->AlignWindow()->GetPane()->Capture(true, YZAlignPane::kNewStrip);
  });
  AnswerWithKey(u"Error", native::VK_RETURN);
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text, u"Kestrove hardware error (61001).");
  EXPECT_TRUE(registered);
  EXPECT_EQ(extent, KPoint(1, 2));
  EXPECT_EQ(row, 1) << "the list's current row reaches the alignment window";
  EXPECT_TRUE(titleFitted);
}

}  // namespace
