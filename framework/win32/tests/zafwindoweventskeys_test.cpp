#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/zafwindow.h"
#include "framework/win32/zafwindowkeys.h"
#include "native/native.h"

namespace {

// A window object in pixels that logs its name for each event it is offered and answers a chosen reply.
class Offered : public ZafWindowObject {
 public:
  Offered(std::string name, std::vector<std::string>* log, bool support = false)
      : ZafWindowObject(0, 0, 1, 1), name(std::move(name)), log(log) {
    supportObject = support;
  }
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type != HotKeyEvent) {
      return ZafWindowObject::Event(event);
    }
    log->push_back(name);
    return answer;
  }
  void Place(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    SetRegion({left, top, right, bottom, ZAF_PIXEL});
  }
  std::string name;
  std::vector<std::string>* log;
  ZafEventType answer = UnknownEventResult;
};

class WindowKeysTest : public testing::Test {
 protected:
  Offered* Child(const std::string& name) {
    return static_cast<Offered*>(window.Add(new Offered(name, &log)));
  }
  Offered* Support(const std::string& name) {
    return static_cast<Offered*>(window.Add(new Offered(name, &log, true)));
  }
  static std::string NameOf(const ZafWindowObject* object) {
    return object ? static_cast<const Offered*>(object)->name : "none";
  }

  ZafWindow window{0, 0, 10, 10};
  std::vector<std::string> log;
};

