#include <gtest/gtest.h>

#include "native/tests/controlharness.h"

namespace native::test {

namespace {

constexpr RECT kLabelRect{10, 10, 210, 40};

// The smallest rectangle of desktop pixels inside `area` that differ from `background`; empty when none do.
RECT inkIn(const ControlHarness& h, const RECT& area, COLORREF background) {
  RECT ink{area.right, area.bottom, area.left, area.top};
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (h.driver.pixel(x, y) != background) {
        ink = RECT{std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y), std::max<LONG>(ink.right, x + 1),
                   std::max<LONG>(ink.bottom, y + 1)};
      }
    }
  }
  return ink.left >= ink.right ? RECT{} : ink;
}

bool anyPixelOf(const ControlHarness& h, const RECT& area, COLORREF colour) {
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (h.driver.pixel(x, y) == colour) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

TEST(StaticControl, AlignmentStylesPlaceTheText) {
  struct Case {
    const char* name;
    DWORD style;
  };
  const Case cases[] = {{"left", SS_LEFT}, {"centre", SS_CENTER}, {"right", SS_RIGHT}};
  std::vector<RECT> inks;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ControlHarness h;
    h.create(kStaticClass, c.style, kLabelRect, u"Wind");
    inks.push_back(inkIn(h, kLabelRect, GetSysColor(COLOR_BTNFACE)));
    EXPECT_FALSE(IsRectEmpty(&inks.back()));
  }
  ASSERT_EQ(inks.size(), 3u);
  EXPECT_LT(inks[0].left, kLabelRect.left + 3);
  EXPECT_GT(inks[2].right, kLabelRect.right - 3);
  int centreLeft = inks[1].left - kLabelRect.left;
  int centreRight = kLabelRect.right - inks[1].right;
  EXPECT_LE(std::abs(centreLeft - centreRight), 2);
}

TEST(StaticControl, PrefixUnderlinesUnlessNoPrefix) {
  // "&W" underlines the W: ink reaches lower than the same text without the prefix.
  ControlHarness h;
  h.create(kStaticClass, SS_LEFT, RECT{10, 10, 110, 40}, u"&Wind", 1);
  h.create(kStaticClass, SS_LEFT | SS_NOPREFIX, RECT{10, 50, 110, 80}, u"Wind", 2);
  h.create(kStaticClass, SS_LEFT, RECT{10, 90, 110, 120}, u"Wind", 3);
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  RECT underlined = inkIn(h, RECT{10, 10, 110, 40}, face);
  RECT plain = inkIn(h, RECT{10, 90, 110, 120}, face);
  EXPECT_GT(underlined.bottom - 10, plain.bottom - 90);
  EXPECT_EQ(underlined.right - underlined.left, plain.right - plain.left) << "the & itself is not shown";

  HWND literal = h.create(kStaticClass, SS_LEFT | SS_NOPREFIX, RECT{10, 130, 110, 160}, u"A&B", 4);
  HWND doubled = h.create(kStaticClass, SS_LEFT, RECT{10, 170, 110, 200}, u"A&&B", 5);
  RECT literalInk = inkIn(h, RECT{10, 130, 110, 160}, face);
  RECT doubledInk = inkIn(h, RECT{10, 170, 110, 200}, face);
  EXPECT_EQ(literalInk.right - literalInk.left, doubledInk.right - doubledInk.left) << "&& shows one &";
  EXPECT_EQ(h.text(literal), u"A&B");
  EXPECT_EQ(h.text(doubled), u"A&&B");
}

TEST(StaticControl, DisabledTextIsGrey) {
  ControlHarness h;
  HWND label = h.create(kStaticClass, SS_LEFT, kLabelRect, u"Start");
  EXPECT_TRUE(anyPixelOf(h, kLabelRect, GetSysColor(COLOR_BTNTEXT)));
  EnableWindow(label, FALSE);
  h.pump();
  EXPECT_FALSE(anyPixelOf(h, kLabelRect, GetSysColor(COLOR_BTNTEXT)));
  EXPECT_TRUE(anyPixelOf(h, kLabelRect, GetSysColor(COLOR_GRAYTEXT)));
}

TEST(StaticControl, ParentColoursAndFontAreHonoured) {
  ControlHarness h;
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  h.spy.handler = [&](HWND window, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (message == WM_CTLCOLORSTATIC) {
      SetTextColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
      return reinterpret_cast<LRESULT>(blue);
    }
    return DefWindowProc(window, message, wParam, lParam);
  };
  HWND label = h.create(kStaticClass, SS_LEFT, kLabelRect, u"Lane");
  EXPECT_EQ(h.driver.pixel(kLabelRect.right - 2, kLabelRect.bottom - 2), RGB(0, 0, 255));
  EXPECT_TRUE(anyPixelOf(h, kLabelRect, RGB(255, 255, 255))) << "the text colour the parent set";
  RECT smallInk = inkIn(h, kLabelRect, RGB(0, 0, 255));

  HFONT big = CreateFont(-24, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, u"Helvetica");
  SendMessage(label, WM_SETFONT, reinterpret_cast<WPARAM>(big), TRUE);
  h.pump();
  EXPECT_EQ(SendMessage(label, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(big));
  RECT bigInk = inkIn(h, kLabelRect, RGB(0, 0, 255));
  EXPECT_GT(bigInk.right - bigInk.left, smallInk.right - smallInk.left);
  DestroyWindow(label);
  DeleteObject(big);
  DeleteObject(blue);
}

}  // namespace native::test
