#include "app/linkquestions.h"

#include "app/yzapplication.h"
#include "devices/qvblocksensors.h"
#include "model/qvsettings.h"
#include "toolkit/kzdialog.h"

int32_t AskLinkTimeout(const KString& separator, const KString& detail, bool ignore) {
  YZApplication* application = YZApplication::Current();
  if (application == nullptr) {
    return KZDialog::kAbortResult;
  }
  const KString title = QvSettings::Text(u"\\Strings\\Alerts\\CommErrorTitle", u"Communication Error");
  const QvBlockSensors* link = QvBlockSensors::Global();
  const KString refusal = link != nullptr ? link->Refusal() : KString();
  KString text = refusal.IsEmpty()
                     ? QvSettings::Text(u"\\Strings\\Alerts\\TimeoutError",
                                        u"A timeout error occurred when communicating with Kestrove")
                     : QvSettings::Text(u"\\Strings\\Alerts\\RefusedError",
                                        u"An answer was refused when communicating with Kestrove");
  text.Append(separator).Append(detail);
  if (!refusal.IsEmpty()) {
    text.Append(u". ").Append(refusal);
  }
  return ignore ? application->AskCancel(title, text) : application->Ask(title, text);
}
