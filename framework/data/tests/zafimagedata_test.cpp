#include "framework/data/zafimagedata.h"

#include <gtest/gtest.h>

#include "framework/data/zafbitmapdata.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zaficondata.h"

namespace {

constexpr uint8_t kPixels[6] = {1, 2, 3, 4, 5, ZAF_TRANSPARENT_PIXEL};

TEST(ZafImageData, StaticPixelsAreSharedOthersCopied) {
  ZafImageData shared(3, 2, kPixels, true);
  EXPECT_EQ(shared.Pixels(), kPixels);
  EXPECT_TRUE(shared.StaticPixels());
  ZafImageData sharedCopy(shared);
  EXPECT_EQ(sharedCopy.Pixels(), kPixels);

  ZafImageData own(3, 2, kPixels);
  EXPECT_NE(own.Pixels(), kPixels);
  EXPECT_FALSE(own.StaticPixels());
  EXPECT_TRUE(std::equal(kPixels, kPixels + 6, own.Pixels()));
  ZafImageData ownCopy(own);
  EXPECT_NE(ownCopy.Pixels(), own.Pixels());
  EXPECT_TRUE(std::equal(kPixels, kPixels + 6, ownCopy.Pixels()));
}

TEST(ZafImageData, SetImageKeepsItsOwnArrayAndNotifies) {
  ZafImageData image(3, 2, kPixels);
  ZafElement observer;
  static int changes;
  changes = 0;
  image.Add(
      &observer, [](ZafElement*, ZafUpdateType) -> ZafLong { return ++changes; }, ZAF_UPDATE_ALL);
  const uint8_t* own = image.Pixels();
  image.SetImage(2, 3, own);
  EXPECT_EQ(image.Pixels(), own) << "its own array is not copied onto itself";
  EXPECT_EQ(image.Width(), 2);
  image.SetImage(4, 4, own);
  EXPECT_EQ(image.Width(), 2) << "its own array cannot take more pixels than it holds";
  image.SetImage(-1, 5, nullptr);
  EXPECT_EQ(image.Width(), 0);
  EXPECT_EQ(image.Pixels(), nullptr);
  EXPECT_EQ(changes, 2);
}

TEST(ZafBitmapData, FromStructSharesStaticPixelsWithoutHandles) {
  ZafBitmapStruct description;
  int handle = 0;
  description.bitmap = &handle;
  ZafBitmapStruct::Set(description, 3, 2, kPixels, true);
  EXPECT_EQ(description.bitmap, nullptr);
  std::unique_ptr<ZafBitmapData> bitmap(ZafBitmapData::ZafBitmapDataFromStruct(description));
  EXPECT_EQ(bitmap->Pixels(), kPixels);
  EXPECT_EQ(bitmap->Width(), 3);
  EXPECT_EQ(bitmap->Bitmap(), nullptr);
  EXPECT_EQ(bitmap->Mask(), nullptr);
  EXPECT_TRUE(bitmap->IsA(ID_ZAF_BITMAP_DATA));
  EXPECT_TRUE(bitmap->IsA(ID_ZAF_IMAGE_DATA));
  EXPECT_TRUE(bitmap->IsAName(u"ZafImageData"));

  bitmap->SetNativeHandles(&handle, &handle, false);
  std::unique_ptr<ZafData> copy(bitmap->Duplicate());
  EXPECT_EQ(static_cast<ZafBitmapData*>(copy.get())->Bitmap(), nullptr) << "a copy gets handles of its own";
}

TEST(ZafIconData, FromStructTakesSizeAndPixels) {
  ZafIconStruct description{3, 2, kPixels, true, nullptr, false};
  ZafIconData icon(description);
  EXPECT_EQ(icon.Pixels(), kPixels);
  EXPECT_EQ(icon.Height(), 2);
  EXPECT_TRUE(icon.IsA(ID_ZAF_ICON_DATA));
  EXPECT_EQ(std::u16string(icon.ClassName()), u"ZafIconData");
}

}  // namespace
