// The dialog that lists the readings held by the wind gauge, oldest first, one row per reading with its
// time and value, for the user to pick one. The caller reads the list's current row after Ok.
#ifndef APP_YZSELECTWINDDIALOG_H
#define APP_YZSELECTWINDDIALOG_H

#include <cstdint>

#include "toolkit/kzdialog.h"

class KZSelector;
class YWindGauge;

class YZSelectWindDialog : public KZDialog {
 public:
  // The readings shown at most: the gauge holds no more.
  static constexpr int32_t kMaxListed = 100;

  explicit YZSelectWindDialog(const YWindGauge& gauge);
  ~YZSelectWindDialog() override;

  KZSelector* List() const { return list; }
  int32_t Listed() const { return listed; }
  int32_t Older() const { return older; }
  // Column 0 the reading's time at whole seconds, column 1 its value with sign and tenths, a blank and its
  // units; empty when the gauge no longer holds the row's reading.
  void RowText(int32_t row, int32_t column, KString& text) const;

 private:
  const YWindGauge& gauge;
  KZSelector* list = nullptr;
  int32_t listed = 0;
  int32_t older = 0;
};

#endif
