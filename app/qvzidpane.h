#pragma once
// A text field on a chart window's tool bar: it takes what a tool-bar text field takes, except Enter (the
// mapped ChosenEvent), which it drops, so that a key typed into the bar never acts as a choice.

#include <cstdint>

#include "toolkit/kztbstring.h"

class QvZChartWindow;

class QvZIdPane : public KZTBString {
 public:
  QvZIdPane(QvZChartWindow* owner, int maxLength, int32_t width);
  ~QvZIdPane() override;

  QvZChartWindow* Owner() const { return itsOwner; }

  ZafEventType Event(const ZafEventRecord& event) override;

 private:
  QvZChartWindow* itsOwner;
};
