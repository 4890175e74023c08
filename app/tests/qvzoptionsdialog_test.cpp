#include "app/qvzoptionsdialog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/qvzlanemissingselector.h"
#include "app/qvzscoreboardselector.h"
#include "app/qvzserialselector.h"
#include "app/settingsfiles.h"
#include "app/tests/dialogtestsupport.h"
#include "devices/qvscoreboards.h"
#include "devices/qvserialport.h"
#include "foundation/krbool.h"
#include "foundation/kregistry.h"
#include "foundation/krfloat.h"
#include "foundation/krgroup.h"
#include "foundation/krint.h"
#include "foundation/krstring.h"
#include "foundation/tests/ktempfolder.h"
#include "imaging/ui/yzserialport.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzcombobox.h"
#include "toolkit/kzinteger.h"
#include "toolkit/kzradiogroup.h"
#include "toolkit/kzreal.h"
#include "toolkit/kzstring.h"

namespace {

// Every write through a setting's setter, as "path=value".
std::vector<std::string>* writes = nullptr;

bool RecordInt(KRInt* node, int32_t value, void*) {
  KString path;
  node->AppendPath(path);
  writes->push_back(path.ToUtf8() + "=" + std::to_string(value));
  node->Set(value);
  return true;
}

bool RecordText(KRString* node, const KString& text, void*) {
  KString path;
  node->AppendPath(path);
  writes->push_back(path.ToUtf8() + "=" + text.ToUtf8());
  node->SetText(text);
  return true;
}

// The program's built-in settings with its texts for the lists' statuses.
class QvZOptionsDialogTest : public KZDialogTest {
 protected:
  QvZOptionsDialogTest() : files(settings, folder.File("kestrove")) {
    files.LoadDefaults();
    writes = &recorded;
  }
  ~QvZOptionsDialogTest() override { writes = nullptr; }

  // Records every Int and String setting's writes from now on.
  void Record(KRGroup* group) {
    for (KRNode* child = group->NextChild(nullptr); child; child = group->NextChild(child)) {
      if (auto* node = dynamic_cast<KRInt*>(child)) {
        node->SetCallback(RecordInt, nullptr);
      } else if (auto* text = dynamic_cast<KRString*>(child)) {
        text->SetCallback(RecordText, nullptr);
      } else if (auto* inner = dynamic_cast<KRGroup*>(child)) {
        Record(inner);
      }
    }
  }
  std::unique_ptr<QvZOptionsDialog> Dialog(int32_t page = QvZOptionsDialog::kGeneral) {
    return std::make_unique<QvZOptionsDialog>(page, QvZOptionsDialog::Services{&files, nullptr, nullptr});
  }
  double Float(const char16_t* path) { return KRegistry::GetFloat(&settings, path)->Value(); }
  int32_t Int(const char16_t* path) { return KRegistry::GetInt(&settings, path)->Value(); }
  std::string Text(const char16_t* path) { return KRegistry::GetString(&settings, path).ToUtf8(); }
  static std::string Cell(KZSelector* list, int32_t row, int32_t column, uint32_t* flags = nullptr) {
    KString text;
    uint32_t textFlags = 0;
    list->CellText({column, row}, column, text, textFlags);
    if (flags) {
      *flags = textFlags;
    }
    return text.ToUtf8();
  }

  KTempFolder folder;
  SettingsFiles files;
  std::vector<std::string> recorded;
};

}  // namespace

TEST_F(QvZOptionsDialogTest, FieldsShowTheirSettings) {
  Setting(u"\\Chart\\Brush\\Width:Int=3");
  Setting(u"\\Event\\Directory:String=/srv/events");
  Setting(u"\\Chart\\Axes\\MaxX:Float=9");
  auto dialog = Dialog();
  EXPECT_EQ(dialog->SingleEventGroup()->GetSelection(), 1);
  EXPECT_EQ(Narrow(dialog->DirectoryField()->Text()), "/srv/events");
  EXPECT_DOUBLE_EQ(dialog->EndField()->ZafReal::Value(), 5.0);
  EXPECT_EQ(dialog->WidthList()->SelectedIndex(), 2);
  EXPECT_EQ(dialog->BrushColorList()->SelectedIndex(), 4);
  EXPECT_DOUBLE_EQ(dialog->MinXField()->ZafReal::Value(), -3.0);
  EXPECT_DOUBLE_EQ(dialog->MaxXField()->ZafReal::Value(), 2.0) << "the value the chart uses";
  EXPECT_TRUE(dialog->ScaleAcrossBox()->Selected());
  EXPECT_EQ(dialog->LanesList()->SelectedIndex(), 7);
  EXPECT_EQ(dialog->DataSourceGroup()->GetSelection(), 1);
  EXPECT_EQ(dialog->WriteVxfGroup()->GetSelection(), 1);
  KString port;
  ASSERT_TRUE(dialog->PhotoFinishPanel()->Store(port));
  EXPECT_EQ(port.ToUtf8(), "-1,0.0.0.0,1950");
}

