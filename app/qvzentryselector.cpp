#include "app/qvzentryselector.h"

#include "foundation/kregistry.h"
#include "foundation/krgroup.h"
#include "foundation/krstring.h"
#include "foundation/kserialport.h"
#include "model/qvsettings.h"

QvZEntrySelector::QvZEntrySelector(QvZOptionsDialog* dialog, int32_t nameWidth)
    : KZSelector(0, 0, 0, 0), itsDialog(dialog) {
  SetColumnCount(2);
  SetColumnPosition(1, nameWidth);
}

QvZEntrySelector::~QvZEntrySelector() = default;

void QvZEntrySelector::Refresh() {
  ChangeExtent({1, EntryCount()});
  KZSelector::Refresh();
}

// Only a move to another row trades the fields, so that building the dialog or refreshing the list writes
// nothing.
bool QvZEntrySelector::SetCurrentCell(KPoint cell) {
  const int32_t row = CurrentCell().y;
  const bool moved = KZSelector::SetCurrentCell(cell);
  if (CurrentCell().y != row) {
    SaveEntry();
    LoadEntry(CurrentEntry());
  }
  return moved;
}

void QvZEntrySelector::CellText(KPoint cell, int32_t column, KString& text, uint32_t& textFlags) {
  const KRGroup* entry = Entry(cell.y);
  if (!entry) {
    return;
  }
  if (entry->IsDeleted()) {
    textFlags |= kTextDisabled;
  }
  if (column == 0) {
    text.Append(KRegistry::GetString(entry, KString(u"Name")));
  } else {
    StatusText(*entry, text);
  }
}

void QvZEntrySelector::StatusText(const KRGroup& entry, KString& text) const {
  const KRString* port = KRegistry::GetStringNode(&entry, KString(u"SerialPort"));
  int32_t number = 0;
  const char16_t* key = u"NotRunning";
  const char16_t* fallback = u"Not Running";
  if (!port || port->Value().IsEmpty() || !IsLoaded(&entry)) {
    key = u"NotLoaded";
    fallback = u"Not Loaded";
  } else if (KSerialPort::ParsePort(port->Value(), number) && number != 0) {
    key = u"Running";
    fallback = u"Running";
  }
  KString path(TextGroup());
  path.Append(key);
  text.Append(QvSettings::Text(path.CStr(), fallback));
}
