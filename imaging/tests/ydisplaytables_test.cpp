#include "imaging/ydisplaytables.h"

#include <gtest/gtest.h>

#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kx.h"

namespace {

using Factors = YDisplayTables::Factors;

YDisplayTables Identity(bool colour) {
  YDisplayTables tables;
  tables.Reset(colour);
  return tables;
}

}  // namespace

TEST(YDisplayTables, ResetGivesTheIdentityOverEveryLevel) {
  for (bool colour : {false, true}) {
    SCOPED_TRACE(colour ? "colour" : "gray");
    YDisplayTables tables;
    tables.Display().fill(0xEE);
    tables.Reset(colour);
    const int32_t top = YDisplayTables::TopLevel(colour);
    for (int32_t i = 0; i <= top; ++i) {
      ASSERT_EQ(tables.DisplayEntry(colour, i), i) << i;
    }
    // Entries past the colour levels hold nothing; levels outside the table read as 0.
    EXPECT_EQ(tables.DisplayEntry(colour, top + 1), 0);
    EXPECT_EQ(tables.DisplayEntry(colour, -1), 0);
  }
}

TEST(YDisplayTables, DrawingFollowsGainOffsetAndScale) {
  struct Case {
    const char* name;
    Factors factors;
    int32_t level;
    int32_t drawn;
  } cases[] = {
      {"plain", {}, 77, 77},
      {"full gain lifts everything to the top", {1.0, 0.0, 1.0}, 0, 255},
      {"negative gain", {-0.5, 0.0, 1.0}, 127, 0},
      {"negative gain, upper half", {-0.5, 0.0, 1.0}, 255, 127},
      {"offset -1 flattens to mid-level", {0.0, -1.0, 1.0}, 3, 127},
      {"offset -1 flattens the top too", {0.0, -1.0, 1.0}, 250, 127},
      {"offset -0.5 halves the contrast", {0.0, -0.5, 1.0}, 255, 191},
      {"scale 2 darkens", {0.0, 0.0, 2.0}, 128, 64},
      {"scale 0.5 brightens", {0.0, 0.0, 0.5}, 64, 127},
      {"offset 0.5 stretches the middle", {0.0, 0.5, 1.0}, 128, 128},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    YDisplayTables tables = Identity(false);
    tables.RebuildDrawing(false, c.factors);
    EXPECT_EQ(tables.DrawingEntry(false, c.level), c.drawn);
  }
}

TEST(YDisplayTables, OffsetOneHalfClipsTheOuterQuartersToTheEndEntries) {
  YDisplayTables tables = Identity(false);
  tables.SetDisplayEntry(false, 0, 17);
  tables.SetDisplayEntry(false, 255, 200);
  tables.RebuildDrawing(false, {0.0, 0.5, 1.0});
  for (int32_t i = 0; i <= 63; ++i) {
    ASSERT_EQ(tables.DrawingEntry(false, i), 17) << i;
  }
  for (int32_t i = 192; i <= 255; ++i) {
    ASSERT_EQ(tables.DrawingEntry(false, i), 200) << i;
  }
}

TEST(YDisplayTables, ColourDrawingEntriesAreMultipliersInThirtySeconds) {
  struct Case {
    const char* name;
    int32_t level;
    int32_t displayed;
    int32_t multiplier;
  } cases[] = {
      {"level 0 is always unit", 0, 50, 32},
      {"identity", 40, 40, 32},
      {"brightened", 10, 93, 93 * 32 / 10},
      {"darkened", 90, 45, 16},
      {"limited to a channel's full scale", 1, 93, 992},
      {"a damaged entry is limited too", 2, 0xFFFF, 992},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    YDisplayTables tables = Identity(true);
    tables.SetDisplayEntry(true, c.level, c.displayed);
    tables.RebuildDrawing(true, {});
    EXPECT_EQ(tables.DrawingEntry(true, c.level), c.multiplier);
  }
}

TEST(YDisplayTables, RecordFormRoundTripsByPixelDepth) {
  struct Case {
    int32_t bitsPerPixel;
    bool colour;
    size_t bytes;
  } cases[] = {{15, true, 256}, {8, false, 256}, {0, false, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bitsPerPixel);
    YDisplayTables written = Identity(c.colour);
    written.SetDisplayEntry(c.colour, 7, c.colour ? 0x1234 : 0xAB);
    KMemoryStream stream;
    written.Write(stream, c.bitsPerPixel);
    ASSERT_EQ(stream.Bytes().size(), c.bytes);
    KMemoryStream source(stream.Bytes());
    YDisplayTables read;
    read.Read(source, c.bitsPerPixel);
    if (c.bytes > 0) {
      EXPECT_EQ(read.Display(), written.Display());
    }
  }
}

TEST(YDisplayTables, AShortRecordIsRefused) {
  for (int32_t bitsPerPixel : {8, 15}) {
    SCOPED_TRACE(bitsPerPixel);
    KMemoryStream source(std::vector<uint8_t>(255, 1));
    YDisplayTables tables;
    EXPECT_THROW(tables.Read(source, bitsPerPixel), KXStream);
  }
}

TEST(YDisplayTables, PlainFactorsDrawEveryLevelAsItsDisplayEntry) {
  for (bool colour : {false, true}) {
    SCOPED_TRACE(colour ? "colour" : "gray");
    YDisplayTables tables = Identity(colour);
    tables.RebuildDrawing(colour, {});
    for (int32_t i = 1; i <= YDisplayTables::TopLevel(colour); ++i) {
      ASSERT_EQ(tables.DrawingEntry(colour, i), colour ? YDisplayTables::kUnitMultiplier : i) << i;
    }
  }
}
