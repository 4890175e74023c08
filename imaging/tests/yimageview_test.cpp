#include "imaging/yimageview.h"

#include <gtest/gtest.h>

#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kx.h"
#include "imaging/yimage.h"

namespace {

YImageView& SampleView(YImage& image) {
  YImageView& view = *image.View(3, true);
  view.SetOriginPair(KPoint(-4, 8));
  view.Zoom().Set(1, 4, false);
  view.SetOrigin(KPoint(120, 33));
  view.SetFlag(true);
  view.SetMarks(KRect(10, 20, 30, 40));
  view.SetObject(KRect(1, 1, 9, 9), true);
  return view;
}

}  // namespace

TEST(YImageView, RecordRoundTrip) {
  YImage image;
  YImageView& view = SampleView(image);
  KMemoryStream stream;
  view.Write(stream);
  YImageView read(&image, -1);
  read.Read(stream);
  EXPECT_TRUE(read.SameState(view));
  EXPECT_EQ(read.Id(), 3);
  EXPECT_EQ(stream.Remaining(), 0);
}

TEST(YImageView, OlderRecordsTakeFlagsOneAndTheImagePosition) {
  YImage image;
  KMemoryStream full;
  SampleView(image).Write(full);
  // The older record is the same without its last two words.
  std::vector<uint8_t> bytes = full.Bytes();
  bytes.resize(bytes.size() - 8);
  bytes[0] = 0x0B;
  KMemoryStream older(bytes);
  YImageView read(&image, -1);
  read.Read(older);
  EXPECT_EQ(read.Flags(), 1u);
  EXPECT_EQ(read.Id(), 0);
  EXPECT_TRUE(read.PositionShown());
  EXPECT_EQ(read.Zoom().XDenominator(), 4);
  EXPECT_EQ(older.Remaining(), 0);
}

TEST(YImageView, OtherVersionsAreRefused) {
  for (uint32_t version : {0x2000Au, 0x2000Du, 0x20009u}) {
    SCOPED_TRACE(version);
    KMemoryStream stream;
    stream.WriteUInt32(version);
    YImageView view(nullptr, 1);
    try {
      view.Read(stream);
      ADD_FAILURE() << "read was accepted";
    } catch (const KX& failure) {
      EXPECT_EQ(failure.Code(), kErrFileVersion);
    }
  }
}

TEST(YImageView, MatchAsksTheZoomFirstAndNumberedViewsGetFreshZoomIds) {
  KMessageObject root(nullptr, 40);
  YImage image(&root, 1);
  YImageView* view = image.View(2, true);
  EXPECT_EQ(view->Zoom().Id(), 41);
  EXPECT_EQ(image.View(5, true)->Zoom().Id(), 42);
  EXPECT_EQ(view->Match(41), &view->Zoom());
  EXPECT_EQ(view->Match(2), view);
  EXPECT_EQ(image.Match(41), &view->Zoom());
  EXPECT_EQ(image.View(2, false), view);
  EXPECT_EQ(image.View(7, false), nullptr);
  EXPECT_EQ(view->Image(), &image);
}
