#include "framework/data/zafformatdata.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafdatapersistence.h"
#include "framework/data/zafprintf.h"
#include "framework/data/zafscanf.h"
#include "framework/data/zafstorage.h"

namespace {

// A format data object holding a number, with a conversion of its own that no other test uses: printed as
// the number in brackets, scanned as decimal digits.
constexpr ZafIChar kConversion = u'\u00B5';

class NumberData : public ZafFormatData {
 public:
  NumberData() = default;
  NumberData(const ZafIChar* name, ZafDataPersistence& persistence) : ZafFormatData(name, persistence) {}
  ZafData* Duplicate() override { return new NumberData(*this); }
  void Clear() override { value = 0; }
  int value = 0;
};

void PrintNumber(va_list* arguments, ZafPrintfOutput& output, ZafIChar, int flags, int, int) {
  ASSERT_TRUE(flags & ZAF_PRINTF_DATA_OBJECT);
  const auto* data = dynamic_cast<const NumberData*>(va_arg(*arguments, const ZafData*));
  const std::string text = "[" + std::to_string(data ? data->value : -1) + "]";
  output.Put(std::u16string(text.begin(), text.end()));
}

int ScanNumber(va_list* arguments, const ZafIChar** input, ZafIChar, int flags, int, const ZafIChar**) {
  auto* data = dynamic_cast<NumberData*>(va_arg(*arguments, ZafData*));
  if (!(flags & ZAF_SCANF_DATA_OBJECT) || !data || **input < u'0' || **input > u'9') {
    return -1;
  }
  data->value = 0;
  for (; **input >= u'0' && **input <= u'9'; ++*input) {
    data->value = data->value * 10 + (**input - u'0');
  }
  return 1;
}

class ZafFormatDataTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ZafSPrintfAddConversion(kConversion, PrintNumber);
    ZafSScanfAddConversion(kConversion, ScanNumber);
  }
};

TEST_F(ZafFormatDataTest, FormatsThroughItsConversionWithinTheBuffer) {
  NumberData data;
  data.value = 42;
  data.SetFormat(u"n=%\u00B5.");
  struct Case {
    const char16_t* format;
    int maximum;
    int length;
    const char16_t* text;
  } cases[] = {
      {nullptr, 20, 7, u"n=[42]."},  // the object's own format
      {u"%\u00B5", 4, 4, u"[42]"},   // exactly fits
      {u"%\u00B5", 3, 0, u""},       // would not fit: nothing kept
      {u"plain text", 20, 10, u"plain text"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.maximum);
    ZafIChar buffer[32];
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    EXPECT_EQ(data.FormattedText(buffer, c.maximum, c.format), c.length);
    EXPECT_EQ(std::u16string(buffer), c.text);
    EXPECT_EQ(buffer[c.maximum + 1], u'#') << "nothing written past the buffer";
  }
  EXPECT_EQ(ZafDataObjectFormat(u"a%%b"), u"a%Z%b");
}

TEST_F(ZafFormatDataTest, ScansWithEachInputFormatUntilOneAssigns) {
  NumberData data;
  data.AddFormat(u"x=%\u00B5");
  data.AddFormat(u"y=%\u00B5");
  ZafElement observer;
  static int changes;
  changes = 0;
  data.Add(
      &observer, [](ZafElement*, ZafUpdateType) -> ZafLong { return ++changes; }, ZAF_UPDATE_ALL);
  EXPECT_TRUE(data.ScanText(u"y=17", nullptr));
  EXPECT_EQ(data.value, 17);
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(data.ScanText(u"z=3", nullptr));
  EXPECT_EQ(data.value, 17);
  EXPECT_EQ(changes, 1) << "nothing assigned, nobody told";
  EXPECT_TRUE(data.ScanText(u"<5>", u"<%\u00B5>"));
  EXPECT_EQ(data.value, 5);
}

TEST_F(ZafFormatDataTest, FormatsRoundTripThroughStorage) {
  TemporaryFolder folder;
  ZafStorage storage(folder.Path("formats").c_str(), ZAF_STORAGE_CREATE);
  ZafDataPersistence persistence(&storage);
  NumberData data;
  data.SetStringID(u"amount");
  data.SetFormat(u"%\u00B5 units");
  data.AddFormat(u"%\u00B5");
  data.AddFormat(u"\u0416%\u00B5");
  EXPECT_EQ(data.Write(persistence), 0);
  persistence.PopLevel();

  persistence.PushLevel(u"ZafFormatData", ID_ZAF_FORMAT_DATA, ZAF_STORAGE_TYPE_DATA);
  ASSERT_EQ(persistence.CurrentFile(u"amount", ZAF_PERSIST_READ), 0);
  NumberData back(u"amount", persistence);
  persistence.PopLevel();
  EXPECT_EQ(back.Error(), 0);
  EXPECT_EQ(std::u16string(back.Format()), u"%\u00B5 units");
  EXPECT_EQ(back.FormatList(), data.FormatList());
}

TEST_F(ZafFormatDataTest, AFormatCountBeyondTheFileIsRefused) {
  TemporaryFolder folder;
  ZafStorage storage(folder.Path("bad").c_str(), ZAF_STORAGE_CREATE);
  ZafFile* file = storage.Open(u"amount", ZAF_STORAGE_OBJECT_CREATE | ZAF_FILE_READWRITE, u"ZafFormatData",
                               ID_ZAF_FORMAT_DATA);
  file->WriteString(u"%\u00B5");
  file->WriteUInt16(60000);
  file->WriteString(u"%\u00B5");
  storage.Close(file);
  ZafDataPersistence persistence(&storage);
  persistence.PushLevel(u"ZafFormatData", ID_ZAF_FORMAT_DATA, ZAF_STORAGE_TYPE_DATA);
  ASSERT_EQ(persistence.CurrentFile(u"amount", ZAF_PERSIST_READ), 0);
  NumberData back(u"amount", persistence);
  persistence.PopLevel();
  EXPECT_EQ(back.Error(), ZAF_ERROR_READ);
  EXPECT_TRUE(back.FormatList().empty());
}

}  // namespace
