#include "foundation/kdatepattern.h"

#include <algorithm>
#include <string_view>

#include "foundation/kdatetime.h"
#include "foundation/klocale.h"

namespace {

constexpr char16_t kQuote = u'\'';

bool IsPatternLetter(char16_t c) {
  return std::u16string_view(u"dMyhHmst").find(c) != std::u16string_view::npos;
}

// The index of the first character outside quotes for which `wanted` holds, -1 when none does.
template <typename Predicate>
int32_t FirstUnquoted(const KString& pattern, Predicate wanted) {
  bool quoted = false;
  for (int32_t i = 0; i < pattern.Length(); ++i) {
    if (pattern[i] == kQuote) {
      quoted = !quoted;
    } else if (!quoted && wanted(pattern[i])) {
      return i;
    }
  }
  return -1;
}

// Appends literal text to a pattern, each quote doubled. Text holding a pattern letter goes in one quoted
// section; other text stays outside quotes, where a section made only of quotes would read differently
// (four quotes are two quotes, not a section holding one).
void AppendLiteral(KString& pattern, const char16_t* text, int32_t length) {
  bool hasLetter = false;
  for (int32_t i = 0; i < length; ++i) {
    hasLetter = hasLetter || IsPatternLetter(text[i]);
  }
  if (hasLetter) {
    pattern.AppendChar(kQuote);
  }
  for (int32_t i = 0; i < length; ++i) {
    if (text[i] == kQuote) {
      pattern.AppendChar(kQuote);
    }
    pattern.AppendChar(text[i]);
  }
  if (hasLetter) {
    pattern.AppendChar(kQuote);
  }
}

// The pattern of one strftime conversion, or null when it has none; `padded` is false after the "-" flag.
const char* PatternOfConversion(char16_t conversion, bool padded) {
  switch (conversion) {
    case u'd':
      return padded ? "dd" : "d";
    case u'e':
      return "d";
    case u'm':
      return padded ? "MM" : "M";
    case u'y':
      return "yy";
    case u'Y':
      return "yyyy";
    case u'D':
      return "MM/dd/yy";
    case u'F':
      return "yyyy-MM-dd";
    case u'b':
    case u'h':
      return "MMM";
    case u'B':
      return "MMMM";
    case u'a':
      return "ddd";
    case u'A':
      return "dddd";
    case u'H':
      return padded ? "HH" : "H";
    case u'k':
      return "H";
    case u'I':
      return padded ? "hh" : "h";
    case u'l':
      return "h";
    case u'M':
      return padded ? "mm" : "m";
    case u'S':
      return padded ? "ss" : "s";
    case u'p':
    case u'P':
      return "tt";
    case u'T':
      return "HH:mm:ss";
    case u'R':
      return "HH:mm";
    case u'n':
    case u't':
      return " ";
    default:
      return nullptr;
  }
}

void AppendConverted(KString& pattern, const KString& format, const KString& amPmFormat, bool insideAmPm) {
  const int32_t length = format.Length();
  std::u16string literal;
  auto flushLiteral = [&] {
    AppendLiteral(pattern, literal.data(), static_cast<int32_t>(literal.size()));
    literal.clear();
  };
  for (int32_t i = 0; i < length; ++i) {
    if (format[i] != u'%') {
      literal += format[i];
      continue;
    }
    bool padded = true;
    // Flags and the E and O modifiers change nothing that a pattern can express, except "-" (no padding).
    while (i + 1 < length &&
           std::u16string_view(u"-_0^#EO").find(format[i + 1]) != std::u16string_view::npos) {
      padded = padded && format[i + 1] != u'-';
      ++i;
    }
    if (i + 1 >= length) {
      break;  // a lone "%" at the end
    }
    char16_t conversion = format[++i];
    if (conversion == u'%') {
      literal += u'%';
      continue;
    }
    flushLiteral();
    if (conversion == u'r') {
      // The 12-hour format must not lead back to itself.
      if (!insideAmPm) {
        AppendConverted(pattern, amPmFormat, amPmFormat, true);
      }
    } else if (const char* converted = PatternOfConversion(conversion, padded)) {
      pattern.Append(converted);
    }
  }
  flushLiteral();
}

// Appends the value with at least `digits` digits (zeros in front). 64 bits, so that negating any stored
// field cannot overflow.
void AppendNumber(KString& text, int64_t value, int32_t digits) {
  if (value < 0) {
    text.AppendChar(u'-');
    value = -value;
  }
  int64_t magnitude = 1;
  for (int32_t i = 1; i < digits; ++i) {
    magnitude *= 10;
    if (value < magnitude) {
      text.AppendChar(u'0');
    }
  }
  text.AppendInt(value);
}

// One entry of a name table, or nothing when the number is out of range (as in the zero value).
void AppendName(KString& text, const KString* names, int32_t count, int32_t index) {
  if (index >= 0 && index < count) {
    text.Append(names[index]);
  }
}

// Appends one run of a pattern letter (every letter of IsPatternLetter has its case).
void AppendField(KString& text, char16_t letter, int32_t run, const KDateTime& value, const KLocale& locale) {
  const int32_t digits = run > 1 ? 2 : 1;
  switch (letter) {
    case u'd':
      if (run <= 2) {
        AppendNumber(text, value.day, run);
      } else {
        AppendName(text, run == 3 ? locale.dayAbbreviations : locale.dayNames, 7, value.dayOfWeek);
      }
      break;
    case u'M':
      if (run <= 2) {
        AppendNumber(text, value.month, run);
      } else {
        AppendName(text, run == 3 ? locale.monthAbbreviations : locale.monthNames, 12, value.month - 1);
      }
      break;
    case u'y':
      if (run <= 2) {
        AppendNumber(text, value.year % 100, run);
      } else {
        AppendNumber(text, value.year, 4);
      }
      break;
    case u'h':
      AppendNumber(text, value.hour % 12 == 0 ? 12 : value.hour % 12, digits);
      break;
    case u'H':
      AppendNumber(text, value.hour, digits);
      break;
    case u'm':
      AppendNumber(text, value.minute, digits);
      break;
    case u's':
      AppendNumber(text, value.second, digits);
      break;
    case u't': {
      const KString& amPm = value.hour < 12 ? locale.amText : locale.pmText;
      text.Append(amPm.Data(), run == 1 ? std::min(amPm.Length(), 1) : amPm.Length());
      break;
    }
  }
}

}  // namespace

