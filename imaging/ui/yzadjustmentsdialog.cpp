#include "imaging/ui/yzadjustmentsdialog.h"

#include "framework/core/zafdisplay.h"
#include "framework/data/zafprintf.h"
#include "framework/data/zafscrolldata.h"
#include "imaging/yimage.h"
#include "model/qvsettings.h"
#include "toolkit/kzslider.h"
#include "toolkit/kzstring.h"

namespace {

constexpr int32_t kTextWidth = 8;
constexpr int32_t kTextLength = 31;
constexpr int32_t kSliderPixels = 250;
constexpr int32_t kLineStep = 1;
constexpr int32_t kPageStep = 10;

// A slider position holds a factor in hundredths, truncated toward zero.
int32_t SliderValue(double factor) {
  return static_cast<int32_t>(factor * 100);
}

double SliderFactor(const KZSlider* slider) {
  return slider->ScrollData()->Current() * 0.01;
}

void ShowFormatted(KZString* field, const ZafIChar* format, double value) {
  ZafIChar text[kTextLength + 1];
  ZafSPrintf(text, format, value);
  field->SetText(text);
}

}  // namespace

YZAdjustmentsDialog::YZAdjustmentsDialog(YImage& image)
    : KZDialog(QvSettings::Text(u"\\Strings\\Event\\Image\\AdjustmentsDlg\\Title").CStr(), kOk | kCancel,
               kOk),
      image(image) {
  AddRow(u"\\Strings\\Event\\Image\\AdjustmentsDlg\\Brightness", brightnessText, brightnessSlider, -100, 100,
         image.Gain());
  AddRow(u"\\Strings\\Event\\Image\\AdjustmentsDlg\\Contrast", contrastText, contrastSlider, -100, 100,
         image.Offset());
  AddRow(u"\\Strings\\Event\\Image\\AdjustmentsDlg\\Gamma", gammaText, gammaSlider, 25, 175,
         image.ScaleFactor());
  FillTexts();
}

YZAdjustmentsDialog::~YZAdjustmentsDialog() = default;

void YZAdjustmentsDialog::AddRow(const char16_t* labelKey, KZString*& text, KZSlider*& slider,
                                 int32_t minimum, int32_t maximum, double factor) {
  AddPrompt(QvSettings::Text(labelKey).CStr(), -1);
  text = AddString(u"", kTextWidth, kTextLength);
  text->SetViewOnly(true);
  NewLine();
  const int32_t cellWidth = display && display->cellWidth > 0 ? display->cellWidth : 1;
  slider = AddSlider(minimum, maximum, SliderValue(factor), kLineStep, kPageStep, kSliderPixels / cellWidth,
                     kSliderMoved);
  NewLine();
}

ZafEventType YZAdjustmentsDialog::Event(const ZafEventRecord& event) {
  if (event.type != kSliderMoved) {
    return KZDialog::Event(event);
  }
  image.SetGain(SliderFactor(brightnessSlider));
  image.SetOffset(SliderFactor(contrastSlider));
  image.SetScaleFactor(SliderFactor(gammaSlider));
  FillTexts();
  return kSliderMoved;
}

void YZAdjustmentsDialog::FillTexts() {
  ShowFormatted(brightnessText, u"%+0.1lf %%", image.Gain() * 100);
  ShowFormatted(contrastText, u"%+0.1lf %%", image.Offset() * 100);
  ShowFormatted(gammaText, u"%0.2lf", image.ScaleFactor());
}
