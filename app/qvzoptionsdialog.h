// The options dialog: six notebook pages (General, Serial, Chart, Scoreboard, Results, Database) in which
// the user edits the program's persistent settings. Every field reads its setting when the dialog is built
// and writes it back only on Ok, in a fixed order; the named serial ports and the scoreboards are edited in
// place in the settings tree (New adds an entry at once, Delete only marks it).
#ifndef APP_QVZOPTIONSDIALOG_H
#define APP_QVZOPTIONSDIALOG_H

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "toolkit/kzdialog.h"

class KRGroup;
class KZButton;
class KZComboBox;
class KZInteger;
class KZRadioGroup;
class KZReal;
class KZString;
class QvScoreboards;
class QvZLaneMissingSelector;
class QvZScoreboardSelector;
class QvZSerialSelector;
class SettingsFiles;
class YHardware;
class YZSerialPort;

class QvZOptionsDialog : public KZDialog {
 public:
  enum Page : int32_t { kGeneral = 0, kSerial, kChart, kScoreboard, kResults, kDatabase };
  // The Options commands open the dialog at their page: the command less kGeneralCommand.
  static constexpr ZafEventType kGeneralCommand = 10131;
  static constexpr ZafEventType kSerialCommand = 10132;
  static constexpr ZafEventType kChartCommand = 10133;
  static constexpr ZafEventType kScoreboardCommand = 10134;
  static constexpr ZafEventType kResultsCommand = 10135;
  // The list buttons and the page-mode box.
  static constexpr ZafEventType kNewPort = 10138;
  static constexpr ZafEventType kDeletePort = 10139;
  static constexpr ZafEventType kNewBoard = 10140;
  static constexpr ZafEventType kDeleteBoard = 10141;
  static constexpr ZafEventType kPageMode = 10142;
  static constexpr ZafEventType kLaneDisable = 10150;
  static constexpr ZafEventType kLaneEnable = 10151;
  // The longest serial settings text stored.
  static constexpr int32_t kMaxPortText = 31;

  // What the dialog works with besides the settings tree; each may be null (no language switch, no device
  // ports, no scoreboard running).
  struct Services {
    SettingsFiles* files = nullptr;
    YHardware* hardware = nullptr;
    const QvScoreboards* boards = nullptr;
  };

  QvZOptionsDialog(int32_t firstPage, const Services& services);
  ~QvZOptionsDialog() override;

  int32_t FirstPage() const { return firstPage; }

  ZafEventType Event(const ZafEventRecord& event) override;
  // Ok applies every page; any other answer changes nothing.
  void ProcessResult(ZafEventType result) override;

  // The current entry's fields, to the entry and from a newly current one (null: none).
  void SaveSerialEntry();
  void LoadSerialEntry(KRGroup* entry);
  void SaveScoreboardEntry();
  void LoadScoreboardEntry(KRGroup* entry);
  // kLaneDisable or kLaneEnable, with its text.
  void SetLaneButton(ZafEventType code);

  // The fields, for the tests.
  KZRadioGroup* SingleEventGroup() const { return singleEventGroup; }
  KZString* DirectoryField() const { return directoryField; }
  KZComboBox* LanguageList() const { return languageList; }
  KZReal* StartField() const { return startField; }
  KZReal* EndField() const { return endField; }
  QvZSerialSelector* SerialList() const { return serialList; }
  KZString* PortNameField() const { return portNameField; }
  YZSerialPort* PortPanel() const { return portPanel.get(); }
  KZComboBox* WidthList() const { return widthList; }
  KZComboBox* StyleList() const { return styleList; }
  KZComboBox* BrushColorList() const { return brushColorList; }
  KZComboBox* BackgroundColorList() const { return backgroundColorList; }
  KZComboBox* FaceColorList() const { return faceColorList; }
  KZReal* MinXField() const { return minXField; }
  KZReal* MaxXField() const { return maxXField; }
  KZButton* ShowYBox() const { return showYBox; }
  KZButton* ScaleAcrossBox() const { return scaleAcrossBox; }
  QvZScoreboardSelector* BoardList() const { return boardList; }
  KZComboBox* ScriptList() const { return scriptList; }
  KZString* BoardNameField() const { return boardNameField; }
  KZRadioGroup* BoardCharModeGroup() const { return boardCharModeGroup; }
  YZSerialPort* BoardPanel() const { return boardPanel.get(); }
  KZRadioGroup* ResultsModeGroup() const { return resultsModeGroup; }
  KZButton* PageModeBox() const { return pageModeBox; }
  KZInteger* PageSizeField() const { return pageSizeField; }
  KZString* PageTimeField() const { return pageTimeField; }
  KZButton* IncludeFirstBox() const { return includeFirstBox; }
  KZButton* AffilAbbrBox() const { return affilAbbrBox; }
  KZComboBox* LanesList() const { return lanesList; }
  KZButton* ShowAllRedBox() const { return showAllRedBox; }
  QvZLaneMissingSelector* LaneList() const { return laneList; }
  KZButton* LaneButton() const { return laneButton; }
  KZRadioGroup* DataSourceGroup() const { return dataSourceGroup; }
  KZRadioGroup* CharModeGroup() const { return charModeGroup; }
  KZString* DataInField() const { return dataInField; }
  KZString* DataOutField() const { return dataOutField; }
  KZRadioGroup* WriteVxfGroup() const { return writeVxfGroup; }
  KZRadioGroup* CharModeVxfGroup() const { return charModeVxfGroup; }
  YZSerialPort* PhotoFinishPanel() const { return photoFinishPanel.get(); }
  KZButton* IgnoreErhBox() const { return ignoreErhBox; }

