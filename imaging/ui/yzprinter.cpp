#include "imaging/ui/yzprinter.h"

#include "imaging/ui/yzprintimagedialog.h"

namespace {

constexpr double kInchesPerCentimetre = 0.39370078740157477;
// A typed height is taken only strictly between these (in the chosen unit).
constexpr double kHeightAbove = 0;
constexpr double kHeightBelow = 100;

}  // namespace

YZPrinter::YZPrinter() = default;

YZPrinter::~YZPrinter() = default;

bool YZPrinter::SetupImage(YZPrinter& printer, int32_t imageLength) {
  YZPrintImageDialog dialog(printer, imageLength);
  if (dialog.Execute() != KZDialog::kOkResult) {
    return false;
  }
  const YPrintImageChoices& choices = YZPrintImageDialog::Choices();
  printer.zoom = choices.zoom;
  printer.smooth = choices.smooth;
  printer.resolution = choices.resolution;
  const double typed = dialog.TypedHeight();
  double height = typed > kHeightAbove && typed < kHeightBelow ? typed : dialog.ComputedHeight();
  if (choices.centimetres) {
    height *= kInchesPerCentimetre;
  }
  printer.imageHeight = height;
  printer.maxResults =
      YZPrintImageDialog::PrintResultsSetting() ? YZPrintImageDialog::MaxResultsSetting() : 0;
  return true;
}