KString KDatePattern::FromStrftime(const KString& format, const KString& amPmFormat) {
  KString pattern;
  AppendConverted(pattern, format, amPmFormat, false);
  return pattern;
}

void KDatePattern::Append(KString& text, const KString& pattern, const KDateTime& value,
                          const KLocale& locale) {
  const int32_t length = pattern.Length();
  int32_t i = 0;
  while (i < length) {
    const char16_t letter = pattern[i];
    if (letter == kQuote) {
      if (i + 1 < length && pattern[i + 1] == kQuote) {
        text.AppendChar(kQuote);
        i += 2;
        continue;
      }
      // Quoted text up to the closing quote (or the end of the pattern); two quotes inside give one.
      for (++i; i < length; ++i) {
        if (pattern[i] != kQuote) {
          text.AppendChar(pattern[i]);
        } else if (i + 1 < length && pattern[i + 1] == kQuote) {
          text.AppendChar(kQuote);
          ++i;
        } else {
          break;
        }
      }
      ++i;
      continue;
    }
    int32_t run = 1;
    while (i + run < length && pattern[i + run] == letter) {
      ++run;
    }
    i += run;
    if (IsPatternLetter(letter)) {
      AppendField(text, letter, run, value, locale);
    } else {
      for (int32_t k = 0; k < run; ++k) {
        text.AppendChar(letter);
      }
    }
  }
}

KString KDatePattern::Separator(const KString& pattern, const char* fallback) {
  int32_t index = FirstUnquoted(pattern, [](char16_t c) { return !IsPatternLetter(c) && c != u' '; });
  return index >= 0 ? KString(pattern.Data() + index, 1) : KString(fallback);
}

bool KDatePattern::UsesTwelveHours(const KString& pattern) {
  return FirstUnquoted(pattern, [](char16_t c) { return c == u'h'; }) >= 0;
}
