#include "framework/core/zafgeometrymanager.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "framework/core/tests/zafcoretestbed.h"
#include "framework/core/zafattachment.h"
#include "framework/core/zafdimensionconstraint.h"
#include "framework/core/zafrelativeconstraint.h"
#include "framework/core/zafwindow.h"
#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafstorage.h"
#include "native/native.h"

namespace {

ZafRegionStruct Pixels(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return {left, top, right, bottom, ZAF_PIXEL};
}

// A window whose client area is (0, 0, 199, 99) in pixels, holding a child at (10, 10, 39, 19) and a
// sibling at (50, 20, 89, 39).
struct Layout {
  Layout() {
    window.SetCoordinateType(ZAF_PIXEL);
    for (auto* object : {child, sibling}) {
      object->SetCoordinateType(ZAF_PIXEL);
      window.Add(object);
    }
    child->SetStringID(u"child");
    sibling->SetStringID(u"sibling");
    child->SetRegion(Pixels(10, 10, 39, 19));
    sibling->SetRegion(Pixels(50, 20, 89, 39));
    window.Add(manager);
  }
  void Fit() { window.Event(ZafEventRecord(SizedEvent, 0)); }

  ZafWindow window{0, 0, 200, 100};
  ZafWindowObject* child = new ZafWindowObject(0, 0, 1, 1);
  ZafWindowObject* sibling = new ZafWindowObject(0, 0, 1, 1);
  ZafGeometryManager* manager = new ZafGeometryManager;
};

// The toolkit's relative constraint: a number of pixels added to the placed edge once the framework
// answers that it placed the object.
class EdgeOffsetConstraint : public ZafRelativeConstraint {
 public:
  EdgeOffsetConstraint(ZafWindowObject* object, int32_t side, int32_t value, int32_t edgeOffset)
      : ZafRelativeConstraint(object, side, value), edgeOffset(edgeOffset) {}
  ZafEventType Event(const ZafEventRecord& event) override {
    const ZafEventType answer = ZafRelativeConstraint::Event(event);
    answers.push_back(answer);
    if (answer == FitEvent && edgeOffset != 0) {
      ZafRegionStruct placed = Object()->Region();
      int32_t* edges[] = {&placed.left, &placed.top, &placed.right, &placed.bottom};
      *edges[Side()] += edgeOffset;
      Object()->SetRegion(placed);
    }
    return answer;
  }
  int32_t edgeOffset;
  std::vector<ZafEventType> answers;
};

using ConstraintMaker = std::function<ZafConstraint*(Layout&)>;

ZafConstraint* Attach(ZafWindowObject* object, ZafWindowObject* reference, int32_t side, int32_t offset,
                      bool facing, bool stretch) {
  auto* attachment = new ZafAttachment(object, reference, side, offset);
  attachment->SetFacing(facing);
  attachment->SetStretch(stretch);
  return attachment;
}

ZafConstraint* Relative(ZafWindowObject* object, int32_t side, int32_t value, bool fromStart, bool stretch,
                        bool centre) {
  auto* relative = new ZafRelativeConstraint(object, side, value);
  relative->SetFromStart(fromStart);
  relative->SetStretch(stretch);
  relative->SetCentre(centre);
  return relative;
}

TEST(GeometryConstraints, EachRulePlacesTheChildWhereItSays) {
  struct Case {
    const char* name;
    ConstraintMaker make;
    ZafRegionStruct expected;
  };
  const Case cases[] = {
      {"left to the parent, moved", [](Layout& l) { return Attach(l.child, nullptr, 0, 5, true, false); },
       Pixels(5, 10, 34, 19)},
      {"left to the parent, not facing: the same side",
       [](Layout& l) { return Attach(l.child, nullptr, 0, 5, false, false); }, Pixels(5, 10, 34, 19)},
      {"right to the parent, moved", [](Layout& l) { return Attach(l.child, nullptr, 2, 5, true, false); },
       Pixels(165, 10, 194, 19)},
      {"top to the parent, stretched", [](Layout& l) { return Attach(l.child, nullptr, 1, 3, true, true); },
       Pixels(10, 3, 39, 19)},
      {"bottom to the parent, stretched",
       [](Layout& l) { return Attach(l.child, nullptr, 3, 0, true, true); }, Pixels(10, 10, 39, 99)},
      {"left next to the sibling", [](Layout& l) { return Attach(l.child, l.sibling, 0, 2, true, false); },
       Pixels(92, 10, 121, 19)},
      {"right next to the sibling", [](Layout& l) { return Attach(l.child, l.sibling, 2, 2, true, false); },
       Pixels(18, 10, 47, 19)},
      {"top below the sibling (side flag 4)",
       [](Layout& l) { return Attach(l.child, l.sibling, 1, 0, true, false); }, Pixels(10, 40, 39, 49)},
      {"top in line with the sibling (flags 4 + 16)",
       [](Layout& l) { return Attach(l.child, l.sibling, 1, 0, false, false); }, Pixels(10, 20, 39, 29)},
      {"bottom in line with the sibling, stretched",
       [](Layout& l) { return Attach(l.child, l.sibling, 3, 0, false, true); }, Pixels(10, 10, 39, 39)},
      {"left stretched past the right edge leaves an empty object",
       [](Layout& l) { return Attach(l.child, l.sibling, 0, 0, true, true); }, Pixels(40, 10, 39, 19)},
      {"minimum width", [](Layout& l) { return new ZafDimensionConstraint(l.child, 0, 40, 0); },
       Pixels(10, 10, 49, 19)},
      {"maximum height", [](Layout& l) { return new ZafDimensionConstraint(l.child, 1, 0, 4); },
       Pixels(10, 10, 39, 13)},
      {"width fixed at 20 (minimum 20, maximum -1 taken as the minimum)",
       [](Layout& l) { return new ZafDimensionConstraint(l.child, 0, 20, 20); }, Pixels(10, 10, 29, 19)},
      {"unset limits change nothing", [](Layout& l) { return new ZafDimensionConstraint(l.child, 1, 0, 0); },
       Pixels(10, 10, 39, 19)},
      {"a minimum above the maximum wins",
       [](Layout& l) { return new ZafDimensionConstraint(l.child, 0, 50, 40); }, Pixels(10, 10, 59, 19)},
      {"left at 25 percent, moved", [](Layout& l) { return Relative(l.child, 0, 25, true, false, false); },
       Pixels(50, 10, 79, 19)},
      {"left at 25 percent from the right",
       [](Layout& l) { return Relative(l.child, 0, 25, false, false, false); }, Pixels(150, 10, 179, 19)},
      {"right at 100 percent, stretched",
       [](Layout& l) { return Relative(l.child, 2, 100, true, true, false); }, Pixels(10, 10, 200, 19)},
      {"bottom at 28 percent, stretched",
       [](Layout& l) { return Relative(l.child, 3, 28, true, true, false); }, Pixels(10, 10, 39, 28)},
      {"centred on half the width", [](Layout& l) { return Relative(l.child, 2, 50, true, true, true); },
       Pixels(85, 10, 114, 19)},
      {"centred on half the height", [](Layout& l) { return Relative(l.child, 1, 50, true, false, true); },
       Pixels(10, 45, 39, 54)},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    Layout layout;
    ZafConstraint* constraint = layout.manager->AddConstraint(test.make(layout));
    EXPECT_EQ(constraint->Event(ZafEventRecord(FitEvent, 0)), FitEvent);
    EXPECT_EQ(layout.child->Region(), test.expected);
    EXPECT_EQ(layout.sibling->Region(), Pixels(50, 20, 89, 39));
  }
}

class GeometryManagerTest : public ZafCoreTest {};

// A pane laid out as the program lays out its top pane: left and top at 0, the right edge at 100 percent
// less 3 pixels and the bottom edge at 28 percent less 2, kept as the window is resized natively.
TEST_F(GeometryManagerTest, PaneFollowsTheWindowWhenItIsResized) {
  auto* window = new ZafWindow(0, 0, 300, 200);
  window->SetCoordinateType(ZAF_PIXEL);
  auto* pane = new ZafWindowObject(7, 9, 20, 20);
  pane->SetCoordinateType(ZAF_PIXEL);
  window->Add(pane);
  auto* manager = new ZafGeometryManager;
  window->Add(manager);
  auto* bottom = new EdgeOffsetConstraint(pane, ZAF_SIDE_BOTTOM, 28, -2);
  bottom->SetStretch(true);
  auto* right = new EdgeOffsetConstraint(pane, ZAF_SIDE_RIGHT, 100, -3);
  right->SetStretch(true);
  manager->AddConstraint(bottom);
  manager->AddConstraint(right);
  manager->AddConstraint(new ZafRelativeConstraint(pane, ZAF_SIDE_TOP));
  manager->AddConstraint(new ZafRelativeConstraint(pane, ZAF_SIDE_LEFT));
  const auto expectPlaced = [&] {
    const ZafRegionStruct client = window->ClientRegion();
    EXPECT_EQ(pane->Region(), Pixels(0, 0, client.Width() - 3, client.Height() * 28 / 100 - 2));
  };
  windows->Add(window);
  ASSERT_EQ(window->GeometryManager(), manager);
  expectPlaced();

  for (const auto& [width, height] : {std::pair{400, 300}, std::pair{250, 180}}) {
    SCOPED_TRACE(width);
    bottom->answers.clear();
    native::MoveWindow(window->ScreenID(2), 20, 20, width, height, native::TRUE);
    EXPECT_EQ(bottom->answers, std::vector<ZafEventType>{FitEvent}) << "applied once per size change";
    expectPlaced();
  }
}

// A constraint that counts how often it is asked to place its object.
class CountedAttachment : public ZafAttachment {
 public:
  using ZafAttachment::ZafAttachment;
  ZafEventType Event(const ZafEventRecord& event) override {
    answers.push_back(ZafAttachment::Event(event));
    return answers.back();
  }
  std::vector<ZafEventType> answers;
};

TEST(GeometryConstraints, ConstraintsThatCannotApplyAreSkippedAndLoopsSettleInOnePass) {
  struct Case {
    const char* name;
    // Answers an object it took out of the window, to be deleted after the placement.
    std::function<ZafWindowObject*(Layout&)> breakIt;
    ZafEventType childAnswer;
  };
  const Case cases[] = {
      {"all in place", [](Layout&) { return nullptr; }, FitEvent},
      {"the reference deleted",
       [](Layout& l) {
         delete l.sibling;
         return nullptr;
       },
       0},
      {"the reference taken out of the window", [](Layout& l) { return l.window.Subtract(l.sibling); }, 0},
      {"the object deleted",
       [](Layout& l) {
         delete l.child;
         l.child = nullptr;
         return nullptr;
       },
       0},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    Layout layout;
    // The child sits right of the sibling and the sibling right of the child: a loop.
    auto* childNextToSibling = new CountedAttachment(layout.child, layout.sibling, ZAF_SIDE_LEFT, 0);
    auto* siblingNextToChild = new CountedAttachment(layout.sibling, layout.child, ZAF_SIDE_LEFT, 0);
    layout.manager->AddConstraint(childNextToSibling);
    layout.manager->AddConstraint(siblingNextToChild);
    const std::unique_ptr<ZafWindowObject> outside(test.breakIt(layout));
    layout.Fit();
    const bool childThere = layout.child != nullptr;
    EXPECT_EQ(childNextToSibling->answers.size(), childThere ? 1u : 0u);
    if (childThere) {
      EXPECT_EQ(childNextToSibling->answers.front(), test.childAnswer);
    }
  }
}

TEST(GeometryConstraints, LoopOfSiblingsIsPlacedOnceInTheOrderAdded) {
  Layout layout;
  layout.manager->AddConstraint(new ZafAttachment(layout.child, layout.sibling, ZAF_SIDE_LEFT, 0));
  layout.manager->AddConstraint(new ZafAttachment(layout.sibling, layout.child, ZAF_SIDE_LEFT, 0));
  layout.Fit();
  EXPECT_EQ(layout.child->Region(), Pixels(90, 10, 119, 19));
  EXPECT_EQ(layout.sibling->Region(), Pixels(120, 20, 159, 39));

  // Taken out, the constraint is the caller's again and no longer applied.
  auto* second = static_cast<ZafConstraint*>(layout.manager->FirstConstraint()->Next());
  ASSERT_EQ(layout.manager->SubtractConstraint(second), second);
  std::unique_ptr<ZafConstraint> owned(second);
  EXPECT_EQ(layout.manager->ConstraintCount(), 1);
  layout.Fit();
  EXPECT_EQ(layout.child->Region(), Pixels(160, 10, 189, 19));
  EXPECT_EQ(layout.sibling->Region(), Pixels(120, 20, 159, 39));
}

class GeometryStorageTest : public ZafCoreTest {
 protected:
  TemporaryFolder folder;
  ZafStorage storage{folder.Path("layout").c_str(), ZAF_STORAGE_CREATE};
  ZafObjectPersistence persistence{&storage};
};

// A stored window and a copied window both get constraints that place their own children alike.
TEST_F(GeometryStorageTest, ConstraintsComeBackWithTheirWindowStoredOrCopied) {
  Layout layout;
  layout.window.SetStringID(u"panes");
  auto* unnamed = new ZafWindowObject(0, 0, 1, 1);
  unnamed->SetCoordinateType(ZAF_PIXEL);
  unnamed->SetNumberID(9);
  layout.window.Add(unnamed);
  ZafGeometryManager& manager = *layout.manager;
  manager.AddConstraint(Attach(layout.child, layout.sibling, ZAF_SIDE_TOP, 4, false, true));
  manager.AddConstraint(new ZafDimensionConstraint(layout.child, ZAF_DIMENSION_HEIGHT, 12, 30));
  manager.AddConstraint(Relative(layout.sibling, ZAF_SIDE_RIGHT, 75, false, true, false));
  manager.AddConstraint(Relative(unnamed, ZAF_SIDE_TOP, 50, true, false, true));
  manager.AddConstraint(Attach(unnamed, nullptr, ZAF_SIDE_RIGHT, 6, true, false));
  ASSERT_EQ(layout.window.Write(persistence), ZAF_ERROR_NONE);

  ZafWindow stored(u"panes", persistence);
  ASSERT_EQ(stored.Error(), ZAF_ERROR_NONE);
  ZafWindow copied(layout.window);
  layout.Fit();
  for (ZafWindow* again : {&stored, &copied}) {
    SCOPED_TRACE(again == &stored ? "stored" : "copied");
    ASSERT_NE(again->GeometryManager(), nullptr);
    EXPECT_EQ(again->GeometryManager()->ConstraintCount(), manager.ConstraintCount());
    again->Event(ZafEventRecord(SizedEvent, 0));
    for (const ZafIChar* name : {u"child", u"sibling", u"FIELD_9"}) {
      ZafWindowObject* original = layout.window.FindObjectByName(name);
      ZafWindowObject* read = again->FindObjectByName(name);
      ASSERT_NE(read, nullptr);
      EXPECT_EQ(read->Region(), original->Region());
    }
  }
}

}  // namespace
