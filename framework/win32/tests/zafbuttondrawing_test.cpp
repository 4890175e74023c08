#include <gtest/gtest.h>

#include <vector>

#include "framework/win32/tests/zafbuttontestbed.h"

namespace {

class ButtonDrawingTest : public ZafButtonTest {
 protected:
  // The desktop pixel at (x, y) of the button's control.
  native::COLORREF At(const ZafButton& button, int x, int y) {
    const native::RECT area = driver.screenRect(button.ScreenID());
    return driver.pixel(area.left + x, area.top + y);
  }
  native::COLORREF Colour(int index) { return screen.colors[static_cast<size_t>(index)]; }
  // Every pixel of the button's control, row by row.
  std::vector<native::COLORREF> Pixels(const ZafButton& button) {
    return driver.pixels(driver.screenRect(button.ScreenID()));
  }
  static void Redraw(ZafButton& button) { button.Draw(ZafEventRecord(RedisplayEvent, 0), RedisplayEvent); }
  // An owner-drawn item record for the button's control.
  static native::DRAWITEMSTRUCT Item(const ZafButton& button, native::UINT type, native::UINT action,
                                     native::UINT state) {
    native::DRAWITEMSTRUCT item{};
    item.CtlType = type;
    item.itemAction = action;
    item.itemState = state;
    item.hwndItem = button.ScreenID();
    return item;
  }
  ZafEventType SendItem(ZafButton& button, native::DRAWITEMSTRUCT& item) {
    const native::HDC context = native::GetDC(button.ScreenID());
    item.hDC = context;
    const ZafEventType answer = Send(button, native::WM_DRAWITEM, 0, reinterpret_cast<native::LPARAM>(&item));
    native::ReleaseDC(button.ScreenID(), context);
    return answer;
  }
};

// An owner-drawn check box without text, 21 pixels high: its 13 x 13 image stands at the left, 4 pixels down.
TEST_F(ButtonDrawingTest, CheckBoxShowsItsImageForEachState) {
  SelectMultiple(true);
  ZafButton* box = Add(
      new ZafButton(0, 0, 1, 1, nullptr, nullptr, ZAF_CHECK_BOX),
      [](ZafButton& b) { b.SetNativeDrawing(false); }, 10, 10, 60, 21);
  ASSERT_EQ(TypeOf(*box), native::BS_OWNERDRAW);
  constexpr int kTop = 4;
  struct Case {
    const char* name;
    bool selected;
    bool pressed;
    int markColour;
    int interiorColour;
  };
  const Case cases[] = {
      {"unchecked", false, false, 15, 15},
      {"checked", true, false, 0, 15},
      {"checked and pressed", true, true, 0, 7},
      {"unchecked and pressed", false, true, 7, 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    box->SetSelected(c.selected);
    box->SetPressedLook(c.pressed);
    Redraw(*box);
    EXPECT_EQ(At(*box, 0, kTop), Colour(8)) << "outer edge";
    EXPECT_EQ(At(*box, 1, kTop + 1), Colour(0)) << "inner edge";
    EXPECT_EQ(At(*box, 12, kTop + 12), Colour(15)) << "highlight corner";
    EXPECT_EQ(At(*box, 3, kTop + 7), Colour(c.markColour)) << "the check mark's left arm";
    EXPECT_EQ(At(*box, 10, kTop + 9), Colour(c.interiorColour)) << "interior beside the mark";
  }
}

// A press or a selection change of a check box or radio button that the framework draws redraws its face:
// the label and the focus mark come back with it, exactly as a full redisplay draws them.
TEST_F(ButtonDrawingTest, SelectionChangeOfAnOwnerDrawnBoxKeepsItsLabelAndFocusMark) {
  SelectMultiple(true);
  struct Case {
    const char* name;
    int32_t kind;
    int32_t textPlacement;
    bool nativeDrawing;
  };
  const Case cases[] = {
      {"check box, text left of the mark", ZAF_CHECK_BOX, ZAF_TEXT_LEFT, true},
      {"check box drawn by the framework", ZAF_CHECK_BOX, ZAF_TEXT_RIGHT, false},
      {"radio button, text left of the mark", ZAF_RADIO_BUTTON, ZAF_TEXT_LEFT, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZafButton* box = Add(
        new ZafButton(0, 0, 1, 1, u"Label", nullptr, c.kind),
        [&c](ZafButton& b) {
          b.SetTextPlacement(c.textPlacement);
          b.SetNativeDrawing(c.nativeDrawing);
        },
        10, 10, 80, 21);
    ASSERT_EQ(TypeOf(*box), native::BS_OWNERDRAW);
    native::SetFocus(box->ScreenID());
    driver.pumpUntilIdle();
    ASSERT_TRUE(box->Focus());
    for (bool select : {true, false}) {
      SCOPED_TRACE(select ? "selected" : "cleared");
      box->SetSelected(select);
      const std::vector<native::COLORREF> afterChange = Pixels(*box);
      Redraw(*box);
      EXPECT_EQ(afterChange, Pixels(*box));
    }
    root->Subtract(box);
    delete box;
    driver.pumpUntilIdle();
  }
}

TEST_F(ButtonDrawingTest, RadioButtonKeepsTheBackgroundInItsCorners) {
  ZafButton* radio = Add(
      new ZafButton(0, 0, 1, 1, nullptr, nullptr, ZAF_RADIO_BUTTON),
      [](ZafButton& b) { b.SetNativeDrawing(false); }, 10, 10, 60, 21);
  radio->SetSelected(true);
  Redraw(*radio);
  const native::COLORREF corner = At(*radio, 0, 4);
  EXPECT_EQ(corner, At(*radio, 30, 10)) << "the transparent corner shows the face behind";
  EXPECT_EQ(At(*radio, 6, 4 + 6), Colour(0)) << "the dot";
  EXPECT_EQ(At(*radio, 4, 4), Colour(8)) << "the ring";
}

TEST_F(ButtonDrawingTest, PressedPushButtonIsDrawnSunken) {
  ZafButton* button = Add(
      new ZafButton(0, 0, 1, 1, u"Go"), [](ZafButton& b) { b.SetToggles(true); }, 10, 10, 60, 24);
  ASSERT_EQ(TypeOf(*button), native::BS_OWNERDRAW);
  const native::COLORREF shadow = native::GetSysColor(native::COLOR_BTNSHADOW);
  const native::COLORREF highlight = native::GetSysColor(native::COLOR_BTNHIGHLIGHT);
  Redraw(*button);
  EXPECT_NE(At(*button, 0, 0), shadow) << "raised: light above and to the left";
  EXPECT_NE(At(*button, 59, 23), highlight);
  button->SetPressedLook(true);
  EXPECT_EQ(At(*button, 0, 0), shadow) << "sunken: dark above and to the left";
  EXPECT_EQ(At(*button, 59, 23), highlight);
}

TEST_F(ButtonDrawingTest, SelectingATogglingPushButtonPressesIt) {
  SelectMultiple(true);
  ZafButton* button = Add(
      new ZafButton(0, 0, 1, 1, u"Go"), [](ZafButton& b) { b.SetToggles(true); }, 10, 10, 60, 24);
  Redraw(*button);
  button->Event(ZafEventRecord(ChosenEvent, 0));
  EXPECT_TRUE(button->Selected());
  EXPECT_TRUE(button->PressedLook());
  EXPECT_EQ(At(*button, 0, 0), native::GetSysColor(native::COLOR_BTNSHADOW));
  button->Event(ZafEventRecord(ChosenEvent, 0));
  EXPECT_FALSE(button->Selected());
  EXPECT_FALSE(button->PressedLook());
  EXPECT_NE(At(*button, 0, 0), native::GetSysColor(native::COLOR_BTNSHADOW));
}

TEST_F(ButtonDrawingTest, PressAndReleaseReportedByTheControlMoveTheBevel) {
  ZafButton* button = Add(
      new ZafButton(0, 0, 1, 1, u"Go"), [](ZafButton& b) { b.SetNativeDrawing(false); }, 10, 10, 60, 24);
  const native::COLORREF shadow = native::GetSysColor(native::COLOR_BTNSHADOW);
  Redraw(*button);
  const native::COLORREF raisedCorner = At(*button, 0, 0);
  const native::COLORREF face = At(*button, 3, 12);
  ASSERT_NE(raisedCorner, shadow);
  native::DRAWITEMSTRUCT press = Item(*button, native::ODT_BUTTON, native::ODA_SELECT, native::ODS_SELECTED);
  SendItem(*button, press);
  EXPECT_EQ(At(*button, 0, 0), shadow);
  EXPECT_EQ(At(*button, 3, 12), face) << "the face moved, it kept its colour";
  native::DRAWITEMSTRUCT release = Item(*button, native::ODT_BUTTON, native::ODA_SELECT, 0);
  SendItem(*button, release);
  EXPECT_EQ(At(*button, 0, 0), raisedCorner);
  EXPECT_EQ(At(*button, 3, 12), face);
}

TEST_F(ButtonDrawingTest, DefaultCapableButtonInEditModeShowsItsFrame) {
  root->SetBackgroundColor(4, 4);
  ZafButton* button = Add(new ZafButton(0, 0, 1, 1, u"OK"), [](ZafButton& b) {
    b.SetDefaultCapable(true);
    b.SetEditMode(true);
  });
  Redraw(*button);
  EXPECT_EQ(At(*button, 0, 0), Colour(0)) << "the outline";
  EXPECT_EQ(At(*button, 2, 2), Colour(4)) << "the parent's background inside the frame";
}

TEST_F(ButtonDrawingTest, OwnerDrawnItemStateGivesThePressedLook) {
  struct Case {
    const char* name;
    bool toggles;
    bool selected;
    bool pressedBefore;
    native::UINT action;
    native::UINT state;
    bool pressedAfter;
    bool drawnOut;
  };
  const Case cases[] = {
      {"pushed", false, false, false, native::ODA_SELECT, native::ODS_SELECTED, true, false},
      {"let go", false, false, true, native::ODA_SELECT, 0, false, false},
      {"toggled in, let go: stays in, nothing drawn", true, true, true, native::ODA_SELECT, 0, true, true},
      {"toggled in, redrawn whole", true, true, true, native::ODA_DRAWENTIRE, 0, true, false},
      {"toggled out, let go", true, false, false, native::ODA_SELECT, 0, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SelectMultiple(true);
    ZafButton* button = Add(new ZafButton(0, 0, 1, 1, u"Go"), [&c](ZafButton& b) {
      b.SetToggles(c.toggles);
      b.SetNativeDrawing(false);
    });
    button->SetSelected(c.selected);
    button->SetPressedLook(c.pressedBefore);
    native::DRAWITEMSTRUCT item = Item(*button, native::ODT_BUTTON, c.action, c.state);
    const ZafEventType answer = SendItem(*button, item);
    EXPECT_EQ(button->PressedLook(), c.pressedAfter);
    if (c.drawnOut) {
      EXPECT_EQ(answer, 1);
    } else {
      EXPECT_EQ(answer, static_cast<ZafEventType>(native::WM_DRAWITEM));
    }
    root->Subtract(button);
    delete button;
  }
}

TEST_F(ButtonDrawingTest, MenuEntryItemIsRedrawnWhole) {
  ZafButton* button = Add(new ZafButton(0, 0, 1, 1, u"Item"));
  native::DRAWITEMSTRUCT item = Item(*button, native::ODT_MENU, native::ODA_SELECT, native::ODS_SELECTED);
  EXPECT_EQ(SendItem(*button, item), static_cast<ZafEventType>(native::WM_DRAWITEM));
  EXPECT_TRUE(button->PressedLook());
}

TEST_F(ButtonDrawingTest, SystemColoursForButtonPalettes) {
  ZafButton* button = Add(new ZafButton(0, 0, 1, 1, u"OK"));
  struct Case {
    const char* name;
    uint16_t type;
    uint16_t state;
    int foreground;
    int background;
  };
  const Case cases[] = {
      {"text", ZAF_PM_TEXT, ZAF_PM_ENABLED, native::COLOR_BTNTEXT, native::COLOR_BTNFACE},
      {"disabled text", ZAF_PM_TEXT, ZAF_PM_DISABLED, native::COLOR_BTNSHADOW, native::COLOR_BTNHIGHLIGHT},
      {"face", ZAF_PM_BACKGROUND, ZAF_PM_ENABLED, native::COLOR_BTNFACE, native::COLOR_BTNFACE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZafPaletteStruct palette;
    palette.colorForeground = ZAF_COLOR_SYSTEM;
    palette.colorBackground = ZAF_COLOR_SYSTEM;
    button->SetDisplayColors(palette, c.type, c.state);
    EXPECT_EQ(palette.osForeground, native::GetSysColor(c.foreground));
    EXPECT_EQ(palette.osBackground, native::GetSysColor(c.background));
  }
  ZafPaletteStruct given;
  given.colorForeground = ZAF_COLOR_SYSTEM;
  given.osForeground = native::RGB(1, 2, 3);
  button->SetDisplayColors(given, ZAF_PM_TEXT, ZAF_PM_ENABLED);
  EXPECT_EQ(given.osForeground, native::RGB(1, 2, 3)) << "a native colour already set is kept";
}

TEST_F(ButtonDrawingTest, CheckBoxColoursComeFromItsParentsBackground) {
  root->SetBackgroundColor(4, 4);
  ZafButton* box = Add(new ZafButton(0, 0, 1, 1, u"Box", nullptr, ZAF_CHECK_BOX));
  ZafPaletteStruct face;
  face.colorForeground = ZAF_COLOR_SYSTEM;
  face.colorBackground = ZAF_COLOR_SYSTEM;
  box->SetDisplayColors(face, ZAF_PM_BACKGROUND, ZAF_PM_ENABLED);
  EXPECT_EQ(face.osBackground, Colour(4));
  const native::HDC context = native::GetDC(box->ScreenID());
  const ZafEventType brush = Send(*box, native::WM_CTLCOLORBTN, reinterpret_cast<native::WPARAM>(context),
                                  reinterpret_cast<native::LPARAM>(box->ScreenID()));
  EXPECT_NE(brush, 0);
  EXPECT_EQ(native::GetBkColor(context), Colour(4));
  native::ReleaseDC(box->ScreenID(), context);
}

}  // namespace
