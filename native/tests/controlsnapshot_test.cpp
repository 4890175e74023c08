#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "native/tests/controlharness.h"
#include "testing/testpictures.h"

namespace native::test {

namespace {

// Each kind of control is shown in a row of copies, one per state, and saved as a picture a person can look
// at (controls_<kind>.png in the build tree's picture folder). Every state must look different from the
// normal copy at the row's start.
struct State {
  const char* name;
  std::function<void(HWND)> apply;
};

struct Kind {
  const char* name;
  LPCWSTR className;
  DWORD style;
  LPCWSTR text;
  SIZE size;
  std::vector<State> states;
};

constexpr int kGap = 10;

void setScrollPosition(HWND bar, int position) {
  SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, position, 0};
  SetScrollInfo(bar, SB_CTL, &info, TRUE);
}

const State kNormal{"normal", [](HWND) {}};
const State kFocused{"focused", [](HWND control) { SetFocus(control); }};
const State kDisabled{"disabled", [](HWND control) { EnableWindow(control, FALSE); }};
const State kPushed{"pushed", [](HWND control) { SendMessage(control, BM_SETSTATE, TRUE, 0); }};
const State kChecked{"checked", [](HWND control) { SendMessage(control, BM_SETCHECK, BST_CHECKED, 0); }};

std::vector<Kind> kinds() {
  return {
      {"button",
       kButtonClass,
       BS_PUSHBUTTON,
       u"&Start",
       {70, 26},
       {kNormal,
        {"default", [](HWND control) { SendMessage(control, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE); }},
        kFocused,
        kPushed,
        kDisabled}},
      {"checkbox",
       kButtonClass,
       BS_CHECKBOX,
       u"&Wind",
       {70, 20},
       {kNormal, kChecked, kFocused, kPushed, kDisabled}},
      {"radio",
       kButtonClass,
       BS_RADIOBUTTON,
       u"&Lane",
       {70, 20},
       {kNormal, kChecked, kFocused, kPushed, kDisabled}},
      {"groupbox", kButtonClass, BS_GROUPBOX, u"Heat", {70, 50}, {kNormal, kDisabled}},
      {"static", kStaticClass, SS_LEFT, u"&Reaction", {70, 20}, {kNormal, kDisabled}},
      {"edit",
       kEditClass,
       WS_BORDER,
       u"9.87",
       {70, 22},
       {kNormal,
        {"focused, all selected",
         [](HWND control) {
           SetFocus(control);
           SendMessage(control, EM_SETSEL, 0, -1);
         }},
        kDisabled,
        {"password",
         [](HWND control) {
           SetWindowLong(control, GWL_STYLE, GetWindowLong(control, GWL_STYLE) | ES_PASSWORD);
           InvalidateRect(control, nullptr, TRUE);
         }}}},
      {"scrollbar",
       kScrollBarClass,
       SBS_HORZ,
       u"",
       {70, 17},
       {{"normal", [](HWND control) { setScrollPosition(control, 0); }},
        {"moved", [](HWND control) { setScrollPosition(control, 80); }},
        {"disabled",
         [](HWND control) {
           setScrollPosition(control, 0);
           EnableWindow(control, FALSE);
         }}}},
      {"trackbar",
       TRACKBAR_CLASS,
       TBS_HORZ,
       u"",
       {70, 32},
       {kNormal,
        {"moved", [](HWND control) { SendMessage(control, TBM_SETPOS, TRUE, 70); }},
        kFocused,
        kDisabled}},
  };
}

}  // namespace

TEST(ControlSnapshot, EveryStateOfEveryControlLooksDifferentFromNormal) {
  InitCommonControls();
  for (const Kind& kind : kinds()) {
    SCOPED_TRACE(kind.name);
    ControlHarness h;
    InitCommonControls();
    std::vector<RECT> places;
    for (std::size_t i = 0; i < kind.states.size(); ++i) {
      int left = kGap + static_cast<int>(i) * (kind.size.cx + kGap);
      RECT place{left, kGap, left + kind.size.cx, kGap + kind.size.cy};
      HWND control = h.create(kind.className, kind.style, place, kind.text, static_cast<int>(i) + 1);
      ASSERT_NE(control, nullptr);
      kind.states[i].apply(control);
      h.pump();
      places.push_back(place);
    }
    std::string path = TestPicturePath(std::string("controls_") + kind.name + ".png");
    ASSERT_TRUE(h.driver.snapshot(h.parent, path));
    EXPECT_GT(std::filesystem::file_size(path), 0u);
    std::vector<COLORREF> normal = h.driver.pixels(places[0]);
    for (std::size_t i = 1; i < places.size(); ++i) {
      SCOPED_TRACE(kind.states[i].name);
      EXPECT_NE(h.driver.pixels(places[i]), normal);
    }
  }
}

}  // namespace native::test
