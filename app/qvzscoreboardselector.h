// The options dialog's list of the scoreboards with their status: a board is loaded only while a running
// scoreboard listens to its port setting.
#ifndef APP_QVZSCOREBOARDSELECTOR_H
#define APP_QVZSCOREBOARDSELECTOR_H

#include "app/qvzentryselector.h"

class QvScoreboards;

class QvZScoreboardSelector : public QvZEntrySelector {
 public:
  // `boards` (not owned; null when none run) tells which entries are loaded.
  QvZScoreboardSelector(QvZOptionsDialog* dialog, int32_t nameWidth, const QvScoreboards* boards);

  int32_t EntryCount() const override;
  KRGroup* Entry(int32_t index) const override;

 protected:
  void SaveEntry() override;
  void LoadEntry(KRGroup* entry) override;
  bool IsLoaded(const KRGroup* entry) const override;
  const char16_t* TextGroup() const override { return u"\\Strings\\Options\\Scoreboard\\"; }

 private:
  const QvScoreboards* itsBoards;
};

#endif
