#pragma once
// The question every operation on the control unit asks when a request to the unit fails: "<time-out
// text><separator><detail>" under the communication-error title, or, when the program link's last failure
// was a reply refused, "<refused text><separator><detail>. <why, as the log says it>".

#include <cstdint>

#include "foundation/kstring.h"

// Abort and Retry (and Ignore with `ignore`), Retry the default; the button's result code, Abort when the
// program has no application object to ask through.
int32_t AskLinkTimeout(const KString& separator, const KString& detail, bool ignore);
