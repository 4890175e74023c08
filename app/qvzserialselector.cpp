#include "app/qvzserialselector.h"

#include "app/qvzoptionsdialog.h"
#include "devices/qvserialport.h"

int32_t QvZSerialSelector::EntryCount() const {
  return QvSerialPort::Count();
}

KRGroup* QvZSerialSelector::Entry(int32_t index) const {
  return QvSerialPort::GetNth(index);
}

void QvZSerialSelector::SaveEntry() {
  itsDialog->SaveSerialEntry();
}

void QvZSerialSelector::LoadEntry(KRGroup* entry) {
  itsDialog->LoadSerialEntry(entry);
}

bool QvZSerialSelector::IsLoaded(const KRGroup*) const {
  return true;
}
