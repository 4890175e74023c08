#include "app/qvzscoreboardselector.h"

#include "app/qvzoptionsdialog.h"
#include "devices/qvscoreboards.h"

QvZScoreboardSelector::QvZScoreboardSelector(QvZOptionsDialog* dialog, int32_t nameWidth,
                                             const QvScoreboards* boards)
    : QvZEntrySelector(dialog, nameWidth), itsBoards(boards) {}

int32_t QvZScoreboardSelector::EntryCount() const {
  return QvScoreboards::Count();
}

KRGroup* QvZScoreboardSelector::Entry(int32_t index) const {
  return QvScoreboards::GetNth(index);
}

void QvZScoreboardSelector::SaveEntry() {
  itsDialog->SaveScoreboardEntry();
}

void QvZScoreboardSelector::LoadEntry(KRGroup* entry) {
  itsDialog->LoadScoreboardEntry(entry);
}

bool QvZScoreboardSelector::IsLoaded(const KRGroup* entry) const {
  return itsBoards && itsBoards->ListensTo(entry);
}
