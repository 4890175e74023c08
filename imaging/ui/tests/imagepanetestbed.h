// The image pane's tests share this set-up: the headless desktop with the toolkit's application, the image
// fixtures (settings, imaging statics, a block pool), an event whose leg holds a painted colour image, and
// the pane over a view of it, shown with an exact size.
#ifndef IMAGING_UI_TESTS_IMAGEPANETESTBED_H
#define IMAGING_UI_TESTS_IMAGEPANETESTBED_H

#include <memory>
#include <vector>

#include "framework/core/zafwindowmanager.h"
#include "imaging/tests/imagetestfixture.h"
#include "imaging/ui/yzimagepane.h"
#include "imaging/yimagereporter.h"
#include "imaging/yimageview.h"
#include "model/qvresult.h"
#include "model/yleg.h"
#include "toolkit/tests/kzpanetestbed.h"

// The image fixtures, run by hand inside the pane's fixture.
class ImageBed : public ImageTest {
 public:
  using ImageTest::AddPaintedImage;
  using ImageTest::AddRawImage;
  using ImageTest::AddSetting;
  using ImageTest::folder;
  using ImageTest::SetUp;
  using ImageTest::TearDown;
  void TestBody() override {}
};

// Records what the pane reports to the program.
class RecordingReporter : public YImageReporter {
 public:
  void StatusText(const KString& text) override { statusTexts.push_back(text.ToUtf8()); }
  void Progress(int32_t percent) override { progress.push_back(percent); }
  void Busy(bool on) override { busy.push_back(on); }
  bool BreakPressed() override { return breakAfter >= 0 && breakAfter-- == 0; }
  void ErrorMessage(const KString& text, const KString&) override { errorMessages.push_back(text.ToUtf8()); }
  void ErrorAlert(int32_t code, int32_t) override { alerts.push_back(code); }

  std::vector<std::string> statusTexts;
  std::vector<int32_t> progress;
  std::vector<bool> busy;
  std::vector<std::string> errorMessages;
  std::vector<int32_t> alerts;
  // The break key is pressed at this row test (-1: never).
  int32_t breakAfter = -1;
};

// A pane that records its selection pop-ups instead of tracking a menu.
class TestImagePane : public YZImagePane {
 public:
  using YZImagePane::YZImagePane;
  void ShowSelectionPopup(KPoint screen) override { popups.push_back(screen); }
  std::vector<KPoint> popups;
};

class ImagePaneTest : public KZPaneTest {
 protected:
  // Frames of the painted image; pixel p of frame f is a dark blue that no pen colour of the pane has.
  static constexpr int32_t kFrames = 120;
  static constexpr uint16_t kPaint = 0x0008;

  void SetUp() override {
    images.SetUp();
    YImageReporter::Connect(&reporter);
    event = std::make_unique<QvEvent>();
    image = images.AddPaintedImage(*event->NewLeg(), kFrames, [](int32_t, int32_t) { return kPaint; });
    // Times of 1/80000 s at resolution 8; frame f at 100 + 10 f, 8000 frames a second.
    image->Camera().SetParameter(4, 8, false);
    image->Camera().SetParameter(8, 8000, false);
    view = image->View(1, true);
  }
  void TearDown() override {
    if (pane) {
      ZafWindowObject::windowManager->Subtract(pane);
      delete pane;
    }
    view = nullptr;
    event.reset();
    YImageReporter::Connect(nullptr);
    images.TearDown();
  }

  // The pane over the view, 200 x 100 pixels with its bars, on the desktop.
  TestImagePane* ShowImagePane() {
    pane = new TestImagePane(nullptr, view);
    pane->SetRegion({10, 10, 209, 109, ZAF_PIXEL});
    Show(pane);
    return pane;
  }
  native::COLORREF UnitPixel(KPoint unit) {
    const KPoint at = pane->UnitToScreen(unit);
    return driver.pixel(at.x, at.y);
  }
  void Setting(const std::u16string& line) { images.AddSetting(line.c_str()); }
  // A result of the image's leg whose main time is that of frame `frame`.
  QvResult* AddResultAt(int32_t frame) {
    QvResult* result = event->Leg(0)->Results().NewResult();
    result->SetFinishTime(YTime(100 + 10 * frame, 1, 8, -1));
    return result;
  }

  ImageBed images;
  RecordingReporter reporter;
  std::unique_ptr<QvEvent> event;
  YImage* image = nullptr;
  YImageView* view = nullptr;
  TestImagePane* pane = nullptr;
};

#endif