 private:
  void BuildGeneralPage();
  void BuildSerialPage();
  void BuildChartPage();
  void BuildScoreboardPage();
  void BuildResultsPage();
  void BuildDatabasePage();
  // A page titled by its label group's "Title" key; labels are read relative to `labelGroup`.
  void BeginPage(const char16_t* group);
  // The text of a key: under the page's label group, or the path itself when it starts with a backslash.
  KString Label(const char16_t* key) const;
  void AddLabel(const char16_t* key);
  KZRadioGroup* AddChoices(std::initializer_list<const char16_t*> keys, int32_t selection);
  // The single-byte, Unicode and native code sets; native only where the narrow system calls are in use.
  KZRadioGroup* AddCodeSetChoices(int32_t selection);
  // A drop-down list of the texts, the one at `selection` chosen, its changed mark cleared.
  KZComboBox* AddList(std::initializer_list<KString> texts, int32_t selection);
  KZComboBox* AddNumberList(int32_t count, int32_t selection);
  KZComboBox* AddColorList(int32_t selection);
  KZComboBox* AddLanguageList();
  KZComboBox* AddScriptList();
  // A two-column entry list with its New and Delete buttons to its right.
  void AddEntryList(KZSelector* list, const char16_t* nameKey, const char16_t* statusKey,
                    ZafEventType newCode, ZafEventType deleteCode);
  void EnableSerialFields(bool enable);
  void EnableBoardFields(bool enable);
  void EnablePageFields();
  void NewEntry(bool serial);
  void DeleteEntry(bool serial);

  void ApplyDownloadWindow();
  void ApplyChart();
  void ApplyResults();
  void ApplyDatabase();

  int32_t firstPage;
  Services services;
  KString labelGroup;
  KRGroup* currentSerialEntry = nullptr;
  KRGroup* currentBoardEntry = nullptr;

  KZRadioGroup* singleEventGroup = nullptr;
  KZString* directoryField = nullptr;
  KZComboBox* languageList = nullptr;
  KZReal* startField = nullptr;
  KZReal* endField = nullptr;

  QvZSerialSelector* serialList = nullptr;
  KZString* portNameField = nullptr;
  std::unique_ptr<YZSerialPort> portPanel;

  KZComboBox* widthList = nullptr;
  KZComboBox* styleList = nullptr;
  KZComboBox* brushColorList = nullptr;
  KZComboBox* backgroundColorList = nullptr;
  KZComboBox* faceColorList = nullptr;
  KZReal* minXField = nullptr;
  KZReal* maxXField = nullptr;
  KZButton* showYBox = nullptr;
  KZButton* scaleAcrossBox = nullptr;

  QvZScoreboardSelector* boardList = nullptr;
  KZComboBox* scriptList = nullptr;
  KZString* boardNameField = nullptr;
  KZRadioGroup* boardCharModeGroup = nullptr;
  std::unique_ptr<YZSerialPort> boardPanel;
  KZRadioGroup* resultsModeGroup = nullptr;
  KZButton* pageModeBox = nullptr;
  KZInteger* pageSizeField = nullptr;
  KZString* pageTimeField = nullptr;
  KZButton* includeFirstBox = nullptr;
  KZButton* affilAbbrBox = nullptr;

  KZComboBox* lanesList = nullptr;
  KZButton* showAllRedBox = nullptr;
  QvZLaneMissingSelector* laneList = nullptr;
  KZButton* laneButton = nullptr;

  KZRadioGroup* dataSourceGroup = nullptr;
  KZRadioGroup* charModeGroup = nullptr;
  KZString* dataInField = nullptr;
  KZString* dataOutField = nullptr;
  KZRadioGroup* writeVxfGroup = nullptr;
  KZRadioGroup* charModeVxfGroup = nullptr;
  std::unique_ptr<YZSerialPort> photoFinishPanel;
  KZButton* ignoreErhBox = nullptr;
};

#endif
