#include "devices/csvfields.h"

#include "foundation/kbytetext.h"

namespace {

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}

}  // namespace

CsvFields::Result CsvFields::Split(const KString& line, std::vector<KString>& fields) {
  fields.clear();
  const int32_t length = line.Length();
  int32_t at = 0;
  for (;;) {
    while (at < length && IsBlank(line[at])) {
      ++at;
    }
    KString field;
    if (at < length && line[at] == u'"') {
      ++at;
      for (;;) {
        if (at >= length) {
          return kUnterminatedQuote;
        }
        if (line[at] == u'"') {
          if (at + 1 < length && line[at + 1] == u'"') {
            field.AppendChar(u'"');
            at += 2;
            continue;
          }
          ++at;
          break;
        }
        field.AppendChar(line[at++]);
      }
      while (at < length && IsBlank(line[at])) {
        ++at;
      }
      if (at < length && line[at] != u',') {
        return kTextAfterQuote;
      }
    } else {
      const int32_t first = at;
      while (at < length && line[at] != u',') {
        ++at;
      }
      field.Append(line.Data() + first, at - first);
      field.Trim();
    }
    fields.push_back(field);
    if (at >= length) {
      return kOk;
    }
    ++at;  // the comma
  }
}

const char* CsvFields::Describe(Result result) {
  switch (result) {
    case kOk:
      return "ok";
    case kUnterminatedQuote:
      return "a quoted field has no closing quote";
    case kTextAfterQuote:
      return "text follows a closing quote";
  }
  return "unknown";
}

KString CsvFields::Join(const std::vector<KString>& fields) {
  KString line;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) {
      line.AppendChar(u',');
    }
    AppendField(line, fields[i]);
  }
  return line;
}

void CsvFields::AppendField(KString& line, const KString& field) {
  KString clean(field.Length());
  for (int32_t i = 0; i < field.Length(); ++i) {
    clean.AppendChar(KIsControl(field[i]) ? u' ' : field[i]);
  }
  const int32_t length = clean.Length();
  bool quote = length > 0 && (IsBlank(clean[0]) || IsBlank(clean[length - 1]));
  for (int32_t i = 0; i < length && !quote; ++i) {
    quote = clean[i] == u',' || clean[i] == u'"';
  }
  if (!quote) {
    line.Append(clean);
    return;
  }
  line.AppendChar(u'"');
  for (int32_t i = 0; i < length; ++i) {
    if (clean[i] == u'"') {
      line.AppendChar(u'"');
    }
    line.AppendChar(clean[i]);
  }
  line.AppendChar(u'"');
}
