// A modal dialog in the running program keeps the user away from the program's other windows: clicks on
// the main menu bar or on an event window open nothing and leave the dialog in front, and once it is
// answered File > Exit ends the program.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/framecommands.h"
#include "app/qvzcontrol.h"
#include "app/qvzoptionsdialog.h"
#include "app/tests/dialogtestsupport.h"
#include "app/tests/menuloopscript.h"
#include "app/tests/programtest.h"
#include "framework/core/zafpopupmenu.h"
#include "framework/core/zafwindowmanager.h"
#include "model/qvevent.h"
#include "native/native.h"
#include "native/user/menubar.h"
#include "native/user/menupopup.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzpopupitem.h"
#include "toolkit/kzpulldownitem.h"
#include "toolkit/kzpulldownmenu.h"

namespace {

class ModalDialogTest : public ProgramTest {
 protected:
  // Room for the menu bar beside the dialog.
  ModalDialogTest() : ProgramTest({1280, 1024, 96}) {}

  static QvZOptionsDialog* Options() {
    return dynamic_cast<QvZOptionsDialog*>(ZafWindowObject::windowManager->FrontWindow());
  }

  // The middle of the main menu bar's entry whose text holds `label` (the bar may begin with a maximised
  // event window's entries).
  static native::POINT MenuBarEntry(const std::u16string& label) {
    const native::HWND frame = Frame()->ScreenID(2);
    const std::vector<native::RECT> entries = native::MenuBar::screenEntries(frame);
    for (auto* item = KZApplication::mainMenuBar->FirstChild(); item;
         item = static_cast<ZafWindowObject*>(item->Next())) {
      auto* entry = dynamic_cast<KZPullDownItem*>(item);
      if (!entry || std::u16string(entry->Text()).find(label) == std::u16string::npos) {
        continue;
      }
      const auto submenu = reinterpret_cast<native::HMENU>(entry->Submenu().ScreenID());
      for (int position = 0; position < native::GetMenuItemCount(native::GetMenu(frame)); ++position) {
        if (native::GetSubMenu(native::GetMenu(frame), position) == submenu &&
            static_cast<size_t>(position) < entries.size()) {
          const native::RECT& rect = entries[static_cast<size_t>(position)];
          return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        }
      }
    }
    ADD_FAILURE() << "no menu bar entry " << KString(label.c_str()).ToUtf8();
    return {0, 0};
  }
};

}  // namespace

TEST_F(ModalDialogTest, ClicksOutsideOptionsOpenNothingAndExitWorksAfterCancel) {
  Make({u"-noregistry"});
  Then([] { Post(NewCommand); });
  When(
      "a new event window", [] { return CurrentEventWindow() != nullptr; },
      [] {
        CurrentEventWindow()->GetEvent()->SetModified(false);
        Post(QvZOptionsDialog::kResultsCommand);
      });
  // A menu the clicks opened runs the script's next step inside its loop, and is closed once the script
  // gave up.
  std::unique_ptr<MenuLoopScript> menuGuard;
  When(
      "the options dialog", [] { return Options() != nullptr; },
      [&] {
        menuGuard = std::make_unique<MenuLoopScript>(Frame()->ScreenID(2), script);
        const native::POINT results = MenuBarEntry(u"Results");
        driver.click(results.x, results.y);
        Click(CurrentEventWindow());
      });
  Then([&] {
    EXPECT_EQ(MenuLoopScript::WaitingMenu(), nullptr) << "a menu opened";
    menuGuard.reset();
    ASSERT_NE(Options(), nullptr) << "the options dialog is no longer in front";
    EXPECT_EQ(native::GetActiveWindow(), Options()->ScreenID(2));
    Click(ButtonGiving(Options(), KZDialog::kCancelResult));
  });
  When(
      "the options dialog gone", [] { return Options() == nullptr; },
      [] { CurrentEventWindow()->GetEvent()->SetModified(false); });
  AnswerPopUpMenu(
      [this] {
        const native::POINT file = MenuBarEntry(u"File");
        driver.click(file.x, file.y);
      },
      [this](native::HWND popup) {
        const std::vector<native::RECT> entries = native::MenuPopup::screenEntries(popup);
        ASSERT_FALSE(entries.empty());
        // Exit is the File menu's last entry.
        const native::RECT& exit = entries.back();
        driver.click((exit.left + exit.right) / 2, (exit.top + exit.bottom) / 2);
      });
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(seen.empty());
}
