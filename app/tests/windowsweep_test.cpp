// Every window and dialog of the program, opened through its menu item as a user would at 1024 x 768 with
// the built-in texts (and again with the English language file read over them): each title, tab, label,
// button, list entry and column title has a text that fits its box, and a picture of each lands in the
// test-pictures folder. The last test lists every text the program reads, during the sweep and named in its
// sources, and names each one without a built-in text.
#include <gtest/gtest.h>

#include <algorithm>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>
#include <set>
#include <string>

#include "app/qvzcontrol.h"
#include "app/qvzoptionsdialog.h"
#include "app/settingsfiles.h"
#include "app/tests/dialogtestsupport.h"
#include "app/tests/programtest.h"
#include "app/yzapplication.h"
#include "foundation/kregistry.h"
#include "framework/core/zafdisplay.h"
#include "framework/core/zafnotebook.h"
#include "framework/core/zafnotebooktab.h"
#include "framework/core/zafvtlist.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/win32/zafgdidisplay.h"
#include "model/qvevent.h"
#include "model/qvsettings.h"
#include "native/native.h"
#include "native/print/printdlg.h"
#include "native/user/nonclientpainter.h"
#include "testing/testpictures.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzcombobox.h"
#include "toolkit/kzdialog.h"
#include "toolkit/kzpopupitem.h"
#include "toolkit/kzprompt.h"
#include "toolkit/kzpulldownitem.h"
#include "toolkit/kzpulldownmenu.h"
#include "toolkit/kzreal.h"
#include "toolkit/kzsizer.h"

namespace {

// What the sweep opens: the picture's name and the menu command.
struct Opening {
  const char* picture;
  ZafEventType command;
};

constexpr Opening kDialogs[] = {
    {"options-general", 10131},            // File > Options
    {"options-serial", 10132},             // Hardware > Options
    {"options-chart", 10133},              // Chart > Options
    {"options-scoreboard", 10134},         // Scoreboard > Options
    {"options-results", 10135},            // Results > Options
    {"chart-data", 10167},                 // Chart > Show Data (development)
    {"local-algorithm", 10174},            // Chart > Modify Local Algorithm Settings (development)
    {"schedule", 10583},                   // File > Goto event
    {"scoreboard-message", 10161},         // Scoreboard > Edit message
    {"about", 10128},                      // Help > About
    {"close-question", CloseWindowEvent},  // File > Close window on a changed event
    {"exit-question", ExitEvent},          // File > Exit on a changed event
};

std::string Utf8(const ZafIChar* text) {
  return KString(text ? text : u"").ToUtf8();
}

// The width of the text's widest line as the object draws it, in pixels (a hot-key marker takes no room).
int32_t DrawnWidth(ZafWindowObject& object, const ZafIChar* text) {
  std::u16string shown(text ? text : u"");
  std::erase(shown, u'&');
  std::erase(shown, u'\r');
  ZafDisplay* display = ZafWindowObject::display;
  const ZafRegionStruct screen{0, 0, display->columns - 1, display->lines - 1, ZAF_PIXEL};
  display->BeginDraw(nullptr, ZAF_WHOLE_SCREEN, screen, screen);
  display->SetFont(object.TextFont());
  int32_t width = 0;
  for (size_t start = 0; start <= shown.size();) {
    const size_t end = std::min(shown.find(u'\n', start), shown.size());
    const std::u16string line = shown.substr(start, end - start);
    width = std::max(width, display->TextSize(line.c_str(), -1).Width());
    start = end + 1;
  }
  display->EndDraw();
  return width;
}

// Collects what a window shows that has no text or does not fit its box, one line each.
class LabelCheck {
 public:
  // Names the window the faults found next are in.
  void Within(std::string name) { window = std::move(name); }
  void Window(ZafWindowObject& top, std::string name) {
    Within(std::move(name));
    Need(top, "its title", top.Text(), INT32_MAX);
    if (auto* frame = dynamic_cast<ZafWindow*>(&top); frame && frame->frameHandle && top.Text()) {
      // The frame's caption shows the title whole only in a window at least this wide inside.
      native::RECT client{};
      native::GetClientRect(frame->frameHandle, &client);
      const int least = native::NonClientPainter::clientWidthShowingTitle(
          native::GetWindowLong(frame->frameHandle, native::GWL_STYLE),
          native::GetWindowLong(frame->frameHandle, native::GWL_EXSTYLE), top.Text());
      if (client.right < least) {
        faults.insert(window + ": its title \"" + Utf8(top.Text()) + "\" needs " + std::to_string(least) +
                      " pixels inside the frame, not " + std::to_string(client.right));
      }
    }
    Visit(top);
  }
  const std::set<std::string>& Faults() const { return faults; }

