// The dialog that sets up an image printout: zoom and smoothing, resolution, the printed image's height in
// inches or centimetres, and whether and how many results are printed with it. Its zoom, smoothing,
// resolution and unit are the program's until it ends; the two result settings are written on Ok only.
#ifndef IMAGING_UI_YZPRINTIMAGEDIALOG_H
#define IMAGING_UI_YZPRINTIMAGEDIALOG_H

#include <cstdint>

#include "toolkit/kzdialog.h"

class KZButton;
class KZInteger;
class KZRadioGroup;
class KZReal;
class YZPrinter;

// The print-image choices the program keeps between openings of the dialog.
struct YPrintImageChoices {
  int32_t zoom = 1;
  bool smooth = true;
  int32_t resolution = 300;
  bool centimetres = false;
};

class YZPrintImageDialog : public KZDialog {
 public:
  // The event of the zoom, resolution and unit buttons: the choices apply at once.
  static constexpr ZafEventType kChoiceEvent = 10542;

  YZPrintImageDialog(YZPrinter& printer, int32_t imageLength);
  ~YZPrintImageDialog() override;

  ZafEventType Event(const ZafEventRecord& event) override;
  // Takes the choices for every answer; the result settings on Ok only.
  void ProcessResult(ZafEventType result) override;

  // The height of the image printed at the chosen zoom and resolution, in the chosen unit, cut to
  // hundredths.
  double ComputedHeight() const;
  // The height typed in the field.
  double TypedHeight();

  KZRadioGroup* ZoomGroup() const { return zoomGroup; }
  KZRadioGroup* ResolutionGroup() const { return resolutionGroup; }
  KZRadioGroup* UnitGroup() const { return unitGroup; }
  KZRadioGroup* ResultsGroup() const { return resultsGroup; }
  KZButton* SmoothBox() const { return smoothBox; }
  KZReal* HeightField() const { return heightField; }
  KZInteger* MaxResultsField() const { return maxResultsField; }

  // The program's choices.
  static YPrintImageChoices& Choices();
  // Whether results are printed with the image, and at most how many (0 to 99).
  static bool PrintResultsSetting();
  static int32_t MaxResultsSetting();

 private:
  void ApplyChoices();
  void FillHeight();

  YZPrinter& printer;
  int32_t imageLength;
  KZRadioGroup* zoomGroup = nullptr;
  KZButton* smoothBox = nullptr;
  KZRadioGroup* resolutionGroup = nullptr;
  KZReal* heightField = nullptr;
  KZRadioGroup* unitGroup = nullptr;
  KZRadioGroup* resultsGroup = nullptr;
  KZInteger* maxResultsField = nullptr;
};

#endif
