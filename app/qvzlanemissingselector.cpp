#include "app/qvzlanemissingselector.h"

#include "app/qvzoptionsdialog.h"
#include "app/settingwrites.h"
#include "model/qvresultsview.h"
#include "model/qvsettings.h"

QvZLaneMissingSelector::QvZLaneMissingSelector(QvZOptionsDialog* dialog)
    : KZSelector(0, 0, 0, 0), itsDialog(dialog) {
  for (int32_t lane = 1; lane <= kLanes; ++lane) {
    flags[static_cast<size_t>(lane - 1)] = QvResultsView::IsSpecialLengthSet(lane - 1);
  }
  ChangeExtent({1, kLanes});
}

QvZLaneMissingSelector::~QvZLaneMissingSelector() = default;

KString QvZLaneMissingSelector::SettingPath(int32_t lane) {
  KString path(u"\\Event\\Results\\Lanes\\Missing\\Lane");
  path.AppendInt(lane);
  return path;
}

void QvZLaneMissingSelector::Refresh() {
  UpdateButton();
  KZSelector::Refresh();
}

bool QvZLaneMissingSelector::SetCurrentCell(KPoint cell) {
  const bool moved = KZSelector::SetCurrentCell(cell);
  UpdateButton();
  return moved;
}

void QvZLaneMissingSelector::CellText(KPoint cell, int32_t, KString& text, uint32_t& textFlags) {
  if (cell.y < 0 || cell.y >= kLanes) {
    return;
  }
  text.Append(QvSettings::Text(u"\\Strings\\Options\\Results\\Lane")).AppendChar(u' ').AppendInt(cell.y + 1);
  if (!InUse(cell.y + 1)) {
    textFlags |= kTextDisabled;
  }
}

bool QvZLaneMissingSelector::Apply() {
  bool changed = false;
  for (int32_t lane = 1; lane <= kLanes; ++lane) {
    const KString path = SettingPath(lane);
    const int32_t wanted = InUse(lane) ? 1 : 0;
    if (SettingWrites::ReadInt(nullptr, path.CStr(), -1) != wanted) {
      changed = SettingWrites::WriteInt(nullptr, path.CStr(), wanted) || changed;
    }
  }
  return changed;
}

void QvZLaneMissingSelector::UpdateButton() {
  const int32_t row = CurrentCell().y;
  if (row >= 0 && row < kLanes) {
    itsDialog->SetLaneButton(InUse(row + 1) ? QvZOptionsDialog::kLaneDisable : QvZOptionsDialog::kLaneEnable);
  }
}

void QvZLaneMissingSelector::Toggle() {
  const int32_t row = CurrentCell().y;
  if (row < 0 || row >= kLanes) {
    return;
  }
  uint8_t& flag = flags[static_cast<size_t>(row)];
  flag = flag == 0 ? 1 : 0;
  Refresh();
}
