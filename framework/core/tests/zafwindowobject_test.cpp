#include "framework/core/zafwindowobject.h"

#include <gtest/gtest.h>

#include "framework/core/tests/zafcoretestbed.h"
#include "framework/core/zafhelpstub.h"
#include "framework/core/zafhelptips.h"
#include "framework/data/zafpalettedata.h"
#include "native/native.h"

namespace {

class WindowObjectTest : public ZafCoreTest {};

TEST_F(WindowObjectTest, FreshObjectHasTheDocumentedDefaults) {
  const ZafWindowObject object(0, 0, 10, 1);
  EXPECT_EQ(object.Region(), (ZafRegionStruct{0, 0, 9, 0, ZAF_CELL}));
  EXPECT_EQ(object.Region().coordinateType, ZAF_CELL);
  EXPECT_TRUE(object.Visible());
  EXPECT_TRUE(object.AutomaticUpdate());
  EXPECT_TRUE(object.OwnNativeWindow());
  EXPECT_TRUE(object.NativeDrawing());
  EXPECT_FALSE(object.Bordered() || object.Focus() || object.Selected() || object.Disabled() ||
               object.NonCurrent() || object.SupportObject() || object.AnyDrag() || object.AcceptDrop());
  const ZafRegionStruct last = object.LastNativeRegion();
  EXPECT_EQ(last.left, -1);
  EXPECT_EQ(last.right, -2);
  EXPECT_EQ(last.coordinateType, ZAF_PIXEL);
  EXPECT_EQ(ZafWindowObject::RepeatDelay(), 250);
  EXPECT_EQ(ZafWindowObject::RepeatPeriod(), 50);
}

TEST_F(WindowObjectTest, BeforeCreationSettersFreezeOnceTheNativeWindowExists) {
  struct Case {
    const char* name;
    bool (ZafWindowObject::*set)(bool);
    bool (ZafWindowObject::*get)() const;
  } cases[] = {
      {"bordered", &ZafWindowObject::SetBordered, &ZafWindowObject::Bordered},
      {"native drawing", &ZafWindowObject::SetNativeDrawing, &ZafWindowObject::NativeDrawing},
      {"parent draws border", &ZafWindowObject::SetParentDrawBorder, &ZafWindowObject::ParentDrawBorder},
      {"parent draws focus", &ZafWindowObject::SetParentDrawFocus, &ZafWindowObject::ParentDrawFocus},
      {"parent palette", &ZafWindowObject::SetParentPalette, &ZafWindowObject::ParentPalette},
      {"edit mode", &ZafWindowObject::SetEditMode, &ZafWindowObject::EditMode},
  };
  auto* window = new ZafWindow(0, 0, 20, 10);
  windows->Add(window);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* object = new ZafWindowObject(0, 0, 5, 1);
    const bool before = (object->*c.get)();
    EXPECT_EQ((object->*c.set)(!before), !before);
    (object->*c.set)(before);
    window->Add(object);
    ASSERT_NE(native::IsWindow(object->ScreenID()), native::FALSE);
    EXPECT_EQ((object->*c.set)(!before), before);
    EXPECT_EQ((object->*c.get)(), before);
  }
  auto* placed = window->Add(new ZafWindowObject(0, 0, 5, 1));
  EXPECT_EQ(placed->SetPlacement(2), 0);
  EXPECT_EQ(placed->SetCoordinateType(ZAF_PIXEL), ZAF_CELL);
}

TEST_F(WindowObjectTest, RedisplayReachesOnlyObjectsWithANativeWindow) {
  auto* window = new ZafWindow(0, 0, 20, 10);
  auto* probe = new ProbeObject(0, 0, 5, 1);
  window->Add(probe);
  probe->Redisplay();
  EXPECT_TRUE(probe->received.empty());
  windows->Add(window);
  probe->received.clear();
  probe->Redisplay();
  EXPECT_EQ(probe->received, std::vector<int32_t>{RedisplayEvent});
}

TEST_F(WindowObjectTest, PlainObjectRefusesTheSupportRole) {
  ZafWindowObject object(0, 0, 5, 1);
  EXPECT_FALSE(object.SetSupportObject(true));
  EXPECT_FALSE(object.SupportObject());
}

