// Text markers, their series and the title manager: where a text is drawn about its point, what a marker
// draws and leaves behind, owned and shared texts, placing in percent of the box, and which titles the
// manager draws in which order.

#include "chart/cf_3dtextmarker.h"

#include <functional>

#include "chart/cf_3dtextmarkerseries.h"
#include "chart/cf_chartmodel.h"
#include "chart/cf_titlemarkermgr.h"
#include "chart/tests/charttestbed.h"
#include "chart/tests/charttestengine.h"

namespace {

using Calls = std::vector<std::string>;

class TextMarkerTest : public ChartDrawTest {
 protected:
  // Box point (x, y) lands on screen point (50 + x, 50 - y).
  void Map(cf_Virt3DObj& object) {
    object.Project(kernel);
    object.ToScreen(kernel);
  }
  // The text calls recorded since the mark.
  Calls TextsSince(std::size_t mark) const {
    Calls texts;
    for (const std::string& call : CallsSince(mark)) {
      if (call.rfind("Text ", 0) == 0) {
        texts.push_back(call);
      }
    }
    return texts;
  }

  cf_Kernel kernel = StraightOn(100, 100, 100, {0, 0, 100, 100, ZAF_PIXEL});
};

TEST_F(TextMarkerTest, PlacesTheTextByItsPlacementAndAngle) {
  using Placing = void (cf_TextAttribs::*)();
  struct Case {
    const char* name;
    int32_t degrees;
    Placing across, upDown;
    bool atBend;
    std::string call;
  };
  // "Power" measures 40 x 24 on the test display; the text point is at (50, 50), the bend at (60, 50).
  const Case cases[] = {
      {"centred", 0, &cf_TextAttribs::SetCentreX, &cf_TextAttribs::SetCentreY, false,
       "Text 30 38 \"Power\" -1 0"},
      {"left of and below", 0, &cf_TextAttribs::SetRight, &cf_TextAttribs::SetTop, false,
       "Text 10 50 \"Power\" -1 0"},
      {"right of and above", 0, &cf_TextAttribs::SetLeft, &cf_TextAttribs::SetBottom, false,
       "Text 50 26 \"Power\" -1 0"},
      {"at the bend", 0, &cf_TextAttribs::SetCentreX, &cf_TextAttribs::SetCentreY, true,
       "Text 40 38 \"Power\" -1 0"},
      {"turned up: height across, width down", 90, &cf_TextAttribs::SetCentreX, &cf_TextAttribs::SetCentreY,
       false, "Text 38 70 \"Power\" -1 0"},
      {"turned up, left of and above", 90, &cf_TextAttribs::SetRight, &cf_TextAttribs::SetBottom, false,
       "Text 26 50 \"Power\" -1 0"},
      {"turned down", -90, &cf_TextAttribs::SetCentreX, &cf_TextAttribs::SetCentreY, false,
       "Text 61 69 \"Power\" -1 0"},
      {"turned down, right of and below", -90, &cf_TextAttribs::SetLeft, &cf_TextAttribs::SetTop, false,
       "Text 73 50 \"Power\" -1 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cf_3DTextMarker marker({0, 0, 0}, {10, 0, 0}, {0, 0, 0});
    marker.SetText(u"Power");
    cf_TextAttribs* attribs = marker.CreateTextAttribs();
    attribs->SetAngle(c.degrees);
    (attribs->*c.across)();
    (attribs->*c.upDown)();
    marker.SetTextAtBend(c.atBend);
    Map(marker);
    const DrawState before = State();
    const std::size_t mark = Mark();
    marker.DrawPrimary(context);
    EXPECT_EQ(TextsSince(mark), Calls{c.call});
    EXPECT_EQ(State(), before);
  }
}

TEST_F(TextMarkerTest, AnOverlappingTextMovesARowAwayFromItsAnchor) {
  struct Case {
    const char* name;
    double anchorY, textY;
    int32_t placedLeft, placedTop, top;
  };
  // "Power" measures 40 x 24 and is centred on its point, at x 30 to 70, where an earlier text 40 x 24
  // lies already or beside it; the draw region is 100 pixels high.
  const Case cases[] = {{"above the anchor: up", -40, 10, 30, 28, 4},
                        {"below the anchor: down", 40, -10, 30, 48, 72},
                        {"past a text over its upper half", -40, 10, 30, 20, -4},
                        {"touching at the side", -40, 10, 70, 28, 4},
                        {"1 pixel beside", -40, 10, 71, 28, 4},
                        {"2 pixels beside", -40, 10, 72, 28, 4},
                        {"3 pixels beside: stays", -40, 10, 73, 28, 28}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cf_3DTextMarker marker({0, c.anchorY, 0}, {0, c.anchorY, 0}, {0, c.textY, 0});
    marker.SetText(u"Power");
    marker.CreateTextAttribs();
    Map(marker);
    std::vector<cf_2DRect> taken = {{c.placedLeft, c.placedTop, c.placedLeft + 40, c.placedTop + 24}};
    marker.PlaceTextClearOf(context, taken);
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken.back().top, c.top);
  }
}

TEST_F(TextMarkerTest, DrawsLeadersMarkersAndTextInItsColours) {
  cf_3DTextMarker marker({-10, -10, 0}, {0, 0, 0}, {20, 0, 0});
  marker.CreateDispAttribs()->SetForeColor(4);
  marker.SetFirstLeader(true);
  marker.SetSecondLeader(true);
  marker.SetBendMarker(true);
  marker.SetText(u"Gun");
  marker.SetTextAttribs(nullptr);
  Map(marker);
  const DrawState before = State();

  std::size_t mark = Mark();
  marker.DrawSecondary(context);
  const Calls firstDraw = {"SetForeground 4",
                           "SetLineStyle 0",
                           "Polygon 2 40 60 50 50 1 0 0",
                           "Polygon 2 50 50 70 50 1 0 0",
                           "SetForeground 0",
                           "SetLineStyle 0",
                           "SetForeground 4",
                           "SetLineStyle 0",
                           "SetBackground 15",
                           "SetFillPattern 0",
                           "Ellipse 45 45 55 55 0 360 1 1",
                           "Pixel 50 50 -3 -3",
                           "SetBackground 15",
                           "SetFillPattern 0",
                           "SetForeground 0",
                           "SetLineStyle 0",
                           "Text 58 38 \"Gun\" -1 0"};
  EXPECT_EQ(CallsSince(mark), firstDraw) << "attributes made in this draw select nothing yet";
  EXPECT_EQ(State(), before);

  marker.SetFirstLeader(false);
  marker.SetSecondLeader(false);
  marker.SetBendMarker(false);
  marker.TextAttribs()->SetForeColor(9);
  marker.TextAttribs()->SetBackColor(2);
  mark = Mark();
  marker.DrawSecondary(context);
  const Calls secondDraw = {"SetForeground 4",         "SetLineStyle 0",  "SetForeground 0",
                            "SetLineStyle 0",          "SetForeground 9", "SetBackground 2",
                            "Text 58 38 \"Gun\" -1 0", "SetForeground 0", "SetBackground 15"};
  EXPECT_EQ(CallsSince(mark), secondDraw);
  EXPECT_EQ(State(), before);

  marker.SetTextSwitch(1);
  mark = Mark();
  marker.DrawSecondary(context);
  EXPECT_EQ(TextsSince(mark), Calls{"Text 58 38 \"Gun\" -1 0"});
  EXPECT_EQ(CallsSince(mark).size(), 5u) << "with the text switch the display's colours stay";
}

TEST(cf_3DTextMarker, OwnsOrSharesItsText) {
  const cf_String shared(u"Heat 3");
  struct Case {
    const char* name;
    std::function<void(cf_3DTextMarker&)> give;
    bool hasText, shown;
    std::u16string text;
  };
  const Case cases[] = {
      {"nothing", [](cf_3DTextMarker&) {}, false, false, u"(none)"},
      {"hiding without a text does nothing", [](cf_3DTextMarker& m) { m.SetTextShown(true); }, false, false,
       u"(none)"},
      {"a null text only marks", [](cf_3DTextMarker& m) { m.SetText(nullptr); }, true, true, u"(none)"},
      {"a text, hidden",
       [](cf_3DTextMarker& m) {
         m.SetText(u"Set");
         m.SetTextShown(false);
       },
       true, false, u"Set"},
      {"a long number in full", [](cf_3DTextMarker& m) { m.SetTextNumber(-1.234e+06, u"%g"); }, true, true,
       u"-1.234e+06"},
      {"an integer", [](cf_3DTextMarker& m) { m.SetTextNumber(int32_t{-42}, u"%d s"); }, true, true,
       u"-42 s"},
      {"a shared text",
       [&](cf_3DTextMarker& m) {
         m.SetText(u"own");
         m.SetTextObject(&shared);
         m.SetTextObject(nullptr);
       },
       true, true, u"Heat 3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    cf_3DTextMarker marker;
    c.give(marker);
    EXPECT_EQ(marker.HasText(), c.hasText);
    EXPECT_EQ(marker.IsTextShown(), c.shown);
    EXPECT_EQ(marker.GetText() ? std::u16string(marker.GetText()->Text()) : u"(none)", c.text);
  }

  cf_3DTextMarker sharing;
  sharing.SetTextObject(&shared);
  sharing.CreateDispAttribs()->SetForeColor(6);
  cf_3DTextMarker owning;
  owning.SetText(u"Legal");
  cf_3DTextMarker sharingCopy(sharing);
  cf_3DTextMarker owningCopy;
  owningCopy = owning;
  owning.SetText(u"changed");
  EXPECT_EQ(sharingCopy.GetText(), &shared);
  EXPECT_EQ(std::u16string(owningCopy.GetText()->Text()), u"Legal");
  EXPECT_EQ(sharingCopy.GetAnchorPoint().DispAttribs(), sharingCopy.DispAttribs())
      << "the copy's points draw with the copy's own attributes";
  EXPECT_NE(sharingCopy.DispAttribs(), sharing.DispAttribs());
  EXPECT_EQ(sharingCopy.DispAttribs()->ForeColor(), 6);
}

TEST(cf_ChartEngine, PlacesPointsInPercentOfTheBox) {
  struct Case {
    double px, py, pz;
    bool translate;
    double x, y, z;
  };
  const Case cases[] = {
      {100, 100, 100, false, 50, 50, 50},
      {0, 0, 0, true, 50, 50, 50},
      {0, 120, -120, false, 0, 60, -60},
      {-117, -90, 0, false, -58.5, -45, 0},
  };
  const TestEngine engine;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.py);
    cf_3DPoint point(7, 7, 7);
    EXPECT_EQ(engine.PlaceAtPercent(&point, c.px, c.py, c.pz, c.translate), 1);
    EXPECT_EQ(point.GetBoxX(), c.x);
    EXPECT_EQ(point.GetBoxY(), c.y);
    EXPECT_EQ(point.GetBoxZ(), c.z);
    double x = c.x, y = c.y, z = c.z;
    engine.GetKernel().Project(&x, &y, &z, 1);
    EXPECT_EQ(point.GetProjX(), x) << "projected at once";
    EXPECT_EQ(point.GetProjY(), y);
  }
  EXPECT_EQ(engine.PlaceAtPercent(nullptr, 1, 1, 1, false), 0);
}

