#include "devices/yhardwareview.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "devices/tests/fakeinterface.h"
#include "devices/yhardware.h"
#include "foundation/kmemorystream.h"
#include "foundation/kx.h"

namespace {

constexpr int32_t kCharacterWidth = 8;
using Edges = std::array<int32_t, YHardwareView::kEdgeCount>;

Edges Fitted(const YHardwareView& view) {
  Edges edges{};
  for (int32_t i = 0; i < YHardwareView::kEdgeCount; ++i) {
    edges[i] = view.FittedEdge(i);
  }
  return edges;
}

Edges Designed(const YHardwareView& view) {
  Edges edges{};
  for (int32_t i = 0; i < YHardwareView::kEdgeCount; ++i) {
    edges[i] = view.DesignedEdge(i);
  }
  return edges;
}

class RecordingClient : public YHardwareView::Client {
 public:
  void HardwareNotification(int32_t code) override { codes.push_back(code); }
  void ViewDestroyed() override { destroyed = true; }
  std::vector<int32_t> codes;
  bool destroyed = false;
};

TEST(YHardwareViewTest, DesignedColumnsAreMeasuredInCharacters) {
  const YHardwareView view(nullptr, kCharacterWidth);
  EXPECT_EQ(Designed(view), (Edges{0, 80, 112, 160, 216, 272, 320}));
  EXPECT_EQ(Fitted(view), (Edges{0, -1, -1, -1, -1, -1, -1}));
}

TEST(YHardwareViewTest, ColumnsAreFittedToTheWidth) {
  struct Case {
    const char* name;
    int32_t width;
    Edges expected;
  };
  const Case cases[] = {
      {"the designed width", 320, {0, 80, 112, 160, 216, 272, 320}},
      {"extra in fifths, the rest to column 1", 345, {0, 80, 117, 170, 231, 292, 345}},
      {"extra below five all to column 1", 323, {0, 80, 115, 163, 219, 275, 323}},
      {"deficit from the last column", 300, {0, 80, 112, 160, 216, 272, 300}},
      {"deficit across several columns", 200, {0, 80, 112, 160, 200, 200, 200}},
      {"negative width counts as 0", -5, {0, 0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    YHardwareView view(nullptr, kCharacterWidth);
    view.SetColumnWidth(0, c.width, false);
    EXPECT_EQ(Fitted(view), c.expected);
    EXPECT_EQ(Designed(view), (Edges{0, 80, 112, 160, 216, 272, 320}));
    YHardwareView kept(nullptr, kCharacterWidth);
    kept.SetColumnWidth(0, c.width, true);
    EXPECT_EQ(Designed(kept), c.expected);
  }
}

TEST(YHardwareViewTest, EdgeMovesAreClampedBetweenNeighboursAndUnfitTheColumns) {
  struct Case {
    int32_t edge;
    int32_t position;
    bool moved;
    int32_t expected;
  };
  const Case cases[] = {
      {2, 130, true, 130}, {2, 500, true, 160}, {2, 0, true, 80},    {2, 112, false, 112},
      {5, 400, true, 320}, {0, 50, false, 0},   {6, 50, false, 320},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.edge * 1000 + c.position);
    YHardwareView view(nullptr, kCharacterWidth);
    view.SetColumnWidth(0, 320, false);
    EXPECT_EQ(view.SetColumnEdge(0, c.edge, c.position), c.moved);
    EXPECT_EQ(view.DesignedEdge(c.edge), c.expected);
    EXPECT_EQ(view.FittedEdge(YHardwareView::kColumnCount), c.moved ? -1 : 320);
  }
}

TEST(YHardwareViewTest, RowsExistOnlyForDeviceInterfaces) {
  YHardware hardware(kCharacterWidth);
  YHardwareView& view = hardware.View();
  EXPECT_EQ(view.Owner(), &hardware);
  view.SetColumnWidth(0, 345, false);
  EXPECT_EQ(view.ColumnCount(0), 0);
  EXPECT_EQ(view.Column(0, 1), 0);
  EXPECT_EQ(view.ColumnWidth(0, 1), 0);

  hardware.AddInterface(std::make_unique<FakeInterface>(7));
  EXPECT_EQ(view.ColumnCount(0), 6);
  EXPECT_EQ(view.ColumnCount(1), 0);
  EXPECT_EQ(view.ColumnCount(-1), 0);
  EXPECT_EQ(view.Column(0, 1), 80);
  EXPECT_EQ(view.ColumnWidth(0, 1), 37);
  EXPECT_EQ(view.ColumnWidth(0, 5), 53);
  EXPECT_EQ(view.ColumnWidth(0, 6), 0);
}

TEST(YHardwareViewTest, NotificationsReachOnlyTheirRegisteredWindow) {
  RecordingClient list;
  RecordingClient align;
  RecordingClient bar;
  {
    YHardware hardware(kCharacterWidth);
    for (const int32_t code : {21, 22, 23, 24, 40, 41}) {
      hardware.Notify(code);  // nobody registered: nothing happens
    }
    hardware.View().SetHardwareWindow(&list);
    hardware.View().SetAlignWindow(&align);
    hardware.View().SetToolBar(&bar);
    for (const int32_t code : {21, 22, 23, 24, 40, 41, 0}) {
      hardware.Notify(code);
    }
    EXPECT_EQ(list.codes, (std::vector<int32_t>{23}));
    EXPECT_EQ(align.codes, (std::vector<int32_t>{21, 22, 24}));
    EXPECT_EQ(bar.codes, (std::vector<int32_t>{40}));
    EXPECT_FALSE(list.destroyed);
  }
  EXPECT_TRUE(list.destroyed);
  EXPECT_TRUE(align.destroyed);
  EXPECT_TRUE(bar.destroyed);
}

TEST(YHardwareViewTest, RecordRoundTripsAndRefusesOtherRecords) {
  YHardwareView view(nullptr, kCharacterWidth);
  view.SetId(42);
  view.SetSize1(3, -4);
  view.SetSize2(5, 6);
  view.SetColumnEdge(0, 3, 150);
  KMemoryStream stream;
  view.Write(stream);
  ASSERT_EQ(stream.Bytes().size(), 4u * 15);
  EXPECT_EQ(stream.Bytes()[0], 0x0E);
  EXPECT_EQ(stream.Bytes()[2], 0x02);

  YHardwareView copy(nullptr, 1);
  KMemoryStream reader(stream.Bytes());
  copy.Read(reader);
  EXPECT_EQ(copy.Id(), 42);
  EXPECT_EQ(copy.Size1(), (std::array<int32_t, 2>{3, -4}));
  EXPECT_EQ(copy.Size2(), (std::array<int32_t, 2>{5, 6}));
  EXPECT_EQ(Designed(copy), (Edges{0, 80, 112, 150, 216, 272, 320}));
  EXPECT_EQ(copy.FittedEdge(YHardwareView::kColumnCount), -1);

  struct Case {
    const char* name;
    size_t offset;  // the byte changed
    uint8_t value;
    size_t length;  // bytes kept
    int32_t code;
  };
  const Case cases[] = {
      {"another tag", 0, 0x0D, 60, 3009},
      {"edges going backwards", 4 * 10, 0xFF, 60, 3010},
      {"first edge below 0", 4 * 8 + 3, 0x80, 60, 3010},
      {"edges farther apart than any list is wide", 4 * 14 + 3, 0x7F, 60, 3010},
      {"cut short", 0, 0x0E, 58, 3004},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> bytes(stream.Bytes().begin(), stream.Bytes().begin() + c.length);
    bytes[c.offset] = c.value;
    YHardwareView target(nullptr, 1);
    KMemoryStream damaged(bytes);
    try {
      target.Read(damaged);
      ADD_FAILURE() << "read succeeded";
    } catch (const KX& failure) {
      EXPECT_EQ(failure.Code(), c.code);
    }
    EXPECT_EQ(Designed(target), (Edges{0, 10, 14, 20, 27, 34, 40}));
    EXPECT_EQ(target.Id(), -1);
  }
}

}  // namespace

namespace {

TEST(YHardwareViewFitTest, SameWidthAgainChangesNothingEvenWithKeep) {
  YHardwareView view(nullptr, kCharacterWidth);
  view.SetColumnWidth(0, 345, false);
  view.SetColumnWidth(0, 345, true);
  EXPECT_EQ(Designed(view), (Edges{0, 80, 112, 160, 216, 272, 320}));
  view.SetColumnWidth(0, 300, true);
  EXPECT_EQ(Designed(view), (Edges{0, 80, 112, 160, 216, 272, 300}));
}

}  // namespace

namespace {

// Fitting adds a width to the first edge; neither a stored record nor a huge width may overflow that.
TEST(YHardwareViewFitTest, WidestFitsStayInRangeAndReadBack) {
  YHardwareView source(nullptr, kCharacterWidth);
  KMemoryStream stream;
  source.Write(stream);
  std::vector<uint8_t> bytes = stream.Bytes();
  bytes[4 * 8] = 0xE8;  // first edge 1000, so that every edge lies past it
  bytes[4 * 8 + 1] = 0x03;
  for (int32_t edge = 1; edge < YHardwareView::kEdgeCount; ++edge) {
    bytes[4 * (8 + edge) + 1] += 4;  // each edge + 1024
  }
  YHardwareView view(nullptr, kCharacterWidth);
  KMemoryStream reader(bytes);
  view.Read(reader);
  ASSERT_EQ(view.DesignedEdge(0), 1000);

  struct Case {
    int32_t width;
    int32_t lastEdge;
  };
  const Case cases[] = {
      {INT32_MAX, 1000 + (1 << 24)},
      {(1 << 24) + 1, 1000 + (1 << 24)},
      {1 << 24, 1000 + (1 << 24)},
      {INT32_MIN, 1000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.width);
    YHardwareView kept(nullptr, kCharacterWidth);
    KMemoryStream again(bytes);
    kept.Read(again);
    kept.SetColumnWidth(0, c.width, true);
    EXPECT_EQ(kept.FittedEdge(YHardwareView::kColumnCount), c.lastEdge);
    EXPECT_EQ(kept.DesignedEdge(0), 1000);
    KMemoryStream written;
    kept.Write(written);
    YHardwareView copy(nullptr, 1);
    KMemoryStream back(written.Bytes());
    copy.Read(back);
    EXPECT_EQ(Designed(copy), Designed(kept));
  }
}

}  // namespace