TEST_F(WindowKeysTest, TabWrapsAtTheEndsAndSkipsChildrenThatMayNotTakeTheFocus) {
  Offered* first = Child("first");
  Child("disabled")->SetDisabled(true);
  Child("non-current")->SetNonCurrent(true);
  Offered* last = Child("last");
  struct Case {
    Offered* current;
    bool backward;
    std::string expected;
  };
  const Case cases[] = {
      {first, false, "last"}, {last, false, "first"},    {first, true, "last"},
      {last, true, "first"},  {nullptr, false, "first"}, {nullptr, true, "last"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(NameOf(c.current) + (c.backward ? " backward" : " forward"));
    window.SetCurrent(c.current);
    EXPECT_EQ(NameOf(ZafWindowKeys::TabTarget(window, c.backward)), c.expected);
  }
}

TEST_F(WindowKeysTest, TabStaysOnTheOnlyEligibleChildAndFindsNoneInADisabledWindow) {
  Offered* only = Child("only");
  Child("disabled")->SetDisabled(true);
  window.SetCurrent(only);
  EXPECT_EQ(ZafWindowKeys::TabTarget(window, false), only);
  window.SetDisabled(true);
  EXPECT_EQ(ZafWindowKeys::TabTarget(window, false), nullptr) << "disabled through the parent";
}

TEST_F(WindowKeysTest, TabMovesNothingFromASupportObject) {
  Child("child");
  Offered* bar = Support("bar");
  window.SetCurrent(bar);
  EXPECT_EQ(ZafWindowKeys::TabTarget(window, false), nullptr);
}

TEST_F(WindowKeysTest, ArrowsTakeTheNearestOverlappingChildElseWrapRound) {
  //  left   middle   right        (row 0..9)
  //  below         belowRight     (row 20..29)
  //         tall                  (column 20..29, rows 40..49)
  Offered* left = Child("left");
  left->Place(0, 0, 9, 9);
  Offered* middle = Child("middle");
  middle->Place(20, 0, 29, 9);
  Offered* right = Child("right");
  right->Place(40, 0, 49, 9);
  Child("below")->Place(0, 20, 9, 29);
  Child("belowRight")->Place(25, 20, 45, 29);
  Child("tall")->Place(20, 40, 29, 49);
  struct Case {
    Offered* current;
    native::UINT key;
    std::string expected;
  };
  const Case cases[] = {
      {middle, native::VK_LEFT, "left"},
      {middle, native::VK_RIGHT, "right"},
      {middle, native::VK_DOWN, "belowRight"},
      {middle, native::VK_UP, "tall"},    // nothing above: the greatest bottom wraps round
      {left, native::VK_LEFT, "right"},   // wrap: the greatest right edge
      {right, native::VK_RIGHT, "left"},  // wrap: the leftmost overlapping child
      {left, native::VK_DOWN, "below"},
      {right, native::VK_DOWN, "belowRight"},  // overlaps across the direction
      {nullptr, native::VK_RIGHT, "none"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(NameOf(c.current) + " key " + std::to_string(c.key));
    window.SetCurrent(c.current);
    EXPECT_EQ(NameOf(ZafWindowKeys::ArrowTarget(window, c.key)), c.expected);
  }
}

TEST_F(WindowKeysTest, ArrowTiesGoToTheEarlierChild) {
  Offered* current = Child("current");
  current->Place(50, 0, 59, 9);
  Offered* earlier = Child("earlier");
  earlier->Place(0, 0, 9, 9);
  Offered* later = Child("later");
  later->Place(0, 2, 9, 12);
  window.SetCurrent(current);
  EXPECT_EQ(ZafWindowKeys::ArrowTarget(window, native::VK_LEFT), earlier);
  // The wrap-around choice breaks ties the same way.
  window.SetCurrent(earlier);
  current->Place(100, 0, 109, 9);
  Offered* twin = Child("twin");
  twin->Place(100, 0, 109, 9);
  EXPECT_EQ(ZafWindowKeys::ArrowTarget(window, native::VK_LEFT), current);
}

TEST_F(WindowKeysTest, ArrowsPassOverChildrenThatMayNotTakeTheFocus) {
  Offered* current = Child("current");
  current->Place(20, 0, 29, 9);
  Offered* disabled = Child("disabled");
  disabled->Place(0, 0, 9, 9);
  disabled->SetDisabled(true);
  Child("far")->Place(40, 0, 49, 9);
  window.SetCurrent(current);
  EXPECT_EQ(NameOf(ZafWindowKeys::ArrowTarget(window, native::VK_LEFT)), "far");
  EXPECT_EQ(NameOf(ZafWindowKeys::ArrowTarget(window, native::VK_DOWN)), "none") << "nobody overlaps";
}

TEST_F(WindowKeysTest, OfferAsksTheFirstThenSupportObjectsThenChildrenUntilOneAnswers) {
  Offered* x = Child("x");
  Offered* y = Child("y");
  Offered* bar = Support("bar");
  const ZafEventRecord hotKey(HotKeyEvent, 0);
  struct Case {
    const char* name;
    Offered* first;
    ZafEventType barAnswer;
    ZafEventType xAnswer;
    ZafEventType yAnswer;
    bool refusalPasses;
    std::vector<std::string> asked;
    ZafEventType expected;
  };
  constexpr ZafEventType kNo = UnknownEventResult;
  const Case cases[] = {
      {"the first answers", y, kNo, kNo, 5, false, {"y"}, 5},
      {"the last answers", nullptr, kNo, kNo, 5, false, {"bar", "x", "y"}, 5},
      {"the first is not asked twice", y, kNo, kNo, kNo, false, {"y", "bar", "x"}, kNo},
      {"a refusal ends the offer", x, -1, kNo, 5, false, {"x", "bar"}, -1},
      {"a refusal passes", x, -1, kNo, 5, true, {"x", "bar", "y"}, 5},
      {"a support object answers", nullptr, 3, kNo, kNo, true, {"bar"}, 3},
      {"nobody takes it: the last answer", nullptr, kNo, -1, -1, true, {"bar", "x", "y"}, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    log.clear();
    bar->answer = c.barAnswer;
    x->answer = c.xAnswer;
    y->answer = c.yAnswer;
    EXPECT_EQ(ZafWindowKeys::Offer(window, hotKey, c.first, c.refusalPasses), c.expected);
    EXPECT_EQ(log, c.asked);
  }
}

TEST_F(WindowKeysTest, OfferToAWindowWithoutObjectsIsUnanswered) {
  EXPECT_EQ(ZafWindowKeys::Offer(window, ZafEventRecord(HotKeyEvent, 0), nullptr, true), UnknownEventResult);
  Child("silent");
  log.clear();
  EXPECT_EQ(ZafWindowKeys::Offer(window, ZafEventRecord(HotKeyEvent, 0), nullptr, true), UnknownEventResult);
  EXPECT_EQ(log, std::vector<std::string>{"silent"});
}

}  // namespace
