#include "framework/core/zafregionlist.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/core/zafdisplay.h"
#include "testing/zaftestdisplay.h"

namespace {

struct Piece {
  uint32_t owner;
  ZafRegionStruct region;
  bool operator==(const Piece& other) const {
    return owner == other.owner && region.left == other.region.left && region.top == other.region.top &&
           region.right == other.region.right && region.bottom == other.region.bottom &&
           region.coordinateType == other.region.coordinateType;
  }
};

std::ostream& operator<<(std::ostream& out, const Piece& piece) {
  const ZafRegionStruct& r = piece.region;
  return out << piece.owner << ":(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ";"
             << r.coordinateType << ")";
}

std::vector<Piece> Pieces(const ZafRegionList& list) {
  std::vector<Piece> pieces;
  for (auto* element = list.First(); element; element = static_cast<ZafRegionElement*>(element->Next())) {
    pieces.push_back({element->owner, element->region});
  }
  return pieces;
}

TEST(RegionListSplit, HoleLeavesAboveBelowLeftRightInThatOrder) {
  ZafRegionList list;
  list.Add(new ZafRegionElement(7, 0, 0, 99, 99, ZAF_PIXEL));
  list.Split(1, {10, 10, 19, 19, ZAF_PIXEL}, false);
  const std::vector<Piece> expected = {
      {7, {0, 0, 99, 9, ZAF_PIXEL}},
      {7, {0, 20, 99, 99, ZAF_PIXEL}},
      {7, {0, 10, 9, 19, ZAF_PIXEL}},
      {7, {20, 10, 99, 19, ZAF_PIXEL}},
  };
  EXPECT_EQ(Pieces(list), expected);
}

TEST(RegionListSplit, CutCoveringEverythingEmptiesTheListOrKeepsAStrip) {
  struct Case {
    const char* name;
    bool keepStrip;
    std::vector<Piece> expected;
  } cases[] = {
      {"no strip", false, {}},
      {"strip", true, {{1, {0, 60, 99, 70, ZAF_PIXEL}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZafRegionList list;
    list.Add(new ZafRegionElement(7, 0, 0, 49, 49, ZAF_PIXEL));
    list.Add(new ZafRegionElement(8, 50, 0, 99, 49, ZAF_PIXEL));
    list.Split(1, {0, 0, 99, 50, ZAF_PIXEL}, c.keepStrip);
    EXPECT_EQ(Pieces(list), c.expected);
  }
}

TEST(RegionListSplit, StripIsOwnedByTheGivenHandleWhenNothingWasCutIntoPieces) {
  ZafRegionList list;
  list.Add(new ZafRegionElement(7, 0, 0, 9, 9, ZAF_PIXEL));
  list.Split(1, {0, 0, 9, 4, ZAF_PIXEL}, true);  // leaves (0,5,9,9) of owner 7
  EXPECT_EQ(Pieces(list), (std::vector<Piece>{{7, {0, 5, 9, 9, ZAF_PIXEL}}}));
  list.Split(1, {0, 5, 9, 9, ZAF_PIXEL}, true);  // swallows it whole
  EXPECT_EQ(Pieces(list), (std::vector<Piece>{{1, {0, 19, 9, 29, ZAF_PIXEL}}}));
}

TEST(RegionListSplit, CornerTouchCutsAndFarElementsStay) {
  ZafRegionList list;
  list.Add(new ZafRegionElement(7, 0, 0, 9, 9, ZAF_PIXEL));
  list.Add(new ZafRegionElement(8, 50, 50, 59, 59, ZAF_PIXEL));
  list.Split(1, {9, 9, 20, 20, ZAF_PIXEL}, true);
  const std::vector<Piece> expected = {
      {8, {50, 50, 59, 59, ZAF_PIXEL}},
      {7, {0, 0, 9, 8, ZAF_PIXEL}},
      {7, {0, 9, 8, 9, ZAF_PIXEL}},
  };
  EXPECT_EQ(Pieces(list), expected);
}

TEST(RegionListSplit, PiecesTakeTheCutsCoordinateType) {
  ZafTestDisplay display;  // 8 x 24 pixel cells
  ZafRegionList list;
  list.Add(new ZafRegionElement(7, 0, 0, 9, 0, ZAF_CELL));  // pixels (0,0,79,23)
  list.Split(1, {0, 0, 39, 23, ZAF_PIXEL}, false);
  EXPECT_EQ(Pieces(list), (std::vector<Piece>{{7, {40, 0, 79, 23, ZAF_PIXEL}}}));
}

}  // namespace
