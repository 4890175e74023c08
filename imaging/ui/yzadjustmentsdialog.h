// The dialog of an image pane that changes the brightness, contrast and gamma of the shown image with three
// sliders; every move is applied to the image at once, so the pane shows it while the dialog is open. The
// pane notes the image's values before and puts them back when the dialog is cancelled.
#ifndef IMAGING_UI_YZADJUSTMENTSDIALOG_H
#define IMAGING_UI_YZADJUSTMENTSDIALOG_H

#include "toolkit/kzdialog.h"

class KZSlider;
class KZString;
class YImage;

class YZAdjustmentsDialog : public KZDialog {
 public:
  // The event every slider sends when it moves.
  static constexpr ZafEventType kSliderMoved = 10543;

  explicit YZAdjustmentsDialog(YImage& image);
  ~YZAdjustmentsDialog() override;

  // A moved slider writes all three sliders' values to the image and shows the image's values again.
  ZafEventType Event(const ZafEventRecord& event) override;

  KZSlider* BrightnessSlider() const { return brightnessSlider; }
  KZSlider* ContrastSlider() const { return contrastSlider; }
  KZSlider* GammaSlider() const { return gammaSlider; }
  KZString* BrightnessText() const { return brightnessText; }
  KZString* ContrastText() const { return contrastText; }
  KZString* GammaText() const { return gammaText; }

 private:
  // A labelled read-only text field, and under it a slider over minimum..maximum at factor x 100.
  void AddRow(const char16_t* labelKey, KZString*& text, KZSlider*& slider, int32_t minimum, int32_t maximum,
              double factor);
  void FillTexts();

  YImage& image;
  KZString* brightnessText = nullptr;
  KZSlider* brightnessSlider = nullptr;
  KZString* contrastText = nullptr;
  KZSlider* contrastSlider = nullptr;
  KZString* gammaText = nullptr;
  KZSlider* gammaSlider = nullptr;
};

#endif
