#include "devices/csvfields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Texts(const std::vector<KString>& fields) {
  std::vector<std::string> texts;
  for (const KString& field : fields) {
    texts.push_back(field.ToUtf8());
  }
  return texts;
}

TEST(CsvFields, SplitsPlainAndQuotedFields) {
  struct Case {
    const char16_t* line;
    std::vector<std::string> fields;
  } cases[] = {
      {u"1,2,3", {"1", "2", "3"}},
      {u"", {""}},
      {u",a,,b,", {"", "a", "", "b", ""}},
      {u"  1 , 2 ,3  ", {"1", "2", "3"}},
      {u"\"Smith, Jr.\",John", {"Smith, Jr.", "John"}},
      {u"\"say \"\"hi\"\"\",x", {"say \"hi\"", "x"}},
      {u" \" padded \" ,x", {" padded ", "x"}},
      {u"\"\",\"\"", {"", ""}},
      {u"5'10\",tall", {"5'10\"", "tall"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(KString(c.line).ToUtf8());
    std::vector<KString> fields;
    ASSERT_EQ(CsvFields::Split(KString(c.line), fields), CsvFields::kOk);
    EXPECT_EQ(Texts(fields), c.fields);
  }
}

TEST(CsvFields, RefusesBrokenQuotes) {
  struct Case {
    const char16_t* line;
    CsvFields::Result result;
  } cases[] = {
      {u"\"open", CsvFields::kUnterminatedQuote},
      {u"a,\"open, still open", CsvFields::kUnterminatedQuote},
      {u"\"closed\"x,y", CsvFields::kTextAfterQuote},
      {u"\"a\"\"", CsvFields::kUnterminatedQuote},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(KString(c.line).ToUtf8());
    std::vector<KString> fields;
    EXPECT_EQ(CsvFields::Split(KString(c.line), fields), c.result);
  }
}

TEST(CsvFields, JoinedFieldsSplitBackToThemselves) {
  const std::vector<KString> fields = {
      u"", u"plain", u"with, comma", u"\"quoted\"", u" blank ends ", u"O'Neil", u"\u00d8stberg \u0141ukasz"};
  std::vector<KString> back;
  ASSERT_EQ(CsvFields::Split(CsvFields::Join(fields), back), CsvFields::kOk);
  EXPECT_EQ(Texts(back), Texts(fields));
}

TEST(CsvFields, JoinKeepsOneRecordOnOneLine) {
  const KString line = CsvFields::Join({u"two\r\nlines", u"tab\there"});
  EXPECT_EQ(line.Find(u'\n'), -1);
  EXPECT_EQ(line.Find(u'\r'), -1);
  EXPECT_EQ(line.ToUtf8(), "two  lines,tab here");
}

}  // namespace
