#include "imaging/ui/yzprintimagedialog.h"

#include <array>
#include <cmath>

#include "foundation/kregistry.h"
#include "foundation/krint.h"
#include "framework/data/zafrealdata.h"
#include "imaging/ui/yzprinter.h"
#include "model/qvsettings.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzinteger.h"
#include "toolkit/kzradiogroup.h"
#include "toolkit/kzreal.h"

namespace {

constexpr std::array<int32_t, 4> kZooms{1, 2, 4, 8};
constexpr std::array<int32_t, 3> kResolutions{300, 600, 1200};
constexpr double kCentimetresPerInch = 2.54;
// An image line prints one and a half printer lines high.
constexpr double kLinesPerImageLine = 1.5;
constexpr int32_t kHeightWidth = 5;
constexpr double kMaxHeight = 999.9;
constexpr int32_t kMaxResultsWidth = 2;
constexpr int32_t kMaxResults = 99;

constexpr const char16_t* kPrintResults = u"\\Event\\Image\\Print\\PrintResults";
constexpr const char16_t* kMaxResultsSetting = u"\\Event\\Image\\Print\\MaxResults";

KString Label(const char16_t* name) {
  KString path(u"\\Strings\\Event\\Image\\PrintDlg\\");
  path.Append(name);
  return QvSettings::Text(path.CStr());
}

template <std::size_t N>
int32_t IndexOf(const std::array<int32_t, N>& values, int32_t value) {
  for (std::size_t i = 0; i < N; ++i) {
    if (values[i] == value) {
      return static_cast<int32_t>(i);
    }
  }
  return 0;
}

template <std::size_t N>
int32_t ValueAt(const std::array<int32_t, N>& values, const KZRadioGroup* group) {
  const int32_t index = group->GetSelection();
  return index >= 0 && index < static_cast<int32_t>(N) ? values[static_cast<std::size_t>(index)] : values[0];
}

// Through the node's own setter when the setting is there, so that whoever follows it learns of the change.
void WriteIntSetting(const char16_t* path, int32_t value) {
  if (KRInt* node = KRegistry::GetInt(QvSettings::Root(), path)) {
    node->Set(value);
    return;
  }
  KString line(path);
  line.Append(u":Int=");
  line.AppendInt(value);
  QvSettings::Write(line);
}

}  // namespace

bool YZPrintImageDialog::PrintResultsSetting() {
  return QvSettings::Int(kPrintResults, 0, QvSettings::kSwitch) != 0;
}

int32_t YZPrintImageDialog::MaxResultsSetting() {
  return QvSettings::Int(kMaxResultsSetting, 0, {0, kMaxResults, QvSettings::Outside::kNearestEnd});
}

YPrintImageChoices& YZPrintImageDialog::Choices() {
  static YPrintImageChoices choices;
  return choices;
}

YZPrintImageDialog::YZPrintImageDialog(YZPrinter& printer, int32_t imageLength)
    : KZDialog(Label(u"Title").CStr(), kOk | kCancel, kOk), printer(printer), imageLength(imageLength) {
  const YPrintImageChoices& choices = Choices();
  AddPrompt(Label(u"Zoom").CStr(), -1);
  for (const char16_t* name : {u"Zoom1", u"Zoom2", u"Zoom4", u"Zoom8"}) {
    AddRadioButton(Label(name).CStr(), kChoiceEvent, -1);
  }
  zoomGroup = AddRadioGroup(IndexOf(kZooms, choices.zoom));
  smoothBox = AddCheckBox(Label(u"SmoothZoom").CStr(), choices.smooth, 0, -1);
  NewLine();

  AddPrompt(Label(u"DPI").CStr(), -1);
  for (const char16_t* name : {u"DPI300", u"DPI600", u"DPI1200"}) {
    AddRadioButton(Label(name).CStr(), kChoiceEvent, -1);
  }
  resolutionGroup = AddRadioGroup(IndexOf(kResolutions, choices.resolution));
  NewLine();

  AddPrompt(Label(u"ImageHeight").CStr(), -1);
  heightField = AddReal(0, kHeightWidth, 0, kMaxHeight);
  heightField->RealData()->SetFormat(u"%0.2lf");
  for (const char16_t* name : {u"Inches", u"Centimeters"}) {
    AddRadioButton(Label(name).CStr(), kChoiceEvent, -1);
  }
  unitGroup = AddRadioGroup(choices.centimetres ? 1 : 0);
  NewLine();

  AddPrompt(Label(u"PrintResults").CStr(), -1);
  for (const char16_t* name : {u"PROff", u"PROn"}) {
    AddRadioButton(Label(name).CStr(), 0, -1);
  }
  resultsGroup = AddRadioGroup(PrintResultsSetting() ? 1 : 0);
  NewLine();

  AddPrompt(Label(u"MaxResults").CStr(), -1);
  maxResultsField = AddInteger(MaxResultsSetting(), kMaxResultsWidth, 0, kMaxResults);
  NewLine();
  FillHeight();
}

YZPrintImageDialog::~YZPrintImageDialog() = default;

double YZPrintImageDialog::ComputedHeight() const {
  const YPrintImageChoices& choices = Choices();
  double height = static_cast<double>(imageLength) * choices.zoom /
                  (kLinesPerImageLine * printer.LineHeight(choices.resolution));
  if (choices.centimetres) {
    height *= kCentimetresPerInch;
  }
  return std::floor(height * 100) * 0.01;
}

double YZPrintImageDialog::TypedHeight() {
  return heightField->ZafReal::Value();
}

void YZPrintImageDialog::FillHeight() {
  heightField->SetValue(ComputedHeight());
}

void YZPrintImageDialog::ApplyChoices() {
  YPrintImageChoices& choices = Choices();
  choices.zoom = ValueAt(kZooms, zoomGroup);
  choices.smooth = smoothBox->Selected();
  choices.resolution = ValueAt(kResolutions, resolutionGroup);
  choices.centimetres = unitGroup->GetSelection() == 1;
}

ZafEventType YZPrintImageDialog::Event(const ZafEventRecord& event) {
  if (event.type != kChoiceEvent) {
    return KZDialog::Event(event);
  }
  ApplyChoices();
  FillHeight();
  return kChoiceEvent;
}

void YZPrintImageDialog::ProcessResult(ZafEventType result) {
  ApplyChoices();
  if (result == kOkResult) {
    WriteIntSetting(kPrintResults, resultsGroup->GetSelection() == 1 ? 1 : 0);
    WriteIntSetting(kMaxResultsSetting, static_cast<int32_t>(maxResultsField->ZafInteger::Value()));
  }
}