  void Need(ZafWindowObject& object, const char* what, const ZafIChar* text, int32_t room) {
    if (!text || !*text) {
      faults.insert(window + ": " + what + " has no text");
    } else if (const int32_t width = DrawnWidth(object, text); width > room) {
      faults.insert(window + ": " + what + " \"" + Utf8(text) + "\" is " + std::to_string(width) +
                    " pixels wide in a box of " + std::to_string(room));
    }
  }

 private:
  void Visit(ZafWindowObject& object) {
    auto* button = dynamic_cast<KZButton*>(&object);
    // A tool-bar button shows its picture instead.
    if (dynamic_cast<KZPrompt*>(&object) || (button && !button->Bitmap())) {
      Need(object, "a label or button", object.Text(), object.Region().Width());
    }
    if (auto* notebook = dynamic_cast<ZafNotebook*>(&object)) {
      for (int index = 0; index < notebook->PageCount(); ++index) {
        Need(*notebook->Tab(index), "a tab", notebook->TabText(index),
             notebook->Tab(index)->Region().Width());
      }
    }
    if (auto* list = dynamic_cast<KZComboBox*>(&object)) {
      for (ZafElement* item = list->List()->FirstChild(); item; item = item->Next()) {
        Need(*list, "a list entry", static_cast<ZafWindowObject*>(item)->Text(), list->Region().Width());
      }
    }
    if (auto* titles = dynamic_cast<KZSizer*>(&object)) {
      for (int32_t index = 0; index < titles->CellCount(); ++index) {
        KString text;
        uint32_t flags = 0;
        titles->CellText(index, text, flags);
        Need(object, "a column title", text.CStr(),
             titles->BoundaryPosition(index + 1) - titles->BoundaryPosition(index));
      }
    }
    if (auto* window = dynamic_cast<ZafWindow*>(&object)) {
      // The strips along the edges (titles, tool bars) first, then the children.
      for (ZafElement* first :
           std::initializer_list<ZafElement*>{window->SupportList().First(), window->FirstChild()}) {
        for (ZafElement* child = first; child; child = child->Next()) {
          Visit(*static_cast<ZafWindowObject*>(child));
        }
      }
    }
  }

  std::string window;
  std::set<std::string> faults;
};

ZafWindow* FrontDialog() {
  auto* front = dynamic_cast<KZDialog*>(ZafWindowObject::windowManager->FrontWindow());
  return front && front->ScreenID() ? front : nullptr;
}

// The texts looked up while the recorder is on.
std::set<std::u16string>* lookedUp = nullptr;

void RecordLookup(const char16_t* path) {
  lookedUp->insert(path);
}

class WindowSweep : public ProgramTest {
 protected:
  WindowSweep() : ProgramTest({1024, 768, 96}) {}

