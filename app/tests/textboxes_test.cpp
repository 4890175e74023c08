// Texts fit the boxes they are drawn in: on a new event window at 1024 x 768, each column title of the
// results fits its column inside the cell's frame (the program's font is wider than the one the built-in
// widths were made for), and the download gauge's percentage fits the gauge, which lies inside the status
// bar.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/framecommands.h"
#include "app/qvzcontrol.h"
#include "app/qvzresultspane.h"
#include "app/qvzresultstitle.h"
#include "app/qvzresultswindow.h"
#include "app/qvzstatusbar.h"
#include "app/tests/programtest.h"
#include "model/qvevent.h"
#include "native/native.h"
#include "testing/testpictures.h"
#include "toolkit/kzprogressbar.h"

namespace {

class TextBoxesTest : public ProgramTest {
 protected:
  TextBoxesTest() : ProgramTest({1024, 768, 96}) {}

  static QvZResultsPane* Pane() {
    auto* window = CurrentPane<QvZResultsWindow>(PaneKind::kResults);
    return window != nullptr ? window->Pane() : nullptr;
  }
};

// A text, the box it is drawn in and the area the box must lie in (pixels of the window they are drawn in).
struct TextInBox {
  std::string text;
  KPoint size;
  KRect box;
  KRect area;
};

KRect Inset(const KRect& rect, int32_t pixels) {
  return {rect.left + pixels, rect.top + pixels, rect.right - pixels, rect.bottom - pixels};
}

TEST_F(TextBoxesTest, TextsFitTheirBoxes) {
  Then([] { Post(NewCommand); });
  When(
      "the new event's results", [] { return Pane() != nullptr && Pane()->ScreenID() != nullptr; },
      [] { QvZControl::GetStatusBar()->SetProgress(100); });
  Then([this] {
    std::vector<TextInBox> texts;
    QvZResultsTitle& titles = *Pane()->Title();
    const KRect strip = titles.LocalRegion();
    for (int32_t column = 0; column < QvZResultsPane::kColumnCount; ++column) {
      KString title;
      uint32_t flags = 0;
      titles.CellText(column, title, flags);
      KRect cell;
      titles.CellRegion(column, cell, KZSizer::kCellInner);
      texts.push_back({title.ToUtf8(), titles.TextExtent(title.CStr()), cell, strip});
    }
    // The gauge draws its text inside its sunken edge.
    KZProgressBar& gauge = *QvZControl::GetStatusBar()->progress;
    const ZafRegionStruct field = gauge.ConvertToDrawRegion();
    native::RECT client{};
    native::GetClientRect(gauge.ScreenID(), &client);
    texts.push_back({"100%",
                     gauge.TextExtent(u"100%"),
                     Inset({field.left, field.top, field.right, field.bottom}, 1),
                     {client.left, client.top, client.right - 1, client.bottom - 1}});
    for (const TextInBox& text : texts) {
      SCOPED_TRACE(text.text);
      EXPECT_GE(text.box.Width(), text.size.x);
      EXPECT_GE(text.box.Height(), text.size.y);
      EXPECT_TRUE(text.area.ContainsRect(text.box)) << "the box reaches out of its area";
    }
    EXPECT_TRUE(driver.snapshot(TestPicturePath("text-boxes.png")));
  });
  ExitProgram();
  EXPECT_EQ(Run(), 0);
}

}  // namespace
