#include "app/linkquestions.h"

#include "app/yzapplication.h"
#include "model/qvsettings.h"
#include "toolkit/kzdialog.h"

int32_t AskLinkTimeout(const KString& separator, const KString& detail, bool ignore) {
  YZApplication* application = YZApplication::Current();
  if (application == nullptr) {
    return KZDialog::kAbortResult;
  }
  const KString title = QvSettings::Text(u"\\Strings\\Alerts\\CommErrorTitle", u"Communication Error");
  KString text = QvSettings::Text(u"\\Strings\\Alerts\\TimeoutError",
                                  u"A timeout error occurred when communicating with Kestrove");
  text.Append(separator).Append(detail);
  return ignore ? application->AskCancel(title, text) : application->Ask(title, text);
}