TEST(cf_3DTextMarkerSeries, KeepsACurrentMarkerAndBuildsTheLegend) {
  TestEngine engine;
  cf_3DTextMarkerSeries series(&engine);
  series.PlaceText(10, 10);
  EXPECT_EQ(series.GetMarkerCount(), 0) << "nothing to place";
  cf_3DTextMarker& first = series.SelectMarker(0);
  EXPECT_EQ(series.GetMarkerCount(), 1);
  EXPECT_EQ(series.CurrentMarker(), &first);
  EXPECT_EQ(first.GetTextPoint().GetBoxY(), 0);
  series.AddNumberMarker(0, 50, 0, 0.143);
  series.PlaceAnchor(20, 40);
  EXPECT_EQ(std::u16string(series.CurrentMarker()->GetText()->Text()), u"0.143");
  EXPECT_EQ(series.CurrentMarker()->GetTextPoint().GetBoxY(), 25);
  EXPECT_EQ(series.CurrentMarker()->GetAnchorPoint().GetBoxX(), 10);
  EXPECT_EQ(&series.SelectMarker(7), &first);
  series.SetBackColor(3);
  EXPECT_EQ(first.TextAttribs()->BackColor(), 3);

  cf_ChartModel model(nullptr, cf_ChartModel::kCounted);
  model.AddLegendEntry(u"Lane 4", 80, 90, 0);
  model.AddLegendEntry(u"Lane 5", 80, 80, 0);
  series.BuildFromModel(model);
  ASSERT_EQ(series.GetMarkerCount(), 2);
  cf_3DTextMarker& lane5 = *series.CurrentMarker();
  EXPECT_EQ(lane5.GetText(), &model.GetLegendEntry(2).Name());
  EXPECT_TRUE(lane5.TextAttribs() == &model.GetLegendEntry(2).TextAttribs());
  EXPECT_EQ(lane5.GetTextPoint().GetBoxX(), 40);
  series.Clear();
  EXPECT_EQ(series.CurrentMarker(), nullptr);
}

