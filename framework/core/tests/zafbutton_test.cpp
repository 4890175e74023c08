#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "framework/core/tests/zafcoretestbed.h"
#include "framework/core/zafbutton.h"
#include "framework/core/zafwindow.h"
#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafbitmapdata.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafpalettedata.h"
#include "framework/data/zafstorage.h"
#include "framework/data/zafstringdata.h"
#include "native/native.h"

namespace {

std::vector<int32_t> g_calls;

ZafLong CountingFunction(ZafWindowObject*, ZafEventRecord&, ZafLong code) {
  g_calls.push_back(static_cast<int32_t>(code));
  return 7;
}

ZafRegionStruct Size(int32_t width, int32_t height) {
  return {1, 1, width, height, ZAF_PIXEL};
}

std::u16string TextOf(const ZafIChar* text) {
  return text ? std::u16string(text) : std::u16string(u"(none)");
}

class ButtonTest : public ZafCoreTest {
 protected:
  ButtonTest() { g_calls.clear(); }

  // A real native window for a button that must count as created.
  native::HWND NativeWindow() {
    native::HWND window =
        native::CreateWindowEx(0, ZafMSWindowsApp::windowClassName, nullptr, native::WS_POPUP, 0, 0, 10, 10,
                               nullptr, nullptr, nullptr, nullptr);
    windowsMade.push_back(window);
    return window;
  }
  ~ButtonTest() override {
    for (native::HWND window : windowsMade) {
      native::DestroyWindow(window);
    }
  }

  std::vector<native::HWND> windowsMade;
};

TEST_F(ButtonTest, KindSetsDepthTextPlacementAndTogglingAtConstruction) {
  struct Case {
    int32_t kind;
    int32_t depth;
    int32_t textPlacement;
    bool togglesFromText;
  };
  const Case cases[] = {
      {ZAF_PUSH_BUTTON, 2, ZAF_TEXT_BELOW, false}, {ZAF_RADIO_BUTTON, 0, ZAF_TEXT_RIGHT, true},
      {ZAF_CHECK_BOX, 0, ZAF_TEXT_RIGHT, true},    {ZAF_PUSH_BUTTON_3, 2, ZAF_TEXT_BELOW, false},
      {ZAF_FLAT_BUTTON, 0, ZAF_TEXT_BELOW, false}, {9, 2, ZAF_TEXT_BELOW, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.kind);
    ZafButton plain(0, 0, 10, 1, u"Label", nullptr, c.kind);
    EXPECT_EQ(plain.Kind(), c.kind == 9 ? ZAF_PUSH_BUTTON : c.kind) << "an unknown kind is a push button";
    EXPECT_EQ(plain.Depth(), c.depth);
    EXPECT_EQ(plain.TextPlacement(), c.textPlacement);
    EXPECT_EQ(plain.VerticalPlacement(), ZAF_VERTICAL_CENTER);
    EXPECT_EQ(plain.Toggles(), c.togglesFromText);
    EXPECT_EQ(TextOf(plain.Text()), u"Label");

    ZafButton full(0, 0, 10, 1, new ZafStringData(u"Full"), nullptr, c.kind);
    EXPECT_FALSE(full.Toggles()) << "the full form leaves toggling to the program";
    EXPECT_EQ(TextOf(full.Text()), u"Full");
  }
}

TEST_F(ButtonTest, IdentityAndText) {
  ZafButton button(0, 0, 10, 1, nullptr);
  EXPECT_EQ(button.ClassID(), ID_ZAF_BUTTON);
  EXPECT_EQ(std::u16string(button.ClassName()), u"ZafButton");
  EXPECT_TRUE(button.IsA(ID_ZAF_BUTTON));
  EXPECT_TRUE(button.IsA(ID_ZAF_WINDOW_OBJECT));
  EXPECT_FALSE(button.IsA(ID_ZAF_WINDOW));
  EXPECT_TRUE(button.IsAName(u"ZafButton"));
  EXPECT_EQ(TextOf(button.Text()), u"");
  EXPECT_EQ(button.SetText(u"Start"), 0);
  EXPECT_EQ(TextOf(button.Text()), u"Start");
  EXPECT_EQ(TextOf(button.StringData()->Text()), u"Start");
}

TEST_F(ButtonTest, SettersChangeOnlyBeforeTheNativeControlExists) {
  ZafButton button(0, 0, 10, 1, u"OK");
  using Flag = bool (ZafButton::*)(bool);
  using Get = bool (ZafButton::*)() const;
  struct FlagCase {
    const char* name;
    Flag set;
    Get get;
  };
  const FlagCase flags[] = {
      {"default-capable", &ZafButton::SetDefaultCapable, &ZafButton::DefaultCapable},
      {"toggles", &ZafButton::SetToggles, &ZafButton::Toggles},
      {"auto-repeat", &ZafButton::SetAutoRepeat, &ZafButton::AutoRepeat},
      {"auto-size", &ZafButton::SetAutoSize, &ZafButton::AutoSize},
      {"choose-on-double-click", &ZafButton::SetChooseOnDoubleClick, &ZafButton::ChooseOnDoubleClick},
      {"choose-on-press", &ZafButton::SetChooseOnPress, &ZafButton::ChooseOnPress},
      {"message-on-select", &ZafButton::SetMessageOnSelect, &ZafButton::MessageOnSelect},
  };
  for (const FlagCase& c : flags) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE((button.*c.set)(true));
    EXPECT_TRUE((button.*c.get)());
  }
  EXPECT_EQ(button.SetDepth(5), 5);
  EXPECT_EQ(button.SetTextPlacement(ZAF_TEXT_LEFT), ZAF_TEXT_LEFT);
  EXPECT_EQ(button.SetVerticalPlacement(ZAF_VERTICAL_TOP), ZAF_VERTICAL_TOP);
  EXPECT_EQ(button.SetHotKey(u'o', 0), u'O') << "the hot key is kept upper case";