TEST_F(QvZOptionsDialogTest, TheDownloadWindowIsRoundedAwayFromZeroToHalfSeconds) {
  struct Case {
    double start;
    double end;
    double storedStart;
    double storedEnd;
  } cases[] = {
      {1.2, 4.0, 1.5, 4.0},
      {0.0, 2.1, 0.0, 2.5},
      // Below zero after rounding: dropped, and the end is still taken.
      {-0.2, 3.0, 0.25, 3.0},
      // Start not below the end: neither is stored.
      {3.0, 3.0, 0.25, 5.0},
      {4.2, 4.4, 0.25, 5.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start);
    KRegistry::GetFloat(&settings, u"\\Hardware\\BlockSensor\\StartTimeDL")->Set(0.25);
    KRegistry::GetFloat(&settings, u"\\Hardware\\BlockSensor\\EndTimeDL")->Set(5.0);
    auto dialog = Dialog();
    dialog->StartField()->SetValue(c.start);
    dialog->EndField()->SetValue(c.end);
    dialog->ProcessResult(KZDialog::kOkResult);
    EXPECT_DOUBLE_EQ(Float(u"\\Hardware\\BlockSensor\\StartTimeDL"), c.storedStart);
    EXPECT_DOUBLE_EQ(Float(u"\\Hardware\\BlockSensor\\EndTimeDL"), c.storedEnd);
  }
}

TEST_F(QvZOptionsDialogTest, OkWritesIntsAndTextsThroughTheirSettersAndListsOnlyWhenChanged) {
  QvSerialPort::NewEntry();
  Record(&settings);
  for (ZafEventType answer : {KZDialog::kCancelResult, KZDialog::kOkResult}) {
    SCOPED_TRACE(answer);
    recorded.clear();
    auto dialog = Dialog(QvZOptionsDialog::kChart);
    dialog->StyleList()->Select(2);
    dialog->StyleList()->SetChanged(true);
    dialog->MaxXField()->SetValue(1.5);
    dialog->ShowYBox()->SetSelected(true);
    dialog->ProcessResult(answer);
    if (answer == KZDialog::kCancelResult) {
      EXPECT_TRUE(recorded.empty());
      EXPECT_DOUBLE_EQ(Float(u"\\Chart\\Axes\\MaxX"), 2.0);
      continue;
    }
    const std::vector<std::string> expected = {
        "\\Event\\SingleEvent=1",
        "\\Event\\Directory=",
        "\\Database\\Mode=1",
        "\\Database\\File\\DataInDir=" + folder.Path(),
        "\\Database\\File\\DataOutDir=" + folder.Path(),
        "\\Database\\QXF\\SerialPort=-1,0.0.0.0,1950",
        "\\SerialPorts\\Port1\\Name=Serial Port",
        "\\Database\\CharMode=0",
        "\\Database\\File\\CharModeVXF=0",
        "\\Chart\\Brush\\Style=2",
    };
    EXPECT_EQ(recorded, expected);
    EXPECT_DOUBLE_EQ(Float(u"\\Chart\\Axes\\MaxX"), 1.5);
    EXPECT_TRUE(KRegistry::GetBool(&settings, u"\\Chart\\Axes\\ShowY")->Value());
  }
}

TEST_F(QvZOptionsDialogTest, WithoutEntriesTheEntryFieldsWaitForNew) {
  struct Case {
    ZafEventType newCode;
    ZafWindowObject* (*field)(const QvZOptionsDialog&);
    const char* status;
  } cases[] = {
      {QvZOptionsDialog::kNewPort,
       [](const QvZOptionsDialog& d) -> ZafWindowObject* { return d.PortNameField(); }, "Not Running"},
      {QvZOptionsDialog::kNewBoard,
       [](const QvZOptionsDialog& d) -> ZafWindowObject* { return d.BoardNameField(); }, "Not Loaded"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.newCode);
    auto dialog = Dialog();
    EXPECT_TRUE(c.field(*dialog)->Disabled());
    dialog->Event(ZafEventRecord(c.newCode, 0));
    EXPECT_FALSE(c.field(*dialog)->Disabled());
    KZSelector* list = c.newCode == QvZOptionsDialog::kNewPort
                           ? static_cast<KZSelector*>(dialog->SerialList())
                           : dialog->BoardList();
    EXPECT_EQ(list->CurrentCell().y, 0);
    EXPECT_EQ(Cell(list, 0, 1), c.status);
    dialog->ProcessResult(KZDialog::kCancelResult);
  }
  // Cancel keeps the new entries with their defaults.
  EXPECT_EQ(QvSerialPort::Count(), 1);
  EXPECT_EQ(QvScoreboards::Count(), 1);
  EXPECT_EQ(KRegistry::GetString(QvScoreboards::GetNth(0), u"SerialPort").ToUtf8(), "0,9600,8,N,1.0");
}