TEST_F(TextMarkerTest, TitleManagerDrawsTitlesThenAxisTitlesInReferenceOrder) {
  TestEngine engine;
  cf_ChartModel model(nullptr, cf_ChartModel::kCounted);
  model.SetTitle(u"T", 1, 0, 125, -125);
  model.SetTitle(u"S", 2, 0, 115, -115);
  const char16_t* names[] = {u"A1", u"A2", u"A3", u"A4", u"A5", u"A6", u"A7"};
  for (int32_t n = 1; n <= 7; ++n) {
    model.SetAxisTitle(names[n - 1], n, 0, -117, 0);
  }
  cf_TitleMarkerMgr manager(&engine);
  manager.EnsureTitle();
  manager.BuildFromModel(model);
  EXPECT_EQ(manager.GetMarkerCount(), 2);
  EXPECT_EQ(manager.AxisTitle(3), &engine.backY.Title());
  EXPECT_EQ(engine.bottomX.Title().GetTextPoint().GetBoxY(), -58.5);

  const std::size_t mark = Mark();
  manager.Hide();
  manager.DrawPrimary(context);
  Calls texts;
  for (const std::string& call : TextsSince(mark)) {
    texts.push_back(call.substr(call.find('"')));
  }
  const Calls expected = {"\"T\" -1 0",  "\"S\" -1 0",  "\"A2\" -1 0", "\"A1\" -1 0", "\"A4\" -1 0",
                          "\"A3\" -1 0", "\"A6\" -1 0", "\"A5\" -1 0", "\"A7\" -1 0"};
  EXPECT_EQ(texts, expected);

  manager.Clear();
  EXPECT_EQ(manager.AxisTitle(1), nullptr);
  EXPECT_EQ(std::u16string(engine.bottomX.Title().GetText()->Text()), u"A2")
      << "axis titles stay with their axes";
  cf_3DTextMarker& title = manager.EnsureTitle();
  manager.SelectMarker(1);
  EXPECT_EQ(&manager.EnsureTitle(), &title);
  EXPECT_EQ(manager.GetMarkerCount(), 1);
  EXPECT_EQ(manager.CurrentMarker(), &title);
  EXPECT_EQ(std::u16string(title.GetText()->Text()), u"Chart Title");
  EXPECT_EQ(title.GetTextPoint().GetBoxZ(), -60);
}

}  // namespace
