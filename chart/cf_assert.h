// The chart engine's consistency checks. A failed check is written to the program's log with the source's
// name and line, and the engine carries on.
#ifndef CHART_CF_ASSERT_H
#define CHART_CF_ASSERT_H

#include <cstdint>

// Answers the condition.
bool cf_Assert(bool condition, const char* text, const char* source, int32_t line);

#endif
