#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/zafvtlist.h"
#include "framework/data/zafscrolldata.h"
#include "framework/data/zafstringdata.h"
#include "native/native.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzcombobox.h"
#include "toolkit/kzevents.h"
#include "toolkit/kzinteger.h"
#include "toolkit/kzprompt.h"
#include "toolkit/kzradiogroup.h"
#include "toolkit/kzreal.h"
#include "toolkit/kzslider.h"
#include "toolkit/kzstatusbar.h"
#include "toolkit/kzstring.h"
#include "toolkit/kztext.h"
#include "toolkit/tests/kztestbed.h"

namespace {

// A window that counts the events of one type it is sent.
class Target : public KZWindow {
 public:
  explicit Target(ZafEventType counted) : KZWindow(2, 2, 40, 12), counted(counted) {}
  ZafEventType Event(const ZafEventRecord& event) override {
    received += event.type == counted ? 1 : 0;
    return KZWindow::Event(event);
  }
  const ZafEventType counted;
  int received = 0;
};

// A status bar that notes what buttons ask of it: a command's help, or 0 for a clear.
class FlyOverBar : public KZStatusBar {
 public:
  FlyOverBar() : KZStatusBar(20, 0) {}
  void ShowFlyOver(int32_t command) override { calls.push_back(command); }
  void Clear() override { calls.push_back(0); }
  std::vector<int32_t> calls;
};

class KZControlsTest : public KZFrameworkTest {
 protected:
  ~KZControlsTest() override { KZStatusBar::flyOverBar = nullptr; }

  // The controls in a shown window of their own.
  template <typename Control, typename... More>
  Control* Place(Control* control, More*... more) {
    auto* window = new KZWindow(2, 2, 60, 14);
    window->Add(control);
    (window->Add(more), ...);
    Show(window);
    return control;
  }
  // A combo box holding Alpha, Beta and Gamma, Gamma chosen.
  KZComboBox* PlaceCombo(bool editable) {
    auto* combo = new KZComboBox(1, 1, 20, 5, editable);
    for (const ZafIChar* text : {u"Alpha", u"Beta", u"Gamma"}) {
      combo->Add(new ZafString(0, 0, 10, text));
    }
    Place(combo)->Select(2);
    return combo;
  }
};

std::u16string RangeText(ZafString& field) {
  return field.RangeData() ? std::u16string(field.RangeData()->Text()) : u"(none)";
}

}  // namespace

TEST_F(KZControlsTest, EveryControlTakesTheFocusRequestBeforeItsFrameworkClass) {
  struct Case {
    const char* name;
    ZafWindowObject* control;
    bool focusable;
  } cases[] = {
      {"string", new KZString(1, 1, 10, 20), true},
      {"integer", new KZInteger(1, 1, 10, 5, 1, 10), true},
      {"real", new KZReal(1, 1, 10, 0.5, 0.0, 1.0), true},
      {"text", new KZText(1, 1, 20, 4, u"notes"), true},
      {"combo box", new KZComboBox(1, 1, 20, 5, true), true},
      {"button", new KZButton(1, 1, 10, 1, u"Ok", nullptr, ZAF_PUSH_BUTTON, 0), true},
      {"slider", new KZSlider(1, 1, 20, 1, 0, 10, 5, 1, 2, 0, nullptr), true},
      {"prompt", new KZPrompt(1, 1, u"Name:"), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Place(c.control);
    EXPECT_EQ(c.control->Event(ZafEventRecord(LeechNotifyEvent, 0)), LeechNotifyEvent);
    EXPECT_EQ(c.control->Focus(), c.focusable);
  }
}

TEST_F(KZControlsTest, NumberFieldsGetARangeTextUnlessTheRangeIsTheWholeType) {
  struct Case {
    int32_t minimum;
    int32_t maximum;
    std::u16string range;
  } cases[] = {{INT32_MIN, INT32_MAX, u"(none)"}, {1, 10, u"1..10"}, {-5, INT32_MAX, u"-5..2147483647"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.minimum << " " << c.maximum);
    KZInteger field(1, 1, 10, 5, c.minimum, c.maximum);
    EXPECT_EQ(RangeText(field), c.range);
  }
  KZReal anyValue(1, 1, 10, 0.5, DBL_MIN, DBL_MAX);
  EXPECT_EQ(RangeText(anyValue), u"(none)");
  // The texts are ones the fields' own range check reads.
  auto* integer = new KZInteger(1, 1, 10, 5, 1, 10);
  auto* real = new KZReal(1, 3, 10, 5.0, -DBL_MAX, 10.0);
  Place(integer, real);
  for (ZafString* field : {static_cast<ZafString*>(integer), static_cast<ZafString*>(real)}) {
    field->SetText(u"10");
    EXPECT_EQ(field->Validate(false), 0);
    field->SetText(u"11");
    EXPECT_NE(field->Validate(false), 0);
  }
}

TEST_F(KZControlsTest, TimesAreWrittenAndReadInTheProgramsFormat) {
  struct Case {
    const char16_t* text;
    bool read;
    int32_t milliseconds;
  } cases[] = {{u"", false, -7}, {u"fast", false, -7}, {u"12.345", true, 12345}, {u"1:02.5", true, 62500}};
  auto* field = Place(new KZString(1, 1, 12, 20));
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text, c.text + std::char_traits<char16_t>::length(c.text)));
    field->SetText(c.text);
    int32_t milliseconds = -7;
    EXPECT_EQ(field->GetTime(milliseconds), c.read);
    EXPECT_EQ(milliseconds, c.milliseconds);
  }
  field->SetTime(65432, 0);
  EXPECT_EQ(std::u16string(field->Text()), u"1:05.432") << "the default precision";
  field->SetTime(12345, 800);
  EXPECT_EQ(std::u16string(field->Text()), u"12.35");
}