  button.SetScreenID(NativeWindow());
  for (const FlagCase& c : flags) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE((button.*c.set)(false)) << "answers the setting in force";
    EXPECT_TRUE((button.*c.get)());
  }
  EXPECT_EQ(button.SetDepth(1), 5);
  EXPECT_EQ(button.SetKind(ZAF_CHECK_BOX), ZAF_PUSH_BUTTON);
  EXPECT_EQ(button.SetTextPlacement(ZAF_TEXT_BELOW), ZAF_TEXT_LEFT);
  EXPECT_EQ(button.SetVerticalPlacement(ZAF_VERTICAL_CENTER), ZAF_VERTICAL_TOP);
  EXPECT_EQ(button.SetHotKey(u'x', 1), u'O');
  EXPECT_EQ(button.HotKeyIndex(), 0);
  // The value and the message text are not settings of the control: they change at any time.
  EXPECT_EQ(button.SetValue(-5), -5);
  EXPECT_EQ(TextOf(button.SetMessageText(u"go")), u"go");
  button.SetScreenID(nullptr);
}

TEST_F(ButtonTest, OutOfRangeWordsAreRefused) {
  ZafButton button(0, 0, 10, 1, u"OK");
  EXPECT_EQ(button.SetKind(5), ZAF_PUSH_BUTTON);
  EXPECT_EQ(button.SetKind(-1), ZAF_PUSH_BUTTON);
  EXPECT_EQ(button.SetTextPlacement(3), ZAF_TEXT_BELOW);
  EXPECT_EQ(button.SetVerticalPlacement(-1), ZAF_VERTICAL_CENTER);
  EXPECT_EQ(button.SetDepth(-2), 2) << "the bevel's direction comes from the pressed look, not the depth";
  EXPECT_EQ(button.SetDepth(ZAF_BUTTON_MAX_DEPTH + 1), 2) << "no bevel deeper than a record can hold";
  EXPECT_EQ(button.SetDepth(ZAF_BUTTON_MAX_DEPTH), ZAF_BUTTON_MAX_DEPTH);
  EXPECT_EQ(button.SetHotKey(u'k', -7), u'K');
  EXPECT_EQ(button.HotKeyIndex(), -1);
}

TEST_F(ButtonTest, SetKindResetsTheDepthOnlyWhenTheKindChanges) {
  ZafButton button(0, 0, 10, 1, u"OK");
  button.SetDepth(4);
  EXPECT_EQ(button.SetKind(ZAF_PUSH_BUTTON), ZAF_PUSH_BUTTON);
  EXPECT_EQ(button.Depth(), 4) << "the same kind keeps the depth";
  EXPECT_EQ(button.SetKind(ZAF_FLAT_BUTTON), ZAF_FLAT_BUTTON);
  EXPECT_EQ(button.Depth(), 0);
  EXPECT_EQ(button.SetKind(ZAF_PUSH_BUTTON_3), ZAF_PUSH_BUTTON_3);
  EXPECT_EQ(button.Depth(), 2);
}

TEST_F(ButtonTest, MessageTextIsAnOwnedCopy) {
  ZafButton button(0, 0, 10, 1, u"OK");
  std::u16string text = u"note";
  button.SetMessageText(text.c_str());
  text[0] = u'X';
  EXPECT_EQ(TextOf(button.MessageText()), u"note");
  EXPECT_EQ(button.SetMessageText(nullptr), nullptr);
}