  // The menu bar's item of the command, when it is there, enabled and labelled, is chosen: its command
  // goes to the frame as the menu sends it.
  void Choose(ZafEventType command) {
    Then([this, command] {
      KZPopUpItem* chosen = nullptr;
      check.Within("the menu bar");
      for (ZafElement* entry = QvZControl::GetMenuBar()->FirstChild(); entry; entry = entry->Next()) {
        auto* pullDown = static_cast<KZPullDownItem*>(entry);
        check.Need(*pullDown, "a menu", pullDown->Text(), INT32_MAX);
        KZPopUpItem::ForEachItem(pullDown->Submenu(), [&](KZPopUpItem& item) {
          if (item.MenuItemType() != ZAF_ITEM_SEPARATOR) {
            check.Need(item, "a menu item", item.Text(), INT32_MAX);
          }
          chosen = item.Value() == command ? &item : chosen;
        });
      }
      ASSERT_NE(chosen, nullptr) << "no menu item gives " << command;
      EXPECT_FALSE(chosen->Disabled()) << "the menu item of " << command << " is disabled";
      Post(command);
    });
  }

  // Opens each window of the table, checks and pictures it, and closes it; the event window is checked and
  // pictured first, maximised.
  void Sweep(const std::string& variant) {
    // A scoreboard, so that the Scoreboard menu's items work.
    Setting(u"\\Scoreboards\\Board\\Name:String=Finish board");
    Choose(10001);  // File > New
    When(
        "the new event window", [] { return CurrentEventWindow() != nullptr; },
        [this, variant] {
          CurrentEventWindow()->GetEvent()->SetModified(true);
          check.Window(*CurrentEventWindow(), "the event window");
          Picture(variant + "event-window");
        });
    for (const Opening& opening : kDialogs) {
      Choose(opening.command);
      Inspect(opening.picture, variant);
    }
    // The Database page has no menu item of its own: File > Options, then its tab.
    Choose(QvZOptionsDialog::kGeneralCommand);
    When(
        "the options dialog", [] { return FrontDialog() != nullptr; },
        [] {
          FindIn<ZafNotebook>(FrontDialog(), [](ZafNotebook&) { return true; })->SetCurrentPageIndex(5);
        });
    Inspect("options-database", variant);
    // Chart > Options with a start time not below the end: the refusal, then the dialog again.
    Choose(QvZOptionsDialog::kChartCommand);
    When(
        "the Chart page", [] { return FrontDialog() != nullptr; },
        [this] {
          auto* options = static_cast<QvZOptionsDialog*>(FrontDialog());
          options->MinXField()->SetValue(2.0);
          Click(ButtonGiving(options, KZDialog::kOkResult));
        });
    Inspect("invalid-range", variant);
    Inspect("options-chart-again", variant);
    // Chart > Printer Setup and Results > Printer Setup open the platform's print dialog, answered here.
    int printDialogs = 0;
    native::SetPrintDialogRunner(
        [&printDialogs](const native::PrintDialogRequest&, native::PrintDialogChoice&) {
          ++printDialogs;
          return false;
        });
    Choose(10481);
    Choose(10526);
    Then([] { CurrentEventWindow()->GetEvent()->SetModified(false); });
    ExitProgram();
    EXPECT_EQ(Run(), 0);
    native::SetPrintDialogRunner(nullptr);
    EXPECT_EQ(printDialogs, 2);
    for (const std::string& fault : check.Faults()) {
      ADD_FAILURE() << fault;
    }
  }

  // Waits for a dialog in front, checks and pictures it, closes it, and waits until it has gone.
  void Inspect(const std::string& name, const std::string& variant) {
    auto title = std::make_shared<std::string>();
    When(
        "the dialog of " + name, [] { return FrontDialog() != nullptr; },
        [this, name, variant, title] {
          *title = Utf8(FrontDialog()->Text());
          check.Window(*FrontDialog(), name);
          Picture(variant + name);
          CloseFront();
        });
    When(
        "the dialog of " + name + " to close",
        [title] { return !FrontDialog() || Utf8(FrontDialog()->Text()) != *title; }, [] {});
  }