TEST_F(WindowObjectTest, EventMapFirstMatchWinsAndLogicalEventsPassUnchanged) {
  ZafWindowObject object(0, 0, 5, 1);
  struct Case {
    int32_t type, value, modifiers;
    ZafEventType expected;
  } cases[] = {
      {E_KEY, 37, 512, 1052},  // the shadowed 1050 and 1051 rows for key 37 never decide
      {E_KEY, 38, 512, 1050},
      {E_KEY, 40, 512, 1051},
      {E_KEY, 39, 512, 1053},
      {E_KEY, 27, 512, 1010},
      {E_KEY, 112, 512, 1009},
      {E_KEY, 112, 1024, E_KEY},
      {E_MOUSE, 0x1100, 0x800, 1012},
      {E_MOUSE, 0x1100, 0, 1003},
      {E_MOUSE, 0x1000, 0, 1005},
      {E_MOUSE, 0, 0, 1001},
      {E_MOUSE, 39, 512, E_MOUSE},
      {-17, 39, 512, -17},
      {100, 39, 512, 100},
      {-5000, 0, 0, -5000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.type << " " << c.value << " " << c.modifiers);
    ZafEventRecord event(c.type, c.value);
    event.modifiers = c.modifiers;
    EXPECT_EQ(object.MapEvent(event), c.expected);
  }
}

TEST_F(WindowObjectTest, PaletteLookupFillsOnlyWhatIsStillNotSet) {
  ZafWindow window(0, 0, 20, 10);
  auto* object = new ZafWindowObject(0, 0, 5, 1);
  window.Add(object);
  object->SetTextColor(4, 9);
  const ZafPaletteStruct text = object->LogicalPalette(ZAF_PM_TEXT, ZAF_PM_ENABLED);
  EXPECT_EQ(text.colorForeground, 4);
  EXPECT_EQ(text.colorReserved1, 9);
  // The rest comes from the class table: background asks for the system colour, font 1.
  EXPECT_EQ(text.colorBackground, ZAF_COLOR_SYSTEM);
  EXPECT_EQ(text.font, 1);
  EXPECT_EQ(text.lineStyle, 0);
  // No native window: native colours are left alone.
  EXPECT_EQ(text.osForeground, ZAF_OS_COLOR_NOT_SET);
  EXPECT_EQ(object->TextColor(), 4);
  EXPECT_EQ(object->TextFont(), 1);
  EXPECT_EQ(object->BackgroundColor(), ZAF_COLOR_SYSTEM);
}

TEST_F(WindowObjectTest, ParentPaletteSkipsTheClassTableButNotTheOwnData) {
  ZafWindow window(0, 0, 20, 10);
  window.SetBackgroundColor(3, 7);
  auto* object = new ZafWindowObject(0, 0, 5, 1);
  object->SetParentPalette(true);
  object->SetFont(5);
  window.Add(object);
  const ZafPaletteStruct background = object->LogicalPalette(ZAF_PM_BACKGROUND, ZAF_PM_ENABLED);
  EXPECT_EQ(background.colorBackground, 3) << "the parent's own colour, not the class table's 253";
  EXPECT_EQ(background.colorReserved2, 7);
  const ZafPaletteStruct text = object->LogicalPalette(ZAF_PM_TEXT, ZAF_PM_ENABLED);
  EXPECT_EQ(text.font, 5);
}

TEST_F(WindowObjectTest, InheritBytesLeftByEveryLevelStayNotSet) {
  const ZafPaletteMap inherit[] = {
      {ZAF_PM_ANY_TYPE, ZAF_PM_ENABLED, {253, 0, 252, 0, 0, 0, 253, 0, 0}},
      {ZAF_PM_END, 0, {}},
  };
  windows->SetPaletteData(new ZafPaletteData(inherit, false));
  ZafWindowObject object(0, 0, 5, 1);
  object.SetParentPalette(true);
  const ZafPaletteStruct result = object.LogicalPalette(ZAF_PM_TEXT, ZAF_PM_ENABLED);
  EXPECT_EQ(result.lineStyle, ZAF_STYLE_NOT_SET);
  EXPECT_EQ(result.colorForeground, ZAF_COLOR_NOT_SET);
  EXPECT_EQ(result.font, ZAF_STYLE_NOT_SET);
  EXPECT_EQ(result.colorBackground, 0);
}

TEST_F(WindowObjectTest, SystemColoursAreFilledOnlyForObjectsWithANativeWindow) {
  auto* window = new ZafWindow(0, 0, 20, 10);
  auto* object = window->Add(new ZafWindowObject(0, 0, 5, 1));
  EXPECT_EQ(object->LogicalPalette(ZAF_PM_BACKGROUND, ZAF_PM_ENABLED).osBackground, ZAF_OS_COLOR_NOT_SET);
  windows->Add(window);
  const ZafPaletteStruct text = object->LogicalPalette(ZAF_PM_TEXT, ZAF_PM_ENABLED);
  EXPECT_EQ(text.osForeground, native::GetSysColor(native::COLOR_WINDOWTEXT));
  EXPECT_EQ(text.osBackground, native::GetSysColor(native::COLOR_BTNFACE));
}