TEST_F(ButtonTest, ChoosingQueuesTheValueWhenMessageOnSelectSaysSo) {
  struct Case {
    const char* name;
    bool messageOnSelect;
    bool chooseOnDoubleClick;
    ZafEventType code;
    bool queued;
  };
  const Case cases[] = {
      {"plain choice", true, false, ChosenEvent, true},
      {"double click without the option", true, false, ChosenByDoubleClickEvent, true},
      {"single choice of a double-click button", true, true, ChosenEvent, false},
      {"double click of a double-click button", true, true, ChosenByDoubleClickEvent, true},
      {"without message-on-select", false, false, ChosenEvent, false},
      {"another event", true, false, FocusGainEvent, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    g_calls.clear();
    ZafButton button(0, 0, 10, 1, u"OK");
    button.SetUserFunction(CountingFunction);
    button.SetValue(-5);
    button.SetMessageText(u"why");
    button.SetMessageOnSelect(c.messageOnSelect);
    button.SetChooseOnDoubleClick(c.chooseOnDoubleClick);
    ZafEventRecord event(c.code, 0);
    EXPECT_EQ((button.*button.userCallback)(&button, event, c.code), 7) << "answers the user function";
    EXPECT_EQ(g_calls, std::vector<int32_t>{static_cast<int32_t>(c.code)}) << "the user function runs first";
    ZafEventRecord queued;
    ASSERT_EQ(events.TakeQueued(queued), c.queued);
    if (c.queued) {
      EXPECT_EQ(queued.type, -5);
      EXPECT_EQ(TextOf(queued.Text()), u"why");
      EXPECT_EQ(queued.windowObject, &button);
      EXPECT_FALSE(events.TakeQueued(queued));
    }
  }
}

TEST_F(ButtonTest, QueuedValueGoesToTheEndOfTheQueue) {
  ZafButton button(0, 0, 10, 1, u"OK");
  button.SetValue(-4);
  button.SetMessageOnSelect(true);
  events.Put(ZafEventRecord(-1000, 0), Q_END);
  button.Choose(ZafEventRecord(ChosenEvent, 0), ChosenEvent);
  EXPECT_EQ(QueuedTypes(), (std::vector<int32_t>{-1000, -4}));
}

TEST_F(ButtonTest, ClearingMessageOnSelectStopsTheQueuing) {
  ZafButton button(0, 0, 10, 1, u"OK");
  button.SetValue(-4);
  button.SetMessageOnSelect(true);
  button.SetMessageOnSelect(false);
  button.Choose(ZafEventRecord(ChosenEvent, 0), ChosenEvent);
  EXPECT_TRUE(QueuedTypes().empty());
}

TEST_F(ButtonTest, ChooseTogglesUnlessASingleSelectionWindowMustKeepIt) {
  struct Case {
    const char* name;
    bool toggles;
    bool multipleSelection;
    bool selectedBefore;
    bool selectedAfter;
  };
  const Case cases[] = {
      {"toggling, not selected", true, false, false, true},
      {"toggling, selected, single selection stays selected", true, false, true, true},
      {"toggling, selected, multiple selection", true, true, true, false},
      {"not toggling", false, true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    g_calls.clear();
    ZafWindow window(0, 0, 20, 5);
    window.SetSelectMultiple(c.multipleSelection);
    auto* button = new ZafButton(0, 0, 10, 1, u"Box", nullptr, ZAF_CHECK_BOX);
    button->SetToggles(c.toggles);
    button->SetUserFunction(CountingFunction);
    window.Add(button);
    button->SetSelected(c.selectedBefore);
    button->Choose(ZafEventRecord(ChosenEvent, 0), ChosenEvent);
    EXPECT_EQ(button->Selected(), c.selectedAfter);
    EXPECT_EQ(g_calls, std::vector<int32_t>{ChosenEvent}) << "the selection function runs in every case";
  }
}

TEST_F(ButtonTest, NativeDrawableFollowsKindPlacementAndLooks) {
  struct Case {
    const char* name;
    int32_t kind;
    int32_t textPlacement;
    int32_t verticalPlacement;
    bool toggles;
    bool bitmap;
    bool ownColours;
    bool drawable;
  };
  const Case cases[] = {
      {"check box, text right", ZAF_CHECK_BOX, ZAF_TEXT_RIGHT, ZAF_VERTICAL_CENTER, true, false, false, true},
      {"check box, text left", ZAF_CHECK_BOX, ZAF_TEXT_LEFT, ZAF_VERTICAL_CENTER, true, false, false, false},
      {"radio button at the top", ZAF_RADIO_BUTTON, ZAF_TEXT_RIGHT, ZAF_VERTICAL_TOP, true, false, false,
       false},
      {"check box with colours", ZAF_CHECK_BOX, ZAF_TEXT_RIGHT, ZAF_VERTICAL_CENTER, true, false, true, true},
      {"push button", ZAF_PUSH_BUTTON, ZAF_TEXT_BELOW, ZAF_VERTICAL_CENTER, false, false, false, true},
      {"push button 3", ZAF_PUSH_BUTTON_3, ZAF_TEXT_BELOW, ZAF_VERTICAL_CENTER, false, false, false, true},
      {"push button, text right", ZAF_PUSH_BUTTON, ZAF_TEXT_RIGHT, ZAF_VERTICAL_CENTER, false, false, false,
       false},
      {"toggling push button", ZAF_PUSH_BUTTON, ZAF_TEXT_BELOW, ZAF_VERTICAL_CENTER, true, false, false,
       false},
      {"push button with a bitmap", ZAF_PUSH_BUTTON, ZAF_TEXT_BELOW, ZAF_VERTICAL_CENTER, false, true, false,
       false},
      {"push button with colours", ZAF_PUSH_BUTTON, ZAF_TEXT_BELOW, ZAF_VERTICAL_CENTER, false, false, true,
       false},
      {"flat button", ZAF_FLAT_BUTTON, ZAF_TEXT_BELOW, ZAF_VERTICAL_CENTER, false, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZafButton button(0, 0, 10, 1, u"B", c.bitmap ? new ZafBitmapData(2, 2) : nullptr, c.kind);
    button.SetToggles(c.toggles);
    button.SetTextPlacement(c.textPlacement);
    button.SetVerticalPlacement(c.verticalPlacement);
    if (c.ownColours) {
      button.SetTextColor(4, 1);
    }
    EXPECT_EQ(button.NativeDrawable(), c.drawable);
    button.SetEditMode(true);
    EXPECT_FALSE(button.NativeDrawable()) << "in edit mode the framework draws";
  }
}

ZafRegionStruct Px(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return {left, top, right, bottom, ZAF_PIXEL};
}

// A 20 x 10 bitmap and a 40 x 12 text in a 100 x 50 region, unless a case says otherwise.
TEST_F(ButtonTest, ComputeLayoutPlacesBitmapAndText) {
  struct Case {
    const char* name;
    int32_t kind;
    int32_t textPlacement;
    int32_t verticalPlacement;
    ZafRegionStruct text;
    ZafRegionStruct bitmapAt;
    ZafRegionStruct textAt;
    ZafRegionStruct needed;
  };
  const ZafRegionStruct label = Size(40, 12);
  const Case cases[] = {
      {"stacked", ZAF_PUSH_BUTTON, 2, 2, label, Px(40, 12, 59, 21), Px(30, 26, 69, 37), Size(40, 26)},
      {"text right", ZAF_PUSH_BUTTON, 0, 2, label, Px(18, 20, 37, 29), Px(42, 19, 81, 30), Size(64, 12)},
      {"text left", ZAF_PUSH_BUTTON, 1, 2, label, Px(62, 20, 81, 29), Px(18, 19, 57, 30), Size(64, 12)},
      {"top", ZAF_PUSH_BUTTON, 2, 0, label, Px(40, 0, 59, 9), Px(30, 14, 69, 25), Size(40, 26)},
      {"bottom", ZAF_PUSH_BUTTON, 2, 1, label, Px(40, 24, 59, 33), Px(30, 38, 69, 49), Size(40, 26)},
      {"no text: no gap", ZAF_PUSH_BUTTON, 2, 2, Size(0, 0), Px(40, 20, 59, 29), Px(50, 30, 49, 29),
       Size(20, 10)},
      {"check box keeps left", ZAF_CHECK_BOX, 0, 2, label, Px(0, 20, 19, 29), Px(24, 19, 63, 30),
       Size(64, 12)},
      {"check box keeps right", ZAF_CHECK_BOX, 1, 2, label, Px(80, 20, 99, 29), Px(36, 19, 75, 30),
       Size(64, 12)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZafButton button(0, 0, 10, 1, u"B", nullptr, c.kind);
    button.SetTextPlacement(c.textPlacement);
    button.SetVerticalPlacement(c.verticalPlacement);
    ZafRegionStruct region = Px(0, 0, 99, 49);
    ZafRegionStruct bitmap = Size(20, 10);
    ZafRegionStruct text = c.text;
    EXPECT_EQ(ZafButton::ComputeLayout(button, region, bitmap, text, ZAF_BUTTON_LAYOUT_GAP), c.needed);
    EXPECT_EQ(bitmap, c.bitmapAt);
    EXPECT_EQ(text, c.textAt);
    EXPECT_EQ(region, Px(0, 0, 99, 49)) << "a region with a size keeps it";
  }
}

TEST_F(ButtonTest, ComputeLayoutSizesAnEmptyRegion) {
  ZafButton button(0, 0, 10, 1, u"B");
  button.SetTextPlacement(ZAF_TEXT_RIGHT);
  ZafRegionStruct region = Px(5, 6, 4, 5);
  ZafRegionStruct bitmap = Size(20, 10);
  ZafRegionStruct text = Size(40, 12);
  EXPECT_EQ(ZafButton::ComputeLayout(button, region, bitmap, text, ZAF_BUTTON_LAYOUT_GAP), Size(64, 12));
  EXPECT_EQ(region, Px(5, 6, 68, 17));
  EXPECT_EQ(bitmap, Px(5, 7, 24, 16));
  EXPECT_EQ(text, Px(29, 6, 68, 17));
}

// A picture from a file may claim any size: it is laid out at the largest size a screen can show, and
// no sum overflows, wherever the region stands.
TEST_F(ButtonTest, ComputeLayoutLimitsSizesBeyondTheScreen) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  constexpr int32_t kLargest = 32767;
  struct Case {
    const char* name;
    int32_t textPlacement;
    ZafRegionStruct region;
    ZafRegionStruct needed;
  };
  const Case cases[] = {
      {"stacked, empty region at the far right", ZAF_TEXT_BELOW, Px(kMax - 10, 0, kMax - 11, -1),
       Size(kLargest, kLargest + 4 + 12)},
      {"side by side, empty region at the far right", ZAF_TEXT_RIGHT, Px(kMax - 10, 0, kMax - 11, -1),
       Size(kLargest + 4 + 40, kLargest)},
      {"text left, region from the far left to the far right", ZAF_TEXT_LEFT, Px(kMin, kMin, kMax, kMax),
       Size(kLargest + 4 + 40, kLargest)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZafButton button(0, 0, 10, 1, u"B");
    button.SetTextPlacement(c.textPlacement);
    ZafRegionStruct region = c.region;
    ZafRegionStruct bitmap = Px(0, 0, kMax, kMax);
    ZafRegionStruct text = Size(40, 12);
    EXPECT_EQ(ZafButton::ComputeLayout(button, region, bitmap, text, ZAF_BUTTON_LAYOUT_GAP), c.needed);
    EXPECT_LE(region.left, region.right);
    EXPECT_LE(region.top, region.bottom);
    EXPECT_LE(bitmap.left, bitmap.right) << "places come back in order, held at the coordinate range";
    EXPECT_LE(text.left, text.right);
    EXPECT_LE(text.top, text.bottom);
  }
}

TEST_F(ButtonTest, SharedImagesLiveFromTheFirstButtonToTheLast) {
  EXPECT_EQ(ZafButton::CheckBoxImage(false, false), nullptr);
  auto first = std::make_unique<ZafButton>(0, 0, 10, 1, u"A");
  ZafBitmapData* image = ZafButton::CheckBoxImage(true, false);
  ASSERT_NE(image, nullptr);
  auto second = std::make_unique<ZafButton>(*first);
  first.reset();
  EXPECT_EQ(ZafButton::CheckBoxImage(true, false), image) << "the copy keeps the images alive";
  second.reset();
  EXPECT_EQ(ZafButton::CheckBoxImage(true, false), nullptr);
  EXPECT_EQ(ZafButton::RadioButtonImage(false, true), nullptr);
}

TEST_F(ButtonTest, SharedImagesHaveTheirPixels) {
  ZafButton button(0, 0, 10, 1, u"A");
  auto pixel = [](ZafBitmapData* image, int row, int column) {
    return static_cast<int>(image->Pixels()[row * ZAF_CHECK_IMAGE_SIZE + column]);
  };
  struct Case {
    const char* name;
    ZafBitmapData* image;
    int row;
    int column;
    int colour;
  };
  const Case cases[] = {
      {"check box top edge", ZafButton::CheckBoxImage(false, false), 0, 11, 8},
      {"check box top-right corner", ZafButton::CheckBoxImage(false, false), 0, 12, 15},
      {"check box inner edge", ZafButton::CheckBoxImage(false, false), 1, 10, 0},
      {"check box interior", ZafButton::CheckBoxImage(false, false), 5, 5, 15},
      {"pressed interior", ZafButton::CheckBoxImage(false, true), 5, 5, 7},
      {"check mark", ZafButton::CheckBoxImage(true, false), 7, 3, 0},
      {"check mark end", ZafButton::CheckBoxImage(true, true), 3, 9, 0},
      {"beside the mark", ZafButton::CheckBoxImage(true, false), 3, 8, 15},
      {"check box bottom", ZafButton::CheckBoxImage(true, false), 11, 11, 7},
      {"radio corner", ZafButton::RadioButtonImage(false, false), 0, 0, 255},
      {"radio top", ZafButton::RadioButtonImage(false, false), 0, 4, 8},
      {"radio right edge", ZafButton::RadioButtonImage(false, false), 3, 10, 7},
      {"pressed radio interior", ZafButton::RadioButtonImage(false, true), 5, 3, 7},
      {"radio dot", ZafButton::RadioButtonImage(true, false), 6, 4, 0},
      {"radio without dot", ZafButton::RadioButtonImage(false, false), 6, 4, 15},
      {"radio bottom", ZafButton::RadioButtonImage(true, false), 12, 8, 15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_NE(c.image, nullptr);
    EXPECT_EQ(c.image->Width(), ZAF_CHECK_IMAGE_SIZE);
    EXPECT_EQ(pixel(c.image, c.row, c.column), c.colour);
  }
}

TEST_F(ButtonTest, CopyDuplicatesOwnDataAndKeepsSharedData) {
  auto* shared = new ZafBitmapData(3, 3);
  shared->SetDestroyable(false);
  ZafButton original(1, 2, 10, 1, u"Go", shared, ZAF_PUSH_BUTTON);
  original.SetValue(-25);
  original.SetMessageText(u"msg");
  original.SetHotKey(u'g', 0);
  original.SetMessageOnSelect(true);
  std::unique_ptr<ZafWindowObject> copy(original.Duplicate());
  auto* button = static_cast<ZafButton*>(copy.get());
  EXPECT_EQ(button->Bitmap(), shared);
  EXPECT_NE(button->StringData(), original.StringData());
  EXPECT_EQ(TextOf(button->Text()), u"Go");
  EXPECT_EQ(button->Value(), -25);
  EXPECT_EQ(TextOf(button->MessageText()), u"msg");
  EXPECT_EQ(button->HotKeyChar(), u'G');
  EXPECT_EQ(button->Region(), original.Region());
  button->Choose(ZafEventRecord(ChosenEvent, 0), ChosenEvent);
  EXPECT_EQ(QueuedTypes(), std::vector<int32_t>{-25}) << "the copy sends its value too";
  copy.reset();
  original.SetBitmap(nullptr);
  delete shared;
}

class ButtonStorageTest : public ButtonTest {
 protected:
  std::vector<uint8_t> StoredBytes(const ZafIChar* name) {
    std::vector<uint8_t> bytes;
    persistence.PushLevel(u"ZafButton", ID_ZAF_BUTTON, ZAF_STORAGE_TYPE_NAMED);
    if (persistence.CurrentFile(name, ZAF_PERSIST_READ) == ZAF_ERROR_NONE && persistence.File()) {
      bytes.resize(persistence.File()->Length());
      persistence.File()->ReadData(bytes.data(), static_cast<int>(bytes.size()));
    }
    persistence.PopLevel();
    return bytes;
  }
  void StoreBytes(const ZafIChar* name, const std::vector<uint8_t>& bytes) {
    persistence.PushLevel(u"ZafButton", ID_ZAF_BUTTON, ZAF_STORAGE_TYPE_NAMED);
    if (persistence.CurrentFile(name, ZAF_PERSIST_WRITE) == ZAF_ERROR_NONE && persistence.File()) {
      persistence.File()->WriteData(bytes.data(), static_cast<int>(bytes.size()));
    }
    persistence.PopLevel();
    persistence.SetError(ZAF_ERROR_NONE);
  }

  TemporaryFolder folder;
  ZafStorage storage{folder.Path("buttons").c_str(), ZAF_STORAGE_CREATE};
  ZafObjectPersistence persistence{&storage};
};

// The window-object record of a plain button at (0, 0, 10, 1) in cells, named "b": 40 bytes.
constexpr size_t kObjectRecordBytes = 40;

TEST_F(ButtonStorageTest, EverySettingReadsBackAsWritten) {
  static const uint8_t pixels[] = {1, 2, 3, 4, 5, 6};
  ZafButton button(2, 3, 12, 2, u"Sta&rt", new ZafBitmapData(3, 2, pixels), ZAF_FLAT_BUTTON);
  button.SetStringID(u"start");
  button.SetValue(-5);
  button.SetMessageText(u"message");
  button.SetDepth(3);
  button.SetDefaultCapable(true);
  button.SetToggles(true);
  button.SetAutoRepeat(true);
  button.SetAutoSize(true);
  button.SetChooseOnDoubleClick(true);
  button.SetChooseOnPress(true);
  button.SetMessageOnSelect(true);
  button.SetTextPlacement(ZAF_TEXT_LEFT);
  button.SetVerticalPlacement(ZAF_VERTICAL_BOTTOM);
  button.SetHotKey(u'r', 4);
  button.SetSelected(true);
  ASSERT_EQ(button.Write(persistence), ZAF_ERROR_NONE);

  ZafButton read(u"start", persistence);
  ASSERT_EQ(read.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(read.Region(), button.Region());
  EXPECT_EQ(read.UnpressedRegion(), button.Region());
  EXPECT_EQ(TextOf(read.Text()), u"Sta&rt");
  EXPECT_EQ(read.Value(), -5);
  EXPECT_EQ(TextOf(read.MessageText()), u"message");
  EXPECT_EQ(read.Kind(), ZAF_FLAT_BUTTON);
  EXPECT_EQ(read.Depth(), 3);
  EXPECT_TRUE(read.DefaultCapable());
  EXPECT_TRUE(read.Toggles());
  EXPECT_TRUE(read.AutoRepeat());
  EXPECT_TRUE(read.AutoSize());
  EXPECT_TRUE(read.ChooseOnDoubleClick());
  EXPECT_TRUE(read.ChooseOnPress());
  EXPECT_TRUE(read.MessageOnSelect());
  EXPECT_EQ(read.TextPlacement(), ZAF_TEXT_LEFT);
  EXPECT_EQ(read.VerticalPlacement(), ZAF_VERTICAL_BOTTOM);
  EXPECT_EQ(read.HotKeyChar(), u'R');
  EXPECT_EQ(read.HotKeyIndex(), 4);
  EXPECT_TRUE(read.Selected());
  ASSERT_NE(read.Bitmap(), nullptr);
  EXPECT_EQ(read.Bitmap()->Width(), 3);
  EXPECT_EQ(read.Bitmap()->Height(), 2);
  EXPECT_EQ(std::vector<uint8_t>(read.Bitmap()->Pixels(), read.Bitmap()->Pixels() + 6),
            std::vector<uint8_t>(pixels, pixels + 6));
  // Message-on-select read back sends the value again.
  read.Choose(ZafEventRecord(ChosenByDoubleClickEvent, 0), ChosenByDoubleClickEvent);
  EXPECT_EQ(QueuedTypes(), std::vector<int32_t>{-5});
  EXPECT_EQ(read.ReadFunction(), &ZafButton::Read);
}

TEST_F(ButtonStorageTest, ButtonRecordHasItsDocumentedBytes) {
  ZafButton button(0, 0, 10, 1, u"OK");
  button.SetStringID(u"b");
  button.SetValue(-2);
  button.SetHotKey(u'o', 0);
  button.SetAutoSize(true);
  ASSERT_EQ(button.Write(persistence), ZAF_ERROR_NONE);
  const std::vector<uint8_t> bytes = StoredBytes(u"b");
  ASSERT_GT(bytes.size(), kObjectRecordBytes);
  const std::vector<uint8_t> record(bytes.begin() + kObjectRecordBytes, bytes.end());
  const std::vector<uint8_t> expected = {
      0xFE, 0xFF, 0xFF, 0xFF,  // value -2
      0x08, 0x00,              // flags: auto-size
      0x00, 0x00,              // kind 0
      0x02, 0x00, 0x00, 0x00,  // depth 2
      0x02, 0x00,              // text below
      0x02, 0x00,              // centred
      0x4F, 0x00,              // hot key 'O'
      0x00, 0x00, 0x00, 0x00,  // hot-key index 0
      0x02, 0x00, 0x4F, 0x4B,  // text "OK"
      0x00, 0x00,              // no message text
      0x00, 0x00,              // no bitmap
  };
  EXPECT_EQ(record, expected);
}

TEST_F(ButtonStorageTest, TruncatedRecordIsRefusedWithoutACrash) {
  ZafButton button(0, 0, 10, 1, u"Cancel");
  button.SetStringID(u"b");
  button.SetMessageText(u"why");
  ASSERT_EQ(button.Write(persistence), ZAF_ERROR_NONE);
  const std::vector<uint8_t> bytes = StoredBytes(u"b");
  for (size_t length = kObjectRecordBytes; length < bytes.size(); ++length) {
    SCOPED_TRACE(length);
    StoreBytes(u"b",
               std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)));
    ZafButton read(u"b", persistence);
    EXPECT_EQ(read.Error(), ZAF_ERROR_READ);
    EXPECT_EQ(read.MessageText(), nullptr) << "nothing of a broken record is taken";
    persistence.SetError(ZAF_ERROR_NONE);
  }
}

TEST_F(ButtonStorageTest, GarbledFieldsAreRefused) {
  ZafButton button(0, 0, 10, 1, u"OK");
  button.SetStringID(u"b");
  button.SetHotKey(u'o', 1);
  ASSERT_EQ(button.Write(persistence), ZAF_ERROR_NONE);
  const std::vector<uint8_t> good = StoredBytes(u"b");
  struct Case {
    const char* name;
    size_t offset;  // within the button record
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {
      {"unknown flag", 4, {0x00, 0x80}},
      {"kind 5", 6, {0x05, 0x00}},
      {"negative depth", 8, {0xFF, 0xFF, 0xFF, 0xFF}},
      {"huge depth", 8, {0x00, 0x01, 0x00, 0x00}},
      {"text placement 3", 12, {0x03, 0x00}},
      {"vertical placement 7", 14, {0x07, 0x00}},
      {"hot-key index below -1", 18, {0xFE, 0xFF, 0xFF, 0xFF}},
      {"string count past the end", 22, {0xFF, 0x7F}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> bytes = good;
    std::copy(c.bytes.begin(), c.bytes.end(),
              bytes.begin() + static_cast<std::ptrdiff_t>(kObjectRecordBytes + c.offset));
    StoreBytes(u"b", bytes);
    ZafButton read(u"b", persistence);
    EXPECT_EQ(read.Error(), ZAF_ERROR_READ);
    EXPECT_EQ(read.Kind(), ZAF_PUSH_BUTTON);
    EXPECT_EQ(read.HotKeyChar(), 0) << "the record's fields are not taken";
    persistence.SetError(ZAF_ERROR_NONE);
  }
  StoreBytes(u"b", good);
  ZafButton read(u"b", persistence);
  EXPECT_EQ(read.Error(), ZAF_ERROR_NONE) << "the unaltered record still reads";
  EXPECT_EQ(read.HotKeyIndex(), 1);
}

// Whatever the setters accept reads back as it was set, even where it shows nothing: a record the program
// wrote is never refused, which would also drop every later child of its window.
TEST_F(ButtonStorageTest, EveryValueTheSettersAcceptReadsBack) {
  struct Case {
    const char* name;
    const ZafIChar* text;
    int32_t hotKeyIndex;
    const ZafIChar* laterText;  // set after the hot key, when not null
    int32_t depth;
  };
  const Case cases[] = {
      {"hot key past the text", u"OK", 5, nullptr, 2},
      {"hot key on a button without text", nullptr, 0, nullptr, 2},
      {"text shortened after the hot key", u"Cancel", 4, u"No", 2},
      {"hot key set before its text", nullptr, 1, u"Go on", 2},
      {"deepest bevel", u"Deep", -1, nullptr, ZAF_BUTTON_MAX_DEPTH},
      {"flat bevel", u"Flat", 0, nullptr, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZafButton button(0, 0, 10, 1, c.text);
    button.SetStringID(u"b");
    button.SetHotKey(u'x', c.hotKeyIndex);
    if (c.laterText) {
      button.SetText(c.laterText);
    }
    ASSERT_EQ(button.SetDepth(c.depth), c.depth);
    ASSERT_EQ(button.Write(persistence), ZAF_ERROR_NONE);
    ZafButton read(u"b", persistence);
    EXPECT_EQ(read.Error(), ZAF_ERROR_NONE);
    EXPECT_EQ(persistence.Error(), ZAF_ERROR_NONE);
    EXPECT_EQ(read.HotKeyChar(), u'X');
    EXPECT_EQ(read.HotKeyIndex(), c.hotKeyIndex);
    EXPECT_EQ(read.Depth(), c.depth);
    EXPECT_EQ(TextOf(read.Text()), TextOf(button.Text()));
    persistence.SetError(ZAF_ERROR_NONE);
  }
}

// A button whose hot key lies past its text does not cut its window short: the children after it read too.
TEST_F(ButtonStorageTest, WindowWithAHotKeyPastAButtonsTextKeepsItsLaterChildren) {
  ZafWindow window(0, 0, 30, 8);
  window.SetStringID(u"dialog");
  auto* first = new ZafButton(1, 1, 10, 1, u"Apply");
  first->SetStringID(u"first");
  first->SetHotKey(u'a', 0);
  first->SetText(u"");
  auto* second = new ZafButton(1, 3, 10, 1, u"Close");
  second->SetStringID(u"second");
  window.Add(first);
  window.Add(second);
  ASSERT_EQ(window.Write(persistence), ZAF_ERROR_NONE);

  ZafWindow read(u"dialog", persistence);
  EXPECT_EQ(read.Error(), ZAF_ERROR_NONE);
  EXPECT_EQ(persistence.Error(), ZAF_ERROR_NONE);
  EXPECT_NE(read.FindObjectByName(u"first"), nullptr);
  EXPECT_NE(read.FindObjectByName(u"second"), nullptr);
}

TEST_F(ButtonStorageTest, HugeStoredBitmapSizeIsLaidOutWithinTheScreen) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  // Bitmap data with a size and no pixels is eight bytes in the file, whatever size it claims.
  ZafButton button(0, 0, 10, 1, u"Huge", new ZafBitmapData(kMax, kMax));
  button.SetStringID(u"huge");
  ASSERT_EQ(button.Write(persistence), ZAF_ERROR_NONE);
  ZafButton read(u"huge", persistence);
  ASSERT_EQ(read.Error(), ZAF_ERROR_NONE);
  ASSERT_NE(read.Bitmap(), nullptr);
  ASSERT_EQ(read.Bitmap()->Width(), kMax);
  ZafRegionStruct region = Px(0, 0, -1, -1);
  ZafRegionStruct bitmap = Px(0, 0, read.Bitmap()->Width() - 1, read.Bitmap()->Height() - 1);
  ZafRegionStruct text = Size(30, 12);
  EXPECT_EQ(ZafButton::ComputeLayout(read, region, bitmap, text, ZAF_BUTTON_LAYOUT_GAP),
            Size(32767, 32767 + 4 + 12));
  EXPECT_EQ(region, Px(0, 0, 32766, 32767 + 4 + 12 - 1));
}

TEST_F(ButtonStorageTest, MissingBitmapIsReportedAndLeavesNone) {
  ZafButton button(0, 0, 10, 1, u"Pic", new ZafBitmapData(2, 2));
  button.SetStringID(u"pic");
  ASSERT_EQ(button.Write(persistence), ZAF_ERROR_NONE);
  ASSERT_EQ(storage.RmDir(u"~ZafBitmapData", true), 0);
  ZafButton read(u"pic", persistence);
  EXPECT_EQ(read.Error(), ZAF_ERROR_OPEN);
  EXPECT_EQ(read.Bitmap(), nullptr);
}

TEST_F(ButtonStorageTest, ButtonsInsideAWindowReadBack) {
  ZafWindow window(0, 0, 30, 8);
  window.SetStringID(u"dialog");
  auto* ok = new ZafButton(1, 1, 10, 1, u"OK");
  ok->SetStringID(u"ok");
  ok->SetDefaultCapable(true);
  auto* box = new ZafButton(1, 3, 10, 1, u"Box", nullptr, ZAF_CHECK_BOX);
  box->SetStringID(u"box");
  window.Add(ok);
  window.Add(box);
  window.SetDefaultButton(ok, true);
  ASSERT_EQ(window.Write(persistence), ZAF_ERROR_NONE);

  ZafWindow read(u"dialog", persistence);
  ASSERT_EQ(read.Error(), ZAF_ERROR_NONE);
  auto* readOk = read.FindObjectByName(u"ok");
  auto* readBox = read.FindObjectByName(u"box");
  ASSERT_NE(readOk, nullptr);
  ASSERT_NE(readBox, nullptr);
  ASSERT_TRUE(readOk->IsA(ID_ZAF_BUTTON));
  EXPECT_EQ(static_cast<ZafButton*>(readBox)->Kind(), ZAF_CHECK_BOX);
  EXPECT_TRUE(static_cast<ZafButton*>(readOk)->DefaultCapable());
  EXPECT_EQ(read.DefaultButton(true), readOk);
}

}  // namespace
