#include "imaging/ui/yzadjustmentsdialog.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/data/zafscrolldata.h"
#include "imaging/tests/blocketteencoder.h"
#include "imaging/ui/tests/imagepanetestbed.h"
#include "imaging/ui/yzimagepane.h"
#include "imaging/yimage.h"
#include "toolkit/kzslider.h"
#include "toolkit/kzstring.h"
#include "toolkit/tests/kzdialogtestbed.h"

namespace {

class YZAdjustmentsDialogTest : public KZDialogTest {
 protected:
  YZAdjustmentsDialogTest() { SetCamera(image.Camera(), YCamera::kTypeCoded, 0, 40, 1); }

  static std::u16string Text(KZString* field) { return field->Text(); }
  static int32_t At(KZSlider* slider) { return slider->ScrollData()->Current(); }
  void Move(YZAdjustmentsDialog& dialog, KZSlider* slider, int32_t value) {
    slider->ScrollData()->SetCurrent(value);
    EXPECT_EQ(dialog.Event(ZafEventRecord(YZAdjustmentsDialog::kSliderMoved, 0)),
              YZAdjustmentsDialog::kSliderMoved);
  }

  YImage image;
};

}  // namespace

TEST_F(YZAdjustmentsDialogTest, TextsAndSlidersShowTheImagesFactors) {
  image.SetGain(0.125);
  image.SetOffset(-0.5);
  image.SetScaleFactor(1.0);
  YZAdjustmentsDialog dialog(image);
  EXPECT_EQ(Text(dialog.BrightnessText()), u"+12.5 %");
  EXPECT_EQ(At(dialog.BrightnessSlider()), 12);
  EXPECT_EQ(Text(dialog.ContrastText()), u"-50.0 %");
  EXPECT_EQ(At(dialog.ContrastSlider()), -50);
  EXPECT_EQ(Text(dialog.GammaText()), u"1.00");
  EXPECT_EQ(At(dialog.GammaSlider()), 100);

  // The next slider event writes every slider's hundredths: the brightness's 12 becomes 0.12.
  Move(dialog, dialog.BrightnessSlider(), 12);
  EXPECT_EQ(image.Camera().Parameter(24), 1200);
  EXPECT_EQ(Text(dialog.BrightnessText()), u"+12.0 %");
  EXPECT_EQ(image.Camera().Parameter(25), -5000);
  EXPECT_EQ(image.Camera().Parameter(22), 1000);
}

TEST_F(YZAdjustmentsDialogTest, TheGammaSlidersEndsGiveAQuarterAndOneAndThreeQuarters) {
  struct Case {
    int32_t position;
    int32_t parameter22;
    const char16_t* text;
  } cases[] = {{25, 250, u"0.25"}, {175, 1750, u"1.75"}};
  YZAdjustmentsDialog dialog(image);
  EXPECT_EQ(dialog.GammaSlider()->ScrollData()->Minimum(), 25);
  EXPECT_EQ(dialog.GammaSlider()->ScrollData()->Maximum(), 175);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    Move(dialog, dialog.GammaSlider(), c.position);
    EXPECT_EQ(image.Camera().Parameter(22), c.parameter22);
    EXPECT_EQ(Text(dialog.GammaText()), c.text);
  }
}

namespace {

// The pane runs the dialog from its command, over an image of a leg.
class PaneAdjustmentsTest : public KZDialogTest {
 protected:
  void SetUp() override { images.SetUp(); }
  void TearDown() override { images.TearDown(); }
  ImageBed images;
};

}  // namespace

TEST_F(PaneAdjustmentsTest, CancelPutsBackTheFactorsTheImageHadAndOkKeepsTheNewOnes) {
  struct Case {
    ZafEventType answer;
    double gain;
  } cases[] = {{KZDialog::kCancelResult, 0.25}, {KZDialog::kOkResult, 0.5}};
  QvEvent event;
  YImage* image = images.AddPaintedImage(*event.NewLeg(), 10, [](int32_t, int32_t) { return uint16_t{1}; });
  YZImagePane pane(nullptr, image->View(1, true));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    image->SetGain(0.25);
    image->SetScaleFactor(1.0);
    application.Run({[&] {
                       auto* dialog =
                           dynamic_cast<YZAdjustmentsDialog*>(ZafWindowObject::windowManager->First());
                       ASSERT_NE(dialog, nullptr);
                       dialog->BrightnessSlider()->ScrollData()->SetCurrent(50);
                       dialog->GammaSlider()->ScrollData()->SetCurrent(150);
                       dialog->Event(ZafEventRecord(YZAdjustmentsDialog::kSliderMoved, 0));
                       EXPECT_DOUBLE_EQ(image->Gain(), 0.5) << "applied at once";
                     },
                     [&] { KZScriptedApplication::Post(c.answer); }});
    pane.Event(ZafEventRecord(YZImagePane::kAdjustments, 0));
    EXPECT_DOUBLE_EQ(image->Gain(), c.gain);
    EXPECT_DOUBLE_EQ(image->ScaleFactor(), c.answer == KZDialog::kOkResult ? 1.5 : 1.0);
  }
}
