// The options dialog's list of lanes 1 to 14, where the user marks lanes missing. It keeps an in-use flag
// per lane, dims missing lanes, keeps the dialog's Disable/Enable button in step with the current lane and
// writes the flags back when the dialog applies.
#ifndef APP_QVZLANEMISSINGSELECTOR_H
#define APP_QVZLANEMISSINGSELECTOR_H

#include <array>
#include <cstdint>

#include "model/racelanes.h"
#include "toolkit/kzselector.h"

class QvZOptionsDialog;

class QvZLaneMissingSelector : public KZSelector {
 public:
  static constexpr int32_t kLanes = kMostLanes;

  // The flags from "\Event\Results\Lanes\Missing\Lane<n>": in use when the setting exists and is not 0.
  explicit QvZLaneMissingSelector(QvZOptionsDialog* dialog);
  ~QvZLaneMissingSelector() override;

  // The lane button follows the current lane.
  void Refresh() override;
  bool SetCurrentCell(KPoint cell) override;
  // "Lane" and the lane's number, dimmed when the lane is missing.
  void CellText(KPoint cell, int32_t column, KString& text, uint32_t& textFlags) override;

  // Writes each flag whose setting differs; true when any setting changed.
  bool Apply();
  // Sets the dialog's lane button to Disable for a lane in use, Enable for a missing one.
  void UpdateButton();
  // Flips the current lane's flag.
  void Toggle();
  bool InUse(int32_t lane) const { return flags[static_cast<size_t>(lane - 1)] != 0; }

 private:
  static KString SettingPath(int32_t lane);

  QvZOptionsDialog* itsDialog;
  std::array<uint8_t, kLanes> flags{};
};

#endif
