#include "app/qvzlocalalgorithmdialog.h"

#include "app/localreactionscan.h"
#include "foundation/krbool.h"
#include "foundation/kregistry.h"
#include "foundation/krfloat.h"
#include "foundation/krint.h"
#include "model/qvsettings.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzinteger.h"
#include "toolkit/kzreal.h"

namespace {

constexpr int32_t kIntegerWidth = 5;
constexpr int32_t kRealWidth = 3;
constexpr int32_t kLeastSlope = 1;
constexpr int32_t kMostSlope = 10000;
constexpr double kMostMask = 2.0;
constexpr int32_t kEmptyLines = 3;

constexpr const char16_t* kIncSlope = u"\\Chart\\LocalAlg\\IncSlope";
constexpr const char16_t* kConsIncSlope = u"\\Chart\\LocalAlg\\ConsIncSlope";
constexpr const char16_t* kTotalIncSlope = u"\\Chart\\LocalAlg\\TotalIncSlope";
constexpr const char16_t* kSetMask = u"\\Chart\\LocalAlg\\SetMask";
constexpr const char16_t* kShowBeforeSet = u"\\Chart\\LocalAlg\\ShowBeforeSet";
constexpr const char16_t* kCheckNegSlope = u"\\Chart\\LocalAlg\\CheckNegSlope";

// Stores an integer through the node's setter, so that whoever watches the node hears of it; a tree
// without the node takes a new one.
void StoreInt(const char16_t* path, int32_t value) {
  if (KRInt* node = KRegistry::GetInt(QvSettings::Root(), KString::View(path))) {
    node->NotifyChanged(value);
  } else {
    QvSettings::Write(KString(path).Append(u":Int=").AppendInt(value));
  }
}

void StoreFloat(const char16_t* path, double value) {
  if (KRFloat* node = KRegistry::GetFloat(QvSettings::Root(), KString::View(path))) {
    node->Set(value);
  } else {
    QvSettings::Write(KString(path).Append(u":Float=").AppendReal(value));
  }
}

void StoreBool(const char16_t* path, bool on) {
  if (KRBool* node = KRegistry::GetBool(QvSettings::Root(), KString::View(path))) {
    node->Set(on ? 1 : 0);
  } else {
    QvSettings::Write(KString(path).Append(on ? u":Bool=1" : u":Bool=0"));
  }
}

}  // namespace

QvZLocalAlgorithmDialog::QvZLocalAlgorithmDialog()
    : KZDialog(u"Local Algorithm Settings", kOk | kCancel, kOk) {
  const LocalAlgorithmSettings settings = LocalAlgorithmSettings::Read();
  NewLine();
  incSlope = AddSlopeLine(u"Incrementing Slope", settings.incSlope);
  consIncSlope = AddSlopeLine(u"Consecutive Incrementing Slope", settings.consIncSlope);
  totalIncSlope = AddSlopeLine(u"Total Incrementing Slope", settings.totalIncSlope);
  AddPrompt(u"Set Mask", -1);
  setMask = AddReal(settings.setMask, kRealWidth, 0.0, kMostMask);
  setMask->SetValidateOnLeave(true);
  NewLine();
  showBeforeSet = AddCheckBox(u"Show Before Set", settings.showBeforeSet, 0, -1);
  NewLine();
  checkNegSlope = AddCheckBox(u"Check Negative Slope (25%)", settings.checkNegSlope, 0, -1);
  for (int32_t line = 0; line < kEmptyLines; ++line) {
    NewLine();
  }
  // The fields stand in one column after the longest prompt.
  AlignColumn(1, 0);
}

QvZLocalAlgorithmDialog::~QvZLocalAlgorithmDialog() = default;

KZInteger* QvZLocalAlgorithmDialog::AddSlopeLine(const ZafIChar* prompt, int32_t value) {
  AddPrompt(prompt, -1);
  KZInteger* field = AddInteger(value, kIntegerWidth, kLeastSlope, kMostSlope);
  // A value outside the range is refused as the user leaves the field or chooses it.
  field->SetValidateOnLeave(true);
  NewLine();
  return field;
}

void QvZLocalAlgorithmDialog::ProcessResult(ZafEventType result) {
  if (result != kOkResult) {
    return;
  }
  StoreInt(kIncSlope, incSlope->ZafInteger::Value());
  StoreInt(kConsIncSlope, consIncSlope->ZafInteger::Value());
  StoreInt(kTotalIncSlope, totalIncSlope->ZafInteger::Value());
  StoreFloat(kSetMask, setMask->ZafReal::Value());
  StoreBool(kShowBeforeSet, showBeforeSet->Selected());
  StoreBool(kCheckNegSlope, checkNegSlope->Selected());
}

bool QvZLocalAlgorithmDialog::Run() {
  QvZLocalAlgorithmDialog dialog;
  return dialog.Execute() == kOkResult;
}
