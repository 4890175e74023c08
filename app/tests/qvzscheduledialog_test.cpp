#include "app/qvzscheduledialog.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/tests/dialogtestsupport.h"
#include "devices/qvschedule.h"
#include "foundation/tests/ktempfolder.h"
#include "framework/core/zafvtlist.h"
#include "model/qvevent.h"
#include "native/native.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzcombobox.h"
#include "toolkit/kzstring.h"
#include "toolkit/tests/kzdialogtestbed.h"

namespace {

// The races "1-1-1", "1-1-2 Final" and "1-1-1" again.
constexpr const char* kThreeRaces = "1,1,1\n1,1,2,Final\n1,1,1\n";
// Three races of three texts.
constexpr const char* kDistinctRaces = "1,1,1\n1,1,2,Final\n2,1,1\n";

class QvZScheduleDialogTest : public KZDialogTest {
 protected:
  QvZScheduleDialogTest() {
    for (const char16_t* line :
         {u"\\Strings\\Database\\Goto\\Title:String=Goto Event",
          u"\\Strings\\Database\\Goto\\Event:String=Event:",
          u"\\Strings\\Database\\Goto\\Round:String=Round:", u"\\Strings\\Database\\Goto\\Heat:String=Heat:",
          u"\\Strings\\Database\\Goto\\Refresh:String=Load Schedule",
          u"\\Database\\QXF\\SerialPort:String=0,0,0"}) {
      Setting(line);
    }
    Setting(KString(u"\\Database\\File\\DataInDir:String=").Append(KString::FromUtf8(folder.Path())).CStr());
    Setting(KString(u"\\Database\\File\\DataOutDir:String=").Append(KString::FromUtf8(folder.Path())).CStr());
  }

  void Publish(const char* races) { std::ofstream(folder.Path() + "/vesk.sch") << races; }

  // A new schedule of `races`, its first race made current when asked.
  QvSchedule& NewSchedule(const char* races, bool atFirstRace = true) {
    Publish(races);
    schedule = std::make_unique<QvSchedule>();
    if (atFirstRace) {
      schedule->ReadFiles(&event, 0, 1, 0);
    }
    return *schedule;
  }

  static std::vector<std::string> Entries(KZComboBox* list) {
    std::vector<std::string> texts;
    for (ZafElement* item = list->List()->First(); item != nullptr; item = item->Next()) {
      texts.push_back(Narrow(static_cast<ZafWindowObject*>(item)->Text()));
    }
    return texts;
  }
  static std::vector<std::string> Fields(const QvZScheduleDialog& dialog) {
    return {Narrow(dialog.EventField()->Text()), Narrow(dialog.RoundField()->Text()),
            Narrow(dialog.HeatField()->Text())};
  }
  static std::vector<std::string> Answer(const QvZScheduleDialog& dialog) {
    return {dialog.EventText().ToUtf8(), dialog.RoundText().ToUtf8(), dialog.HeatText().ToUtf8()};
  }
  static void Type(const QvZScheduleDialog& dialog, const char16_t* event, const char16_t* round,
                   const char16_t* heat) {
    dialog.EventField()->SetText(event);
    dialog.RoundField()->SetText(round);
    dialog.HeatField()->SetText(heat);
  }
  // Opens the list, walks down to the entry with the keyboard and takes it, as a user does.
  void PickEntry(KZComboBox* list, int32_t index) {
    Click(list);
    for (int32_t at = list->SelectedIndex(); at < index; ++at) {
      driver.pressKey(native::VK_DOWN);
    }
    for (int32_t at = list->SelectedIndex(); at > index; --at) {
      driver.pressKey(native::VK_UP);
    }
    driver.pressKey(native::VK_RETURN);
    driver.pumpUntilIdle();
  }

  KTempFolder folder;
  std::unique_ptr<QvSchedule> schedule;
  QvEvent event;
};

}  // namespace

TEST_F(QvZScheduleDialogTest, OpensOnTheCurrentRaceWithTheLastEqualEntrySelected) {
  struct Case {
    const char* name;
    const char* races;
    bool stepToFirst;
    std::vector<std::string> fields;
    std::vector<std::string> entries;
    int32_t selected;
  } cases[] = {
      {"two equal entries", kThreeRaces, true, {"1", "1", "1"}, {"1-1-1", "1-1-2 Final", "1-1-1"}, 2},
      {"an empty schedule", "", true, {"", "", ""}, {}, -1},
      {"no current race", kThreeRaces, false, {"", "", ""}, {"1-1-1", "1-1-2 Final", "1-1-1"}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QvZScheduleDialog dialog(NewSchedule(c.races, c.stepToFirst));
    EXPECT_EQ(Fields(dialog), c.fields);
    EXPECT_EQ(Entries(dialog.EntryList()), c.entries);
    EXPECT_EQ(dialog.EntryList()->SelectedIndex(), c.selected);
  }
}

TEST_F(QvZScheduleDialogTest, OkHandsOverTheChosenOrTypedRace) {
  struct Case {
    const char* name;
    int32_t pick;  // the entry chosen in the list, -1 none
    const char16_t* typed[3];
    std::vector<std::string> answer;
  } cases[] = {
      {"an entry chosen", 1, {nullptr}, {"1", "1", "2"}},
      {"typed without choosing", -1, {u"12", u"2", u"7"}, {"12", "2", "7"}},
      {"typed, then an entry chosen", 1, {u"12", u"2", u"7"}, {"1", "1", "2"}},
      {"nothing done", -1, {nullptr}, {"1", "1", "1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QvZScheduleDialog dialog(NewSchedule(kDistinctRaces));
    application.Run({[&] {
                       if (c.typed[0] != nullptr) {
                         Type(dialog, c.typed[0], c.typed[1], c.typed[2]);
                       }
                     },
                     [&] {
                       if (c.pick >= 0) {
                         PickEntry(dialog.EntryList(), c.pick);
                       }
                     },
                     [] { KZScriptedApplication::Post(KZDialog::kOkResult); }});
    EXPECT_EQ(dialog.Execute(), KZDialog::kOkResult);
    EXPECT_EQ(Answer(dialog), c.answer);
  }
}

TEST_F(QvZScheduleDialogTest, LoadScheduleListsTheNewScheduleAndSelectsTheTypedRaceAgain) {
  struct Case {
    const char* name;
    const char* published;
    std::vector<std::string> entries;
    int32_t selected;
  } cases[] = {
      {"the race moved", "3,1,1\n1,1,2\n", {"3-1-1", "1-1-2"}, 1},
      {"the race gone", "3,1,1\n4,1,1\n", {"3-1-1", "4-1-1"}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QvZScheduleDialog dialog(NewSchedule(kThreeRaces));
    application.Run({[&] {
                       Type(dialog, u"1", u"1", u"2");
                       Publish(c.published);
                       Click(ButtonGiving(&dialog, QvZScheduleDialog::kReloadSchedule));
                     },
                     [] { KZScriptedApplication::Post(KZDialog::kCancelResult); }});
    EXPECT_EQ(dialog.Execute(), KZDialog::kCancelResult);
    EXPECT_EQ(Entries(dialog.EntryList()), c.entries);
    EXPECT_EQ(dialog.EntryList()->SelectedIndex(), c.selected);
    EXPECT_EQ(Fields(dialog), (std::vector<std::string>{"1", "1", "2"})) << "the typed race stays";
  }
}