  // Clicks the front dialog's Cancel button, or its OK button where it has none (it then shows only).
  void CloseFront() {
    KZButton* cancel = ButtonGiving(FrontDialog(), KZDialog::kCancelResult);
    KZButton* button = cancel ? cancel : ButtonGiving(FrontDialog(), KZDialog::kOkResult);
    ASSERT_NE(button, nullptr) << "no Cancel or OK button in \"" << Utf8(FrontDialog()->Text()) << '"';
    Click(button);
  }

  void Picture(const std::string& name) {
    EXPECT_TRUE(driver.snapshot(TestPicturePath("sweep-" + name + ".png")));
  }

  LabelCheck check;
};

class WindowSweepInLanguage : public WindowSweep, public testing::WithParamInterface<bool> {};

TEST_P(WindowSweepInLanguage, EveryWindowShowsTextsThatFitTheirBoxes) {
  const bool english = GetParam();
  if (english) {
    WriteFile("kestrove.cfg", "Registry Version: 1.00\n\\Language\\Choice:String=en_US\n");
    Make({u"-devel"});
  } else {
    Make({u"-devel", u"-noregistry"});
  }
  Then([english, this] { EXPECT_EQ(program->Files()->LanguageIndex(), english ? 0 : -1); });
  Sweep(english ? "english-" : "");
}

INSTANTIATE_TEST_SUITE_P(BuiltInAndEnglish, WindowSweepInLanguage, testing::Bool());

// The "\Strings\..." keys the sources name whole (not a group to which a name is added).
std::set<std::u16string> KeysInSources() {
  static const std::regex key(R"re(u"(\\\\Strings(\\\\\w+)+)")re");
  std::set<std::u16string> keys;
  for (const char* folder : {"app", "imaging", "toolkit", "devices", "model", "framework", "native"}) {
    for (const auto& file :
         std::filesystem::recursive_directory_iterator(std::string(KESTROVE_SOURCE_DIR) + "/" + folder)) {
      const std::string path = file.path().string();
      if (path.find("/tests/") != std::string::npos || path.find("/fuzz/") != std::string::npos ||
          !(path.ends_with(".cpp") || path.ends_with(".h"))) {
        continue;
      }
      std::ifstream in(path);
      const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
      for (std::sregex_iterator match(text.begin(), text.end(), key), end; match != end; ++match) {
        std::string found = std::regex_replace((*match)[1].str(), std::regex(R"(\\\\)"), "\\");
        keys.insert(KString::FromUtf8(found).CStr());
      }
    }
  }
  // The notes shown for settings, each read under the setting's own path.
  keys.erase(u"\\Strings\\Registry\\Comments");
  return keys;
}

TEST_F(WindowSweep, EveryTextTheProgramReadsHasABuiltInText) {
  std::set<std::u16string> keys;
  lookedUp = &keys;
  QvSettings::SetTextLookup(RecordLookup);
  Make({u"-devel", u"-noregistry"});
  Sweep("keys-");
  QvSettings::SetTextLookup(nullptr);
  lookedUp = nullptr;
  keys.merge(KeysInSources());
  std::erase_if(keys, [](const std::u16string& path) { return !path.starts_with(u"\\Strings\\"); });
  // One text the sweep reads under a composed path, one the sources name that no window of the sweep shows.
  EXPECT_TRUE(keys.contains(u"\\Strings\\Options\\Serial\\New"));
  EXPECT_TRUE(keys.contains(u"\\Strings\\Alerts\\CopyTitle"));
  KRegistry::RegisterTypes();
  {
    KRegistry builtIn;
    SettingsFiles(builtIn, KString(u"/nowhere/kestrove")).LoadDefaults();
    for (const std::u16string& path : keys) {
      EXPECT_FALSE(KRegistry::GetString(&builtIn, KString(path.c_str())).IsEmpty())
          << KString(path.c_str()).ToUtf8() << " has no built-in text";
    }
  }
  KRegistry::UnregisterTypes();
}

}  // namespace
