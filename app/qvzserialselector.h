// The options dialog's list of the named serial ports with their status.
#ifndef APP_QVZSERIALSELECTOR_H
#define APP_QVZSERIALSELECTOR_H

#include "app/qvzentryselector.h"

class QvZSerialSelector : public QvZEntrySelector {
 public:
  using QvZEntrySelector::QvZEntrySelector;

  int32_t EntryCount() const override;
  KRGroup* Entry(int32_t index) const override;

 protected:
  void SaveEntry() override;
  void LoadEntry(KRGroup* entry) override;
  // A named port is loaded whenever its settings text exists.
  bool IsLoaded(const KRGroup* entry) const override;
  const char16_t* TextGroup() const override { return u"\\Strings\\Options\\Serial\\"; }
};

#endif
