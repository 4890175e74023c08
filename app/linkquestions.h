#pragma once
// The question every operation on the control unit asks when the unit does not answer in time: "<time-out
// text><separator><detail>" under the communication-error title.

#include <cstdint>

#include "foundation/kstring.h"

// Abort and Retry (and Ignore with `ignore`), Retry the default; the button's result code, Abort when the
// program has no application object to ask through.
int32_t AskLinkTimeout(const KString& separator, const KString& detail, bool ignore);