TEST_F(KZControlsTest, ARadioGroupAnswersTheFirstChosenButtonsPlace) {
  auto* group = new KZRadioGroup(1, 1, 30, 5);
  for (const ZafIChar* text : {u"Lane", u"Heat", u"Round"}) {
    group->Add(new KZButton(1, group->Count() + 1, 20, 1, text, nullptr, ZAF_RADIO_BUTTON, 0));
  }
  Place(group);
  struct Case {
    int32_t set;
    int32_t selection;
  } cases[] = {{-1, -1}, {1, 1}, {2, 2}, {5, 2}, {0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.set);
    group->SetSelection(c.set);
    EXPECT_EQ(group->GetSelection(), c.selection);
  }
}

TEST_F(KZControlsTest, SetTextChoosesAnItemOrEditsOnlyAnEditableBox) {
  struct Case {
    const char* name;
    bool editable;
    const ZafIChar* text;
    int answer;
    int32_t index;
    std::u16string shown;
  } cases[] = {
      {"editable, an item", true, u"Beta", 0, 1, u"Beta"},
      {"editable, no item", true, u"Delta", 0, 2, u"Delta"},
      {"view-only, an item", false, u"Alpha", 0, 0, u"Alpha"},
      {"view-only, no item", false, u"Delta", 1, 2, u"Gamma"},
      {"view-only, another case", false, u"beta", 1, 2, u"Gamma"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KZComboBox* combo = PlaceCombo(c.editable);
    EXPECT_EQ(combo->SetText(c.text), c.answer);
    EXPECT_EQ(combo->SelectedIndex(), c.index);
    EXPECT_EQ(std::u16string(combo->Text()), c.shown);
  }
  KZComboBox* combo = PlaceCombo(false);
  combo->Select(3);
  EXPECT_EQ(combo->SelectedIndex(), 2) << "no item there, no change";
  combo->Clear();
  EXPECT_EQ(combo->List()->Count(), 0);
  EXPECT_EQ(combo->SelectedIndex(), -1);
  EXPECT_EQ(std::u16string(combo->Text()), u"");
}

TEST_F(KZControlsTest, ASliderReportsItsMovesOnlyWithACodeAndATarget) {
  struct Case {
    const char* name;
    ZafEventType code;
    bool targeted;
    bool reported;
  } cases[] = {{"code and target", 10600, true, true},
               {"no code", 0, true, false},
               {"no target", 10600, false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* target = Show(new Target(c.code));
    auto* slider = Place(new KZSlider(1, 1, 30, 1, 0, 10, 5, 1, 2, c.code, c.targeted ? target : nullptr));
    slider->Event(ZafEventRecord(LeechNotifyEvent, 0));
    driver.pressKey(native::VK_RIGHT);
    driver.pumpUntilIdle();
    EXPECT_EQ(slider->ScrollData()->Current(), 6) << "the slider moved";
    EXPECT_EQ(target->received > 0, c.reported);
  }
}

TEST_F(KZControlsTest, TheButtonUnderThePointerDrivesTheFlyOverBar) {
  auto* save = new KZButton(1, 1, 10, 1, u"Save", nullptr, ZAF_PUSH_BUTTON, 10003);
  auto* open = new KZButton(12, 1, 10, 1, new ZafStringData(u"Open"), nullptr, ZAF_PUSH_BUTTON, 10579);
  Place(save, open);
  EXPECT_TRUE(save->MessageOnSelect() && open->MessageOnSelect()) << "both report their values";
  auto* bar = new FlyOverBar;
  KZStatusBar::flyOverBar = bar;
  // The pointer onto Save, over to Open, then off both.
  for (KZButton* under : {save, open, static_cast<KZButton*>(nullptr)}) {
    const native::RECT area = driver.screenRect(under ? under->ScreenID() : save->Parent()->ScreenID());
    driver.mouseMove(area.left + 3, under ? (area.top + area.bottom) / 2 : area.bottom - 3);
    driver.pumpUntilIdle();
  }
  EXPECT_EQ(bar->calls, (std::vector<int32_t>{10003, 0, 10579, 0}));
  delete bar;
  EXPECT_EQ(KZStatusBar::flyOverBar, nullptr) << "a deleted bar is no longer asked";
  open->Event(ZafEventRecord(TipLeaveEvent, 0));
}
