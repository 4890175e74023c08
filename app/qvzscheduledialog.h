#pragma once
// The "Goto event" question: the event, round and heat of a race to go to, typed or chosen from the meet
// schedule's list, which the dialog can load again. The caller reads the three texts after Ok.

#include <cstdint>

#include "foundation/kstring.h"
#include "toolkit/kzdialog.h"

class KZComboBox;
class KZString;
class QvSchedule;

class QvZScheduleDialog : public KZDialog {
 public:
  // Carried by every item of the entry list: an entry was chosen.
  static constexpr ZafEventType kChooseEntry = 10602;
  // The Load Schedule button.
  static constexpr ZafEventType kReloadSchedule = 10603;

  // Starts with the texts of the schedule's current entry.
  explicit QvZScheduleDialog(QvSchedule& schedule);
  ~QvZScheduleDialog() override;

  ZafEventType Event(const ZafEventRecord& event) override;
  // Keeps the three texts as the dialog ends, while its fields are still on the screen.
  void ProcessResult(ZafEventType result) override;

  const KString& EventText() const { return eventText; }
  const KString& RoundText() const { return roundText; }
  const KString& HeatText() const { return heatText; }

  KZString* EventField() const { return eventField; }
  KZString* RoundField() const { return roundField; }
  KZString* HeatField() const { return heatField; }
  KZComboBox* EntryList() const { return entryList; }

 private:
  // Loads the schedule again and lists it; false when the load failed.
  bool LoadSchedule();
  // Lists the schedule's entries and selects the last one equal to the three fields.
  void FillEntryList();
  void ChooseEntry();

  QvSchedule& schedule;
  KZString* eventField = nullptr;
  KZString* roundField = nullptr;
  KZString* heatField = nullptr;
  KZComboBox* entryList = nullptr;
  KString eventText;
  KString roundText;
  KString heatText;
};
