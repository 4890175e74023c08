// The options dialog's list of named settings entries (the named serial ports, the scoreboards): each row
// an entry's name and its status, a deleted entry dimmed and kept in its row so that rows match the
// entries' order in the settings tree. Moving the current row stores the dialog's fields into the old entry
// and fills them from the new one.
#ifndef APP_QVZENTRYSELECTOR_H
#define APP_QVZENTRYSELECTOR_H

#include <cstdint>

#include "toolkit/kzselector.h"

class KRGroup;
class QvZOptionsDialog;

class QvZEntrySelector : public KZSelector {
 public:
  // `nameWidth`: the pixels of the name column; the status column takes the rest of the row.
  QvZEntrySelector(QvZOptionsDialog* dialog, int32_t nameWidth);
  ~QvZEntrySelector() override;

  // The extent follows the number of entries.
  void Refresh() override;
  // The old entry's fields are stored, the new entry's loaded.
  bool SetCurrentCell(KPoint cell) override;
  void CellText(KPoint cell, int32_t column, KString& text, uint32_t& textFlags) override;

  virtual int32_t EntryCount() const = 0;
  virtual KRGroup* Entry(int32_t index) const = 0;
  // The entry of the current row, null when none.
  KRGroup* CurrentEntry() const { return Entry(CurrentCell().y); }

 protected:
  // The dialog's fields of this list, to and from an entry.
  virtual void SaveEntry() = 0;
  virtual void LoadEntry(KRGroup* entry) = 0;
  // Whether something uses the entry's port setting (a loaded scoreboard listens to it).
  virtual bool IsLoaded(const KRGroup* entry) const = 0;
  // The settings group of the status texts, with its trailing backslash.
  virtual const char16_t* TextGroup() const = 0;

  QvZOptionsDialog* itsDialog;

 private:
  void StatusText(const KRGroup& entry, KString& text) const;
};

#endif
