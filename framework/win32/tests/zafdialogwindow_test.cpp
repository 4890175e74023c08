#include <gtest/gtest.h>

#include <functional>

#include "framework/core/zafborder.h"
#include "framework/core/zafdialogwindow.h"
#include "framework/core/zafmaximizebutton.h"
#include "framework/core/zafsystembutton.h"
#include "framework/core/zaftitle.h"
#include "framework/win32/tests/zafeventobjecttest.h"

namespace {

class DialogWindowTest : public ZafEventObjectTest {};

TEST_F(DialogWindowTest, TheFrameTakesItsStylesFromTheFrameParts) {
  struct Case {
    const char* name;
    std::function<void(ZafDialogWindow&)> prepare;
    native::DWORD present;
    native::DWORD absent;
  };
  const Case cases[] = {
      {"title without border", [](ZafDialogWindow& d) { d.Add(new ZafTitle(u"Ask")); }, native::WS_CAPTION,
       native::WS_POPUP},
      {"border and system button",
       [](ZafDialogWindow& d) {
         d.Add(new ZafBorder());
         d.Add(new ZafSystemButton());
         d.Add(new ZafMaximizeButton());
       },
       native::WS_DLGFRAME | native::WS_SYSMENU, native::WS_POPUP | native::WS_MAXIMIZEBOX},
      {"bordered, nothing else", [](ZafDialogWindow& d) { d.SetBordered(true); }, native::WS_BORDER,
       native::WS_POPUP | native::WS_DLGFRAME},
      {"plain", [](ZafDialogWindow&) {}, native::WS_POPUP, native::WS_BORDER | native::WS_DLGFRAME},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZafDialogWindow dialog(2, 2, 20, 5);
    c.prepare(dialog);
    manager->Add(&dialog);
    const native::HWND frame = dialog.ScreenID(2);
    ASSERT_NE(frame, dialog.ScreenID());
    const auto style = static_cast<native::DWORD>(native::GetWindowLong(frame, native::GWL_STYLE));
    const auto extended = static_cast<native::DWORD>(native::GetWindowLong(frame, native::GWL_EXSTYLE));
    EXPECT_EQ(style & c.present, c.present);
    EXPECT_EQ(style & c.absent, 0u);
    EXPECT_NE(extended & native::WS_EX_DLGMODALFRAME, 0u);
    EXPECT_EQ(native::GetParent(dialog.ScreenID()), frame);
    manager->Subtract(&dialog);
  }
}

}  // namespace