TEST_F(WindowObjectTest, ConvertRegionAddsPreAndPostSpaceForCellsInAWindow) {
  ZafWindow window(0, 0, 40, 10);
  struct Case {
    const char* name;
    bool inWindow;
    int32_t placement;
    ZafRegionStruct expected;
  } cases[] = {
      {"in a window", true, 0, {8, 26, 87, 44, ZAF_PIXEL}},
      {"top level", false, 0, {8, 24, 87, 47, ZAF_PIXEL}},
      {"placement 2", true, 2, {8, 24, 87, 47, ZAF_PIXEL}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* object = new ZafWindowObject(1, 1, 10, 1);
    object->SetPlacement(c.placement);
    std::unique_ptr<ZafWindowObject> owner;
    if (c.inWindow) {
      window.Add(object);
    } else {
      owner.reset(object);
    }
    object->SetCoordinateTypeOfRegion(ZAF_PIXEL);
    EXPECT_EQ(object->Region(), c.expected);
    EXPECT_EQ(object->Region().coordinateType, ZAF_PIXEL);
  }
}

ZafLong RefuseToLoseFocus(ZafWindowObject*, ZafEventRecord& event, ZafLong code) {
  return code == FocusLoseEvent && event.type == FocusLoseEvent ? 1 : 0;
}

TEST_F(WindowObjectTest, LosingTheFocusCanBeRefusedByTheUserFunction) {
  ZafWindowObject object(0, 0, 5, 1);
  object.SetFocus(true);
  EXPECT_EQ(object.NotifyFocus(nullptr, false), nullptr);
  EXPECT_FALSE(object.Focus()) << "accepted: focus lost";
  object.SetUserFunction(RefuseToLoseFocus);
  object.SetFocus(true);
  EXPECT_EQ(object.NotifyFocus(nullptr, false), &object);
  EXPECT_TRUE(object.Focus());
  EXPECT_EQ(windows->focusObject, &object);
}

TEST_F(WindowObjectTest, FocusRequestIsQueuedAtTheEndWithTheObject) {
  ZafWindowObject object(0, 0, 5, 1);
  events.Put(ZafEventRecord(101, 0));
  EXPECT_EQ(object.Event(ZafEventRecord(FocusRequestEvent, 0)), FocusRequestEvent);
  ZafEventRecord first;
  ZafEventRecord second;
  ASSERT_TRUE(events.TakeQueued(first));
  ASSERT_TRUE(events.TakeQueued(second));
  EXPECT_EQ(first.type, 101);
  EXPECT_EQ(second.type, FocusRequestEvent);
  EXPECT_EQ(second.windowObject, &object);
}

TEST_F(WindowObjectTest, UnknownEventsAnswerMinusTwo) {
  ZafWindowObject object(0, 0, 5, 1);
  EXPECT_EQ(object.Event(ZafEventRecord(-9999, 0)), UnknownEventResult);
  EXPECT_EQ(object.Event(ZafEventRecord(FocusGainedEvent, 0)), FocusGainedEvent);
  EXPECT_TRUE(object.Focus());
  EXPECT_EQ(object.Event(ZafEventRecord(FocusLostEvent, 0)), FocusLostEvent);
  EXPECT_FALSE(object.Focus());
}

TEST_F(WindowObjectTest, TildeNamesAreSearchedFromTheWindowManager) {
  auto* window = new ZafWindow(0, 0, 20, 10);
  window->SetStringID(u"main");
  auto* field = new ZafWindowObject(0, 0, 5, 1);
  field->SetStringID(u"name");
  window->Add(field);
  windows->Add(window);
  ZafWindowObject stranger(0, 0, 5, 1);
  EXPECT_EQ(stranger.FindObjectByName(u"~main~name"), field);
  EXPECT_EQ(stranger.FindObjectByName(u"name"), nullptr);
  EXPECT_EQ(field->FindObjectByNarrowName("~main"), window);
}

class RecordingHelp : public ZafHelpStub {
 public:
  void DisplayHelp(const ZafIChar* context) override { shown.push_back(context); }
  std::vector<std::u16string> shown;
};

TEST_F(WindowObjectTest, HelpShowsTheFirstContextFoundUpTheTree) {
  RecordingHelp help;
  ZafWindow window(0, 0, 20, 10);
  window.SetHelpContext(u"window topic");
  auto* field = window.Add(new ZafWindowObject(0, 0, 5, 1));
  EXPECT_EQ(field->Event(ZafEventRecord(HelpEvent, 0)), HelpEvent) << "no help system: nothing shown";
  ZafHelpStub::SetHelpSystem(&help);
  field->Event(ZafEventRecord(HelpEvent, 0));
  field->SetHelpContext(u"field topic");
  field->Event(ZafEventRecord(HelpEvent, 0));
  ZafWindowObject lonely(0, 0, 1, 1);
  lonely.Event(ZafEventRecord(HelpEvent, 0));
  ZafHelpStub::SetHelpSystem(nullptr);
  EXPECT_EQ(help.shown, (std::vector<std::u16string>{u"window topic", u"field topic", u""}));
}

TEST_F(WindowObjectTest, TipEventsReachTheTipDeviceOnlyForObjectsWithTips) {
  class CountingTips : public ZafHelpTips {
   public:
    CountingTips() : ZafHelpTips(D_ON, ZAF_TIPS_AND_HELP_BAR) {}
    int32_t Event(const ZafEventRecord& event) override {
      ++count;
      return event.type;
    }
    int count = 0;
  };
  auto* tips = new CountingTips;
  events.Add(tips);
  ZafWindowObject object(0, 0, 5, 1);
  windows->SetFocus(true);
  EXPECT_EQ(object.Event(ZafEventRecord(TipEnterEvent, 0)), TipEnterEvent);
  EXPECT_EQ(tips->count, 0) << "no tip text";
  object.SetThirdText(u"more");
  object.Event(ZafEventRecord(TipLeaveEvent, 0));
  EXPECT_EQ(tips->count, 1);
  windows->SetFocus(false);
  object.Event(ZafEventRecord(TipEnterEvent, 0));
  EXPECT_EQ(tips->count, 1) << "the window manager does not hold the focus";
}

TEST_F(WindowObjectTest, SetRegionEventRefitsACreatedObject) {
  auto* window = new ZafWindow(0, 0, 20, 10);
  auto* field = window->Add(new ZafWindowObject(0, 0, 5, 1));
  windows->Add(window);
  ZafEventRecord move(SetRegionEvent, 0, 1, 1, 2, 1, ZAF_CELL);
  EXPECT_EQ(field->Event(move), SetRegionEvent);
  EXPECT_EQ(field->Region().coordinateType, ZAF_PIXEL);
  EXPECT_EQ(field->Region().left, 8);
  EXPECT_EQ(field->LastNativeRegion(), field->Region());
  native::RECT placed{};
  native::GetWindowRect(field->ScreenID(), &placed);
  native::MapWindowPoints(nullptr, window->ScreenID(), &placed);
  const ZafRegionStruct region = field->Region();
  EXPECT_EQ(placed.left, region.left) << "the native window followed";
  EXPECT_EQ(placed.top, region.top);
  EXPECT_EQ(placed.right - placed.left, region.Width());
  EXPECT_EQ(placed.bottom - placed.top, region.Height());
}

TEST_F(WindowObjectTest, TakingTheNativeWindowDownDropsFocusAndReferences) {
  auto* window = new ZafWindow(0, 0, 20, 10);
  auto* field = window->Add(new ZafWindowObject(0, 0, 5, 1));
  windows->Add(window);
  field->SetFocus(true);
  windows->tipObject = field;
  ASSERT_TRUE(field->Focus());
  const native::HWND fieldWindow = field->ScreenID();
  EXPECT_EQ(native::GetFocus(), fieldWindow);
  EXPECT_EQ(field->Event(ZafEventRecord(DestroyEvent, 0)), DestroyEvent);
  EXPECT_EQ(native::IsWindow(fieldWindow), native::FALSE);
  EXPECT_EQ(native::GetFocus(), window->ScreenID()) << "the native focus went to the parent's window";
  EXPECT_EQ(field->ScreenID(), nullptr);
  EXPECT_FALSE(field->Focus());
  EXPECT_EQ(windows->tipObject, nullptr);
  EXPECT_NE(windows->focusObject, field);
}

TEST_F(WindowObjectTest, DeletedObjectsLeaveNoReferenceInTheWindowManager) {
  auto* object = new ZafWindowObject(0, 0, 5, 1);
  windows->captureObject = object;
  windows->focusObject = object;
  windows->previousFocusObject = object;
  delete object;
  EXPECT_EQ(windows->captureObject, nullptr);
  EXPECT_EQ(windows->focusObject, nullptr);
  EXPECT_EQ(windows->previousFocusObject, nullptr);
}

}  // namespace
