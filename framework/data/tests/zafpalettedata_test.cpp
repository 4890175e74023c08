#include "framework/data/zafpalettedata.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafdatapersistence.h"
#include "framework/data/zafstorage.h"

namespace {

ZafPaletteStruct Colors(uint8_t foreground, uint8_t background) {
  ZafPaletteStruct palette;
  palette.lineStyle = 0;
  palette.fillPattern = 0;
  palette.colorForeground = foreground;
  palette.colorBackground = background;
  palette.font = 1;
  palette.osForeground = 0x112233;
  palette.osBackground = 0x445566;
  return palette;
}

// The (type, state) pairs of a map's rows, end row included.
std::vector<std::pair<int, int>> Keys(const ZafPaletteData& data) {
  std::vector<std::pair<int, int>> keys;
  for (int index = 0; index < data.RowCount(); ++index) {
    keys.emplace_back(data.Table()[index].type, data.Table()[index].state);
  }
  return keys;
}

const ZafPaletteMap kStaticTable[] = {
    {2, 1, Colors(1, 2)},
    {2, 0, Colors(3, 4)},
    {8, 0, Colors(5, 6)},
    {ZAF_PM_END, 0, {}},
};

TEST(ZafPaletteData, LookupWalksToTheEndRow) {
  EXPECT_EQ(ZafPaletteData().GetPalette(2, 1), ZafPaletteStruct{});
  ZafPaletteData data(kStaticTable, true);
  EXPECT_EQ(data.RowCount(), 4);
  EXPECT_EQ(data.GetPalette(2, 1), Colors(1, 2));
  EXPECT_EQ(data.GetPalette(8, 0), Colors(5, 6));
  EXPECT_EQ(data.GetPalette(8, 1), ZafPaletteStruct{});

  const ZafPaletteMap withDefault[] = {{2, 1, Colors(1, 2)}, {ZAF_PM_ANY_TYPE, 0, Colors(9, 9)}};
  ZafPaletteData defaults(withDefault, true);
  EXPECT_EQ(defaults.RowCount(), 2);
  EXPECT_EQ(defaults.GetPalette(ZAF_PM_ANY_TYPE, 0), Colors(9, 9)) << "the end row is compared";
  EXPECT_EQ(defaults.GetPalette(4, 0), ZafPaletteStruct{});
}

TEST(ZafPaletteData, NewRowsGoInTheirPlaces) {
  ZafPaletteData data(kStaticTable, false);
  data.SetPalette(2, 4, Colors(7, 7));   // a new state goes before the type's state-0 row
  data.SetPalette(16, 1, Colors(8, 8));  // a new type goes last
  data.SetPalette(8, 2, Colors(9, 9));
  data.SetPalette(2, 1, Colors(0, 0));  // an entry that exists is replaced
  EXPECT_EQ(Keys(data), (std::vector<std::pair<int, int>>{
                            {2, 1}, {2, 4}, {2, 0}, {8, 2}, {8, 0}, {16, 1}, {ZAF_PM_END, 0}}));
  EXPECT_EQ(data.GetPalette(2, 1), Colors(0, 0));

  ZafPaletteStruct unset;
  unset.lineStyle = 3;  // the line style is not looked at
  data.SetPalette(2, 4, unset);
  EXPECT_EQ(data.RowCount(), 6) << "an unset palette removes its row";
  data.SetPalette(40, 1, unset);
  EXPECT_EQ(data.RowCount(), 6) << "removing an absent entry leaves the count";
  EXPECT_EQ(data.GetPalette(2, 4), ZafPaletteStruct{});
}

TEST(ZafPaletteData, StaticTableIsCopiedOnTheFirstChange) {
  ZafPaletteData data(kStaticTable, true);
  EXPECT_EQ(data.Table(), kStaticTable);
  ZafPaletteData shared(data);
  EXPECT_EQ(shared.Table(), kStaticTable) << "a copy shares a static table";
  data.SetPalette(2, 1, Colors(42, 43));
  EXPECT_NE(data.Table(), kStaticTable);
  EXPECT_FALSE(data.StaticTable());
  EXPECT_EQ(kStaticTable[0].palette, Colors(1, 2)) << "the static table is untouched";
  EXPECT_EQ(data.RowCount(), 4);
  EXPECT_EQ(shared.SetStaticTable(false), false);
  EXPECT_NE(shared.Table(), kStaticTable);
  EXPECT_EQ(shared.GetPalette(8, 0), Colors(5, 6));
  shared.Clear();
  EXPECT_EQ(shared.GetPalette(8, 0), ZafPaletteStruct{});
}

TEST(ZafPaletteData, RoundTripsWithoutNativeColours) {
  TemporaryFolder folder;
  ZafStorage storage(folder.Path("palettes").c_str(), ZAF_STORAGE_CREATE);
  ZafDataPersistence persistence(&storage);
  ZafPaletteData data(kStaticTable, false);
  data.SetStringID(u"buttons");
  EXPECT_EQ(data.Write(persistence), 0);
  persistence.PopLevel();
  ZafFile* stored = storage.Open(u"~ZafPaletteData~buttons~objectData", ZAF_FILE_READ, nullptr, 0);
  EXPECT_EQ(stored->Length(), 4 + 4 * 11);
  storage.Close(stored);

  ZafPaletteData back(u"buttons", persistence);
  EXPECT_EQ(back.Error(), 0);
  ASSERT_EQ(back.RowCount(), 4);
  for (int index = 0; index < 4; ++index) {
    SCOPED_TRACE(index);
    ZafPaletteStruct expected = kStaticTable[index].palette;
    expected.osForeground = ZAF_OS_COLOR_NOT_SET;
    expected.osBackground = ZAF_OS_COLOR_NOT_SET;
    EXPECT_EQ(back.Table()[index].type, kStaticTable[index].type);
    EXPECT_EQ(back.Table()[index].palette, expected);
  }
}

TEST(ZafPaletteData, BadRowCountsAreRefused) {
  TemporaryFolder folder;
  ZafStorage storage(folder.Path("bad").c_str(), ZAF_STORAGE_CREATE);
  ZafDataPersistence persistence(&storage);
  struct Case {
    const char* what;
    int32_t count;
    int rowBytes;
    ZafError error;
    int rows;
  } cases[] = {
      {"negative", -1, 11, ZAF_ERROR_READ, 0},
      {"more rows than bytes", 1000000, 22, ZAF_ERROR_READ, 0},
      {"huge", 0x7FFFFFFF, 0, ZAF_ERROR_READ, 0},
      {"no end row gets one", 1, 11, ZAF_ERROR_NONE, 2},
  };
  const uint8_t row[22] = {2, 0, 1, 0, 0, 0, 4, 5, 254, 254, 1, 2, 0, 1, 0, 0, 0, 4, 5, 254, 254, 1};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    persistence.PushLevel(u"ZafPaletteData", ID_ZAF_PALETTE_DATA, ZAF_STORAGE_TYPE_NAMED);
    ASSERT_EQ(persistence.CurrentFile(u"bad", ZAF_PERSIST_WRITE), 0);
    persistence.File()->WriteInt32(c.count);
    persistence.File()->WriteArray(row, 1, c.rowBytes);
    persistence.PopLevel();
    ZafPaletteData bad(u"bad", persistence);
    EXPECT_EQ(bad.Error(), c.error);
    EXPECT_EQ(bad.RowCount(), c.rows);
  }
}

}  // namespace
