#include "framework/core/zafpagemodel.h"

#include <functional>

#include <gtest/gtest.h>

namespace {

struct Expected {
  int32_t pageWidth, pageHeight, printableWidth, printableHeight, rightMargin, bottomMargin;
};

TEST(ZafPageModel, SizesMarginsAndOrientation) {
  struct Case {
    const char* name;
    std::function<void(ZafPageModel&)> change;
    Expected expected;
  };
  const Case cases[] = {
      {"no printer: letter at 300 per inch, half-inch margins", [](ZafPageModel&) {},
       {2550, 3300, 2250, 3000, 150, 150}},
      {"a resolution of 0 keeps the defaults", [](ZafPageModel& m) { m.SetResolution(0, -5); },
       {2550, 3300, 2250, 3000, 150, 150}},
      {"A4 from tenths of a millimetre", [](ZafPageModel& m) { m.SetPaperTenths(2100, 2970); },
       {2480, 3507, 2180, 3207, 150, 150}},
      {"an unreported side keeps the default", [](ZafPageModel& m) { m.SetPaperTenths(2100, 0); },
       {2480, 3300, 2180, 3000, 150, 150}},
      {"landscape swaps the page once", [](ZafPageModel& m) { m.SetLandscape(true); },
       {3300, 2550, 3000, 2250, 150, 150}},
      {"landscape set twice still swaps once",
       [](ZafPageModel& m) {
         m.SetLandscape(true);
         m.SetLandscape(true);
       },
       {3300, 2550, 3000, 2250, 150, 150}},
      {"back to portrait", [](ZafPageModel& m) {
         m.SetLandscape(true);
         m.SetLandscape(false);
       },
       {2550, 3300, 2250, 3000, 150, 150}},
      {"a page width in landscape sets the sheet's length",
       [](ZafPageModel& m) {
         m.SetLandscape(true);
         m.SetPageWidth(3000);
         m.SetLandscape(false);
       },
       {2550, 3000, 2250, 2700, 150, 150}},
      {"the printable width moves the right margin", [](ZafPageModel& m) { m.SetPrintableWidth(2000); },
       {2550, 3300, 2000, 3000, 400, 150}},
      {"a printable size beyond the page leaves margins of 0",
       [](ZafPageModel& m) {
         m.SetPrintableWidth(5000);
         m.SetPrintableHeight(5000);
       },
       {2550, 3300, 2400, 3150, 0, 0}},
      {"margins", [](ZafPageModel& m) { m.SetMargins(300, 0, 100, 600); }, {2550, 3300, 2150, 2700, 100, 600}},
      {"negative margins are 0", [](ZafPageModel& m) { m.SetMargins(-1, -1, -1, -1); },
       {2550, 3300, 2550, 3300, 0, 0}},
      {"margins wider than the page leave nothing printable", [](ZafPageModel& m) {
         m.SetMargins(2000, 2000, 2000, 2000);
       },
       {2550, 3300, 0, 0, 2000, 2000}},
      {"a new resolution brings back the default sheet in its pixels",
       [](ZafPageModel& m) {
         m.SetMargins(0, 0, 0, 0);
         m.SetResolution(600, 600);
       },
       {5100, 6600, 4500, 6000, 300, 300}},
      {"the same resolution keeps the margins",
       [](ZafPageModel& m) {
         m.SetMargins(0, 0, 0, 0);
         m.SetResolution(300, 300);
       },
       {2550, 3300, 2550, 3300, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ZafPageModel model;
    c.change(model);
    EXPECT_EQ(model.PageWidth(), c.expected.pageWidth);
    EXPECT_EQ(model.PageHeight(), c.expected.pageHeight);
    EXPECT_EQ(model.PrintableWidth(), c.expected.printableWidth);
    EXPECT_EQ(model.PrintableHeight(), c.expected.printableHeight);
    EXPECT_EQ(model.rightMargin, c.expected.rightMargin);
    EXPECT_EQ(model.bottomMargin, c.expected.bottomMargin);
  }
}

}  // namespace
