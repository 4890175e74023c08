#include <gtest/gtest.h>

#include <functional>

#include "framework/core/tests/zafcoretestbed.h"
#include "framework/core/zafwindow.h"
#include "native/native.h"
#include "toolkit/kzgeomatt.h"
#include "toolkit/kzgeomdc.h"
#include "toolkit/kzgeomflags.h"
#include "toolkit/kzgeommgr.h"
#include "toolkit/kzgeomrc.h"

namespace {

ZafRegionStruct Pixels(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return {left, top, right, bottom, ZAF_PIXEL};
}

class KZGeomTest : public ZafCoreTest {
 protected:
  KZGeomTest() { ZafWindowObject::display = &screen; }
};

// Every flag word laid out in a real window, placed when the window appears and again after each native
// resize: the child's region is read back and compared with what the client area says it must be.
TEST_F(KZGeomTest, FlagWordsPlaceTheChildAfterEveryResize) {
  struct Case {
    const char* name;
    std::function<ZafConstraint*(ZafWindowObject* child, ZafWindowObject* sibling)> make;
    // The child's region for a client area `width` x `height` pixels.
    std::function<ZafRegionStruct(int32_t width, int32_t height)> expected;
  };
  // The child starts at (10, 10, 39, 19), the sibling stays at (50, 20, 89, 39).
  const Case cases[] = {
      {"flags 4: top below the sibling",
       [](auto* child, auto* sibling) { return new KZGeomAtt(child, sibling, KZGEOM_TOP, 0); },
       [](int32_t, int32_t) { return Pixels(10, 40, 39, 49); }},
      {"flags 20: top in line with the sibling",
       [](auto* child, auto* sibling) {
         return new KZGeomAtt(child, sibling, KZGEOM_TOP | KZGEOM_NOT_FACING, 0);
       },
       [](int32_t, int32_t) { return Pixels(10, 20, 39, 29); }},
      {"flags 2 + 32 to the parent: right edge stretched to 5 pixels in",
       [](auto* child, auto*) { return new KZGeomAtt(child, KZGEOM_RIGHT | KZGEOM_STRETCH, 5); },
       [](int32_t width, int32_t) { return Pixels(10, 10, width - 1 - 5, 19); }},
      {"width fixed at 20 by minimum 20, maximum -1",
       [](auto* child, auto*) { return new KZGeomDC(child, KZGEOM_WIDTH, 20, -1); },
       [](int32_t, int32_t) { return Pixels(10, 10, 29, 19); }},
      {"height wins over width; maximum 0 is unset",
       [](auto* child, auto*) { return new KZGeomDC(child, KZGEOM_WIDTH | KZGEOM_HEIGHT, 25, 0); },
       [](int32_t, int32_t) { return Pixels(10, 10, 39, 34); }},
      {"right at 100 percent stretched, edge offset -3",
       [](auto* child, auto*) { return new KZGeomRC(child, KZGEOM_RIGHT | KZGEOM_STRETCH, 100, -3); },
       [](int32_t width, int32_t) { return Pixels(10, 10, width - 3, 19); }},
      {"flags 40: bottom (over top and left) at 28 percent stretched, offset -2",
       [](auto* child, auto*) {
         return new KZGeomRC(child, KZGEOM_LEFT | KZGEOM_TOP | KZGEOM_BOTTOM | KZGEOM_STRETCH, 28, -2);
       },
       [](int32_t, int32_t height) { return Pixels(10, 10, 39, height * 28 / 100 - 2); }},
      {"flags 16: left at 25 percent from the right",
       [](auto* child, auto*) { return new KZGeomRC(child, KZGEOM_LEFT | KZGEOM_NOT_FACING, 25, 0); },
       [](int32_t width, int32_t) { return Pixels(width - width / 4, 10, width - width / 4 + 29, 19); }},
      {"flags 64: centred on half the height",
       [](auto* child, auto*) { return new KZGeomRC(child, KZGEOM_TOP | KZGEOM_CENTRE, 50, 0); },
       [](int32_t, int32_t height) { return Pixels(10, height / 2 - 5, 39, height / 2 + 4); }},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    auto* window = new ZafWindow(0, 0, 300, 200);
    window->SetCoordinateType(ZAF_PIXEL);
    auto* child = new ZafWindowObject(0, 0, 1, 1);
    auto* sibling = new ZafWindowObject(0, 0, 1, 1);
    for (ZafWindowObject* object : {child, sibling}) {
      object->SetCoordinateType(ZAF_PIXEL);
      window->Add(object);
    }
    child->SetRegion(Pixels(10, 10, 39, 19));
    sibling->SetRegion(Pixels(50, 20, 89, 39));
    auto* manager = new KZGeomMgr;
    window->Add(manager);
    ASSERT_NE(manager->AddConstraint(test.make(child, sibling)), nullptr);
    windows->Add(window);
    for (const auto& [width, height] : {std::pair{0, 0}, std::pair{420, 330}, std::pair{250, 180}}) {
      SCOPED_TRACE(width);
      if (width > 0) {
        native::MoveWindow(window->ScreenID(2), 20, 20, width, height, native::TRUE);
      }
      const ZafRegionStruct client = window->ClientRegion();
      EXPECT_EQ(child->Region(), test.expected(client.Width(), client.Height()));
      EXPECT_EQ(sibling->Region(), Pixels(50, 20, 89, 39));
    }
    windows->Subtract(window);
    delete window;
  }
}

TEST_F(KZGeomTest, CopiedRelativeConstraintKeepsItsEdgeOffset) {
  KZGeomRC original(nullptr, KZGEOM_RIGHT, 100, -3);
  std::unique_ptr<ZafConstraint> copy(original.Duplicate());
  auto* copied = dynamic_cast<KZGeomRC*>(copy.get());
  ASSERT_NE(copied, nullptr);
  EXPECT_EQ(copied->EdgeOffset(), -3);
  EXPECT_EQ(copied->Side(), ZAF_SIDE_RIGHT);
  EXPECT_EQ(copied->Value(), 100);
}

}  // namespace
