#include "app/qvzwindwindowdialog.h"

#include "model/qvsettings.h"
#include "toolkit/kzstring.h"

namespace {

constexpr int32_t kFieldWidth = 5;
constexpr int32_t kFieldLength = 20;
constexpr int32_t kIndent = 2;
// The presets, in milliseconds.
constexpr int32_t kCustomStart = 0;
constexpr int32_t k200MeterStart = 20000;
constexpr int32_t kPresetDuration = 10000;

}  // namespace

QvZWindWindowDialog::QvZWindWindowDialog(int32_t mode, int32_t startOffset, int32_t duration)
    : KZDialog(QvSettings::Text(u"\\Strings\\Event\\Wind\\Mode\\Dialog\\Title").CStr(), kOk | kCancel, kOk),
      startOffset(startOffset),
      duration(duration) {
  NewLine();
  MoveCursor(kIndent, 0);
  if (mode == kCustom || mode == k200Meter) {
    startField = AddTimeRow(u"\\Strings\\Event\\Wind\\Mode\\Dialog\\Start",
                            mode == kCustom ? kCustomStart : k200MeterStart);
  }
  if (mode == kManual || mode == kCustom) {
    durationField = AddTimeRow(u"\\Strings\\Event\\Wind\\Mode\\Dialog\\Duration", kPresetDuration);
  }
}

QvZWindWindowDialog::~QvZWindWindowDialog() = default;

KZString* QvZWindWindowDialog::AddTimeRow(const char16_t* labelKey, int32_t milliseconds) {
  AddPrompt(QvSettings::Text(labelKey).CStr(), -1);
  KZString* field = AddString(u"", kFieldWidth, kFieldLength);
  if (field) {
    field->SetTime(milliseconds, 0);
  }
  return field;
}

void QvZWindWindowDialog::ProcessResult(ZafEventType result) {
  if (result != kOkResult) {
    return;
  }
  if (startField) {
    startField->GetTime(startOffset);
  }
  if (durationField) {
    durationField->GetTime(duration);
  }
}
