// The hardware list window, opened over the started program's hardware manager.
#include <gtest/gtest.h>

#include <memory>

#include "app/qvzcontrol.h"
#include "app/tests/programtest.h"
#include "app/yzapplication.h"
#include "devices/tests/fakeinterface.h"
#include "devices/yhardware.h"
#include "imaging/ui/yzalignwindow.h"
#include "imaging/ui/yzhardwaremdi.h"
#include "imaging/ui/yzhardwarepane.h"
#include "imaging/ui/yzhardwaretitle.h"
#include "imaging/ui/yzhardwarewindow.h"

namespace {

using HardwareWindowProgramTest = ProgramTest;

TEST_F(HardwareWindowProgramTest, TheFramesHardwareWindowShowsARowPerInterfaceInTheFittedColumns) {
  KPoint extent;
  bool registered = false;
  bool titleFitted = true;
  int32_t row = -1;
  YZHardwareMDI* window = nullptr;
  Then([&] {
    YHardware& hardware = *program->Hardware();
    hardware.AddInterface(std::make_unique<FakeInterface>(4));
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
  ExitProgram();
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(registered);
  EXPECT_EQ(extent, KPoint(1, 2));
  EXPECT_EQ(row, 1) << "the list's current row reaches the alignment window";
  EXPECT_TRUE(titleFitted);
}

}  // namespace
