// The small dialog that asks for a wind reading's measuring window when the user picks a mode that needs
// one: the start for Custom and 200Meter, the duration for Manual and Custom, both in the time text form.
#ifndef APP_QVZWINDWINDOWDIALOG_H
#define APP_QVZWINDWINDOWDIALOG_H

#include <cstdint>

#include "toolkit/kzdialog.h"

class KZString;

class QvZWindWindowDialog : public KZDialog {
 public:
  // Wind modes.
  static constexpr int32_t kManual = 0;
  static constexpr int32_t kCustom = 1;
  static constexpr int32_t k200Meter = 3;
  // Whether choosing the mode asks for its measuring window first.
  static bool Asks(int32_t mode) { return mode == kManual || mode == kCustom || mode == k200Meter; }

  // `startOffset` and `duration` (milliseconds) are the wind's; a field the mode does not show keeps them.
  QvZWindWindowDialog(int32_t mode, int32_t startOffset, int32_t duration);
  ~QvZWindWindowDialog() override;

  // Ok reads the shown fields back; a text that is no time keeps the value.
  void ProcessResult(ZafEventType result) override;

  KZString* StartField() const { return startField; }
  KZString* DurationField() const { return durationField; }
  int32_t StartOffset() const { return startOffset; }
  int32_t Duration() const { return duration; }

 private:
  KZString* AddTimeRow(const char16_t* labelKey, int32_t milliseconds);

  KZString* startField = nullptr;
  KZString* durationField = nullptr;
  int32_t startOffset;
  int32_t duration;
};

#endif