TEST_F(QvZOptionsDialogTest, TheListsShowEachEntrysStatusAndDimDeletedOnes) {
  Setting(u"\\SerialPorts\\1\\Name:String=Start unit");
  Setting(u"\\SerialPorts\\1\\SerialPort:String=101,19200,8,N,1.0");
  Setting(u"\\SerialPorts\\2\\Name:String=Spare");
  Setting(u"\\SerialPorts\\2\\SerialPort:String=0,19200,8,N,1.0");
  Setting(u"\\SerialPorts\\3\\Name:String=Unset");
  auto dialog = Dialog(QvZOptionsDialog::kSerial);
  QvZSerialSelector* list = dialog->SerialList();
  EXPECT_EQ(Narrow(dialog->PortNameField()->Text()), "Start unit");
  struct Case {
    int32_t row;
    const char* name;
    const char* status;
  } cases[] = {{0, "Start unit", "Running"}, {1, "Spare", "Not Running"}, {2, "Unset", "Not Loaded"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    EXPECT_EQ(Cell(list, c.row, 0), c.name);
    EXPECT_EQ(Cell(list, c.row, 1), c.status);
  }
  list->MoveCurrentCell({0, 1});
  EXPECT_EQ(Narrow(dialog->PortNameField()->Text()), "Spare");
  dialog->Event(ZafEventRecord(QvZOptionsDialog::kDeletePort, 0));
  uint32_t flags = 0;
  EXPECT_EQ(Cell(list, 1, 0, &flags), "Spare");
  EXPECT_TRUE(flags & KZSelector::kTextDisabled);
  EXPECT_TRUE(QvSerialPort::GetNth(1)->IsDeleted());
  EXPECT_FALSE(QvSerialPort::GetNth(0)->IsDeleted());
}

TEST_F(QvZOptionsDialogTest, MarkingLaneThreeMissingWritesThatLaneOnly) {
  Record(&settings);
  auto dialog = Dialog(QvZOptionsDialog::kResults);
  QvZLaneMissingSelector* lanes = dialog->LaneList();
  EXPECT_EQ(dialog->LaneButton()->Value(), QvZOptionsDialog::kLaneDisable);
  lanes->MoveCurrentCell({0, 2});
  dialog->Event(ZafEventRecord(QvZOptionsDialog::kLaneDisable, 0));
  EXPECT_EQ(dialog->LaneButton()->Value(), QvZOptionsDialog::kLaneEnable);
  uint32_t flags = 0;
  EXPECT_EQ(Cell(lanes, 2, 0, &flags), "Lane 3");
  EXPECT_TRUE(flags & KZSelector::kTextDisabled);
  recorded.clear();
  dialog->ProcessResult(KZDialog::kOkResult);
  EXPECT_EQ(
      std::count_if(recorded.begin(), recorded.end(),
                    [](const std::string& write) { return write.find("\\Lanes\\") != std::string::npos; }),
      1);
  EXPECT_EQ(Int(u"\\Event\\Results\\Lanes\\Missing\\Lane3"), 0);
  EXPECT_EQ(Int(u"\\Event\\Results\\Lanes\\Missing\\Lane4"), 1);
}

TEST_F(QvZOptionsDialogTest, PageModeEnablesPageSizeAndPageTime) {
  QvScoreboards::NewEntry();
  auto dialog = Dialog(QvZOptionsDialog::kScoreboard);
  EXPECT_TRUE(dialog->PageModeBox()->Selected()) << "a new board pages";
  EXPECT_FALSE(dialog->PageTimeField()->Disabled());
  for (bool paging : {false, true}) {
    SCOPED_TRACE(paging);
    dialog->PageModeBox()->SetSelected(paging);
    dialog->Event(ZafEventRecord(QvZOptionsDialog::kPageMode, 0));
    EXPECT_EQ(dialog->PageSizeField()->Disabled(), !paging);
    EXPECT_EQ(dialog->PageTimeField()->Disabled(), !paging);
  }
}

TEST_F(QvZOptionsDialogTest, ABoardsSwitchKeptAsAnIntShowsAndIsWrittenAsTheBoardReadsIt) {
  Setting(u"\\Scoreboards\\Board1\\Name:String=Start");
  Setting(u"\\Scoreboards\\Board1\\IncludeFirst:Int=1");
  auto dialog = Dialog(QvZOptionsDialog::kScoreboard);
  EXPECT_TRUE(dialog->IncludeFirstBox()->Selected());
  dialog->IncludeFirstBox()->SetSelected(false);
  dialog->ProcessResult(KZDialog::kOkResult);
  EXPECT_EQ(Int(u"\\Scoreboards\\Board1\\IncludeFirst"), 0);
}

TEST_F(QvZOptionsDialogTest, ADataSourceWithoutAButtonIsKeptUntilOneIsChosen) {
  Setting(u"\\Database\\Mode:Int=2");
  for (int32_t choice : {-1, 0}) {
    SCOPED_TRACE(choice);
    auto dialog = Dialog(QvZOptionsDialog::kDatabase);
    EXPECT_EQ(dialog->DataSourceGroup()->GetSelection(), -1);
    if (choice >= 0) {
      dialog->DataSourceGroup()->SetSelection(choice);
    }
    dialog->ProcessResult(KZDialog::kOkResult);
    EXPECT_EQ(Int(u"\\Database\\Mode"), choice < 0 ? 2 : choice);
  }
}

TEST_F(QvZOptionsDialogTest, ChoosingAnotherLanguageSwitchesTheChoiceAndDropsTheLayouts) {
  std::ofstream(folder.Path() + "/a.lng") << "English (United States),en_US\n";
  std::ofstream(folder.Path() + "/b.lng") << "Deutsch,de_DE\n";
  ASSERT_TRUE(files.ScanLanguages());
  Setting(u"\\Language\\Choice:String=en_US");
  Setting(u"\\Event\\Layout\\Pane1:Int=1");
  for (bool chosen : {false, true}) {
    SCOPED_TRACE(chosen);
    auto dialog = Dialog();
    EXPECT_EQ(dialog->LanguageList()->SelectedIndex(), 0);
    if (chosen) {
      dialog->LanguageList()->Select(1);
      dialog->LanguageList()->SetChanged(true);
    }
    dialog->ProcessResult(KZDialog::kOkResult);
    EXPECT_EQ(Text(u"\\Language\\Choice"), chosen ? "de_DE" : "en_US");
    EXPECT_EQ(KRegistry::GetGroup(&settings, u"\\Event\\Layout")->IsDeleted(), chosen);
  }
  auto dialog = Dialog();
  dialog->MinXField()->SetValue(-3.0);
  EXPECT_EQ(Narrow(dialog->MinXField()->Text()), "-3") << "numbers keep their sign after the switch";
}

TEST_F(QvZOptionsDialogTest, PortSettingsAreWrittenOnlyWhenChangedAndTaken) {
  Setting(u"\\SerialPorts\\Port1\\Name:String=Adapter");
  // A port this machine does not have right now shows as none, and is kept.
  Setting(u"\\SerialPorts\\Port1\\SerialPort:String=101,19200,8,N,1.0");
  Setting(u"\\Database\\QXF\\SerialPort:String=-1,192.168.1.20,4001");
  Record(&settings);
  {
    auto dialog = Dialog(QvZOptionsDialog::kDatabase);
    std::vector<KZString*> fields;
    Collect(dialog.get(), fields);
    auto address = std::find_if(fields.begin(), fields.end(), [](KZString* field) {
      return std::u16string(field->Text()) == u"192.168.1.20";
    });
    ASSERT_NE(address, fields.end());
    (*address)->SetText(u"x");
    // The panel warns about the address; the user closes the warning.
    application.Run({[] { KZScriptedApplication::Post(KZDialog::kOkResult); }});
    dialog->ProcessResult(KZDialog::kOkResult);
  }
  EXPECT_EQ(
      std::count_if(recorded.begin(), recorded.end(),
                    [](const std::string& write) { return write.find("SerialPort=") != std::string::npos; }),
      0);
  EXPECT_EQ(Text(u"\\SerialPorts\\Port1\\SerialPort"), "101,19200,8,N,1.0");
  auto dialog = Dialog(QvZOptionsDialog::kSerial);
  dialog->PortPanel()->SetBaud(9600);
  dialog->PortPanel()->SetChanged(true);
  dialog->ProcessResult(KZDialog::kOkResult);
  EXPECT_EQ(Text(u"\\SerialPorts\\Port1\\SerialPort"), "0,9600,8,N,1.0");
}
