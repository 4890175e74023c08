#include "imaging/ui/yzcameradialog.h"

#include <algorithm>

#include "foundation/ksocket.h"
#include "imaging/ycamera.h"
#include "model/qvsettings.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzcombobox.h"
#include "toolkit/kzinteger.h"
#include "toolkit/kzprompt.h"
#include "toolkit/kzradiogroup.h"
#include "toolkit/kzstring.h"

namespace {

constexpr int32_t kNameWidth = 20;
constexpr int32_t kNameLength = 31;
constexpr int32_t kTimeWidth = 4;
constexpr int32_t kTimeLength = 20;
constexpr int32_t kSmallWidth = 3;
constexpr int32_t kWideWidth = 4;
constexpr int32_t kMaxLanes = 20;
constexpr int32_t kTypedMinimum = 1;
constexpr int32_t kTypedMaximum = 9999;
constexpr int32_t kFrequencyRows = 8;

// The parameters the dialog shows, by number.
enum : int32_t {
  kSerialNumber = 1,
  kAddress = 3,
  kFrameLayout = 5,
  kDensityOrWindow = 7,
  kFrameRate = 8,
  kCompression = 9,
  kCompressionMinimum = 10,
  kGainMethod = 11,
  kGain = 12,
  kBrightnessLow = 13,
  kBrightnessHigh = 14,
  kFrequency = 15,
  kOrientation = 16,
  kReverseLanes = 17,
  kIdentifyBy = 18,
  kRed = 19,
  kGreen = 20,
  kBlue = 21,
  kMemory = 23,
  kPixelMode = 27,
  kGunSensor = 33,
  kGunSensorDebounce = 34,
  kPhotoEye = 35,
  kPhotoEyeDebounce = 36,
  kPhotoEyeOffset = 37,
  kMaximumGain = 40,
  kGunSensorLight = 41,
};

// Choices the handlers test.
constexpr int32_t kColor15 = 1;
constexpr int32_t kCompressionOn = 1;
constexpr int32_t kAgc = 0;
constexpr int32_t kManualGain = 1;
constexpr int32_t kDensityLow = 2;
constexpr int32_t kModeFull = 0;
constexpr int32_t kModeTop = 1;
constexpr int32_t kModeBottom = 2;
constexpr int32_t kPhotoEyeExternal = 1;

KString Label(const char16_t* key) {
  KString path(u"\\Strings\\Hardware\\CameraDlg\\");
  path.Append(key);
  return QvSettings::Text(path.CStr());
}

ZafWindowObject* ButtonAt(KZRadioGroup* group, int32_t index) {
  if (!group) {
    return nullptr;
  }
  ZafElement* child = group->FirstChild();
  for (int32_t i = 0; child && i < index; ++i) {
    child = child->Next();
  }
  return static_cast<ZafWindowObject*>(child);
}

void Enable(ZafWindowObject* object, bool on) {
  if (object) {
    object->SetDisabled(!on);
  }
}

int32_t Choice(const KZRadioGroup* group) {
  return group ? group->GetSelection() : -1;
}

}  // namespace

YZCameraDialog::YZCameraDialog(YCamera& camera)
    : KZDialog(Label(u"Title").CStr(), kOk | kCancel, kOk),
      camera(camera),
      savedFrameRate(camera.Parameter(kFrameRate)),
      savedWindowSize(camera.Parameter(kDensityOrWindow)) {
  camera.SetParameter(kFrameRate, camera.MinValue(kFrameRate), true);
  if (camera.IsType102()) {
    camera.SetParameter(kDensityOrWindow, camera.MinValue(kDensityOrWindow), true);
  }
  BeginNotebook(0, 0);
  BuildSetupPage();
  BuildParametersPage();
  BuildInputsPage();
  EndNotebook(0);
  for (ZafEventType event : {kPixelModeChosen, kAveragingChosen, kCompressionChosen, kGainMethodChosen,
                             kDensityChosen, kFrameModeChosen}) {
    ChoiceMade(event);
  }
  ShowRange(frameRateRange, kFrameRate);
  ChoiceMade(kGunSensorChosen);
  ChoiceMade(kPhotoEyeChosen);
}

YZCameraDialog::~YZCameraDialog() = default;

void YZCameraDialog::BuildSetupPage() {
  AddPage(Label(u"Setup").CStr());
  AddRowLabel(u"Information");
  KString information(Label(u"SerialNumber"));
  information.Append(u"  ").AppendInt(camera.Parameter(kSerialNumber)).Append(u"   ");
  information.Append(Label(u"Memory")).Append(u"  ").AppendInt(camera.Parameter(kMemory));
  information.Append(Label(u"Megabytes")).Append(u"   ").Append(Label(u"IPAddress")).Append(u"  ");
  KSocket::AddressToText(information, static_cast<uint32_t>(camera.Parameter(kAddress)));
  AddPrompt(information.CStr(), -1);
  AddRowLabel(u"Name");
  nameField = AddString(camera.Name().CStr(), kNameWidth, kNameLength);
  AddRowLabel(u"Orientation");
  orientationGroup = AddChoices({u"OrientLeft", u"OrientRight"}, 0, camera.Parameter(kOrientation));
  AddRowLabel(u"IdentifyBy");
  identifyByGroup =
      AddChoices({u"IdByNothing", u"IdByLane", u"IdById", u"IdByLicense"}, 0, camera.Parameter(kIdentifyBy));
  AddRowLabel(u"Lanes");
  lanesField = AddInteger(camera.ValueCount(), kSmallWidth, 0, kMaxLanes);
  reverseLanesButton =
      AddCheckBox(Label(u"ReverseLanes").CStr(), camera.Parameter(kReverseLanes) == 1, 0, -1);
  AddRowLabel(u"WhiteBalance");
  AddPrompt(Label(u"Red").CStr(), -1);
  redField = AddParameterField(kRed, kSmallWidth);
  AddPrompt(Label(u"Green").CStr(), -1);
  greenField = AddParameterField(kGreen, kSmallWidth);
  AddPrompt(Label(u"Blue").CStr(), -1);
  blueField = AddParameterField(kBlue, kSmallWidth);
  NewLine();
  EndPage();
}

void YZCameraDialog::BuildParametersPage() {
  AddPage(Label(u"Parameters").CStr());
  AddRowLabel(u"PixelMode");
  pixelModeGroup = AddChoices({u"Gray8", u"Color15"}, kPixelModeChosen, camera.Parameter(kPixelMode));
  EnableChoices(pixelModeGroup, kPixelMode, true);
  if (camera.IsType101()) {
    AddRowLabel(u"FrameMode");
    frameModeGroup = AddChoices({u"ModeFull", u"ModeTop", u"ModeBottom"}, kFrameModeChosen,
                                camera.Parameter(kFrameLayout));
  } else if (camera.IsType102()) {
    AddRowLabel(u"PixelAveraging");
    averagingGroup = AddChoices({u"Average1", u"Average2", u"Average3", u"Average4"}, kAveragingChosen,
                                camera.Parameter(kFrameLayout));
    EnableChoices(averagingGroup, kFrameLayout, true);
  }
  AddRowLabel(u"Compression");
  compressionGroup = AddChoices({u"CompOff", u"CompOn"}, kCompressionChosen, camera.Parameter(kCompression));
  EnableChoices(compressionGroup, kCompression, true);
  AddRowLabel(u"CompMinimum");
  compressionMinimumField = AddParameterField(kCompressionMinimum, kSmallWidth);
  AddRowLabel(u"FrameRate");
  frameRateField = AddInteger(savedFrameRate, kWideWidth, kTypedMinimum, kTypedMaximum);
  frameRateRange = AddPrompt(u" ", -1);
  if (camera.IsType101()) {
    AddRowLabel(u"FrameDensity");
    densityGroup = AddChoices({u"DensityHigh", u"DensityMedium", u"DensityLow"}, kDensityChosen,
                              camera.Parameter(kDensityOrWindow));
  } else if (camera.IsType102()) {
    AddRowLabel(u"FrameDensity");
    windowSizeField = AddInteger(savedWindowSize, kWideWidth, kTypedMinimum, kTypedMaximum);
    windowSizeField->SetDisabled(camera.IsLocked(kDensityOrWindow));
    windowSizeRange = AddPrompt(u" ", -1);
  }
  AddRowLabel(u"GainMethod");
  gainMethodGroup = AddChoices({u"AGC", u"Manual"}, kGainMethodChosen, camera.Parameter(kGainMethod));
  Enable(ButtonAt(gainMethodGroup, kAgc), camera.CanSet(kGainMethod, kAgc));
  AddRowLabel(u"Gain");
  gainField = AddParameterField(kGain, kSmallWidth);
  AddRowLabel(u"AGCParameters");
  NewLine();
  AddRowLabel(u"Brightness");
  brightnessField = AddInteger(camera.Parameter(kBrightnessLow), kSmallWidth, camera.MinValue(kBrightnessLow),
                               camera.MaxValue(kBrightnessHigh));
  if (camera.IsType101()) {
    AddRowLabel(u"Frequency");
    ResetComboWidth();
    for (const char16_t* key : {u"FreqEighth", u"FreqQuarter", u"FreqHalf", u"FreqOne", u"FreqTwo",
                                u"FreqFour", u"FreqEight", u"FreqSixteen"}) {
      AddComboItem(Label(key).CStr(), 0);
    }
    frequencyList = AddComboBox(camera.Parameter(kFrequency), false, kFrequencyRows);
  } else if (camera.IsType102()) {
    AddRowLabel(u"Frequency");
    frequencyField = AddParameterField(kFrequency, kWideWidth);
  }
  NewLine();
  AddPrompt(u" ", -1);
  AddPrompt(Label(u"MaximumGain").CStr(), -1);
  maximumGainField = AddParameterField(kMaximumGain, kSmallWidth);
  NewLine();
  EndPage();
}

void YZCameraDialog::BuildInputsPage() {
  AddPage(Label(u"Inputs").CStr());
  AddRowLabel(u"GunSensor");
  gunSensorGroup = AddChoices({u"GunSensorNone", u"GunSensorNO", u"GunSensorNC"}, kGunSensorChosen,
                              camera.Parameter(kGunSensor));
  EnableChoices(gunSensorGroup, kGunSensor, false);
  NewLine();
  AddPrompt(u" ", -1);
  AddPrompt(Label(u"GSDebounce").CStr(), -1);
  gunSensorDebounceField = AddTimeField(camera.Parameter(kGunSensorDebounce));
  NewLine();
  AddPrompt(u" ", -1);
  AddRowLabel(u"GSLight");
  gunSensorLightGroup = AddChoices({u"GSLightOn", u"GSLightSwitched"}, 0, camera.Parameter(kGunSensorLight));
  EnableChoices(gunSensorLightGroup, kGunSensorLight, false);
  AddRowLabel(u"PhotoEye");
  photoEyeGroup = AddChoices({u"PENone", u"PEExternal"}, kPhotoEyeChosen, camera.Parameter(kPhotoEye));
  EnableChoices(photoEyeGroup, kPhotoEye, false);
  NewLine();
  AddPrompt(u" ", -1);
  AddPrompt(Label(u"PEDebounce").CStr(), -1);
  photoEyeDebounceField = AddTimeField(camera.Parameter(kPhotoEyeDebounce));
  AddPrompt(Label(u"PEOffset").CStr(), -1);
  photoEyeOffsetField = AddTimeField(camera.Parameter(kPhotoEyeOffset));
  NewLine();
  EndPage();
}

void YZCameraDialog::AddRowLabel(const char16_t* key) {
  NewLine();
  AddPrompt(Label(key).CStr(), -1);
}

KZRadioGroup* YZCameraDialog::AddChoices(std::initializer_list<const char16_t*> keys, ZafEventType event,
                                         int32_t selection) {
  ResetRadioColumn();
  for (const char16_t* key : keys) {
    AddRadioButton(Label(key).CStr(), static_cast<int32_t>(event), -1);
  }
  return AddRadioGroup(selection);
}

KZInteger* YZCameraDialog::AddParameterField(int32_t n, int32_t width) {
  return AddInteger(camera.Parameter(n), width, camera.MinValue(n), camera.MaxValue(n));
}

KZString* YZCameraDialog::AddTimeField(int32_t milliseconds) {
  KZString* field = AddString(u"", kTimeWidth, kTimeLength);
  if (field) {
    field->SetTime(milliseconds, 0);
  }
  return field;
}

void YZCameraDialog::EnableChoices(KZRadioGroup* group, int32_t n, bool unlessLocked) {
  const bool locked = unlessLocked && camera.IsLocked(n);
  int32_t index = 0;
  for (ZafElement* child = group->FirstChild(); child; child = child->Next(), ++index) {
    Enable(static_cast<ZafWindowObject*>(child), !locked && camera.CanSet(n, index));
  }
}

void YZCameraDialog::ShowRange(KZPrompt* label, int32_t n) {
  if (!label) {
    return;
  }
  KString text(u"(");
  text.AppendInt(camera.MinValue(n)).Append(u" - ").AppendInt(camera.MaxValue(n)).Append(u")");
  label->SetText(text.CStr());
}

ZafEventType YZCameraDialog::Event(const ZafEventRecord& event) {
  if (event.type < kPixelModeChosen || event.type > kPhotoEyeChosen) {
    return KZDialog::Event(event);
  }
  ChoiceMade(event.type);
  return event.type;
}

// Every handler tests for the rows of its camera type, so a camera of neither type opens and closes safely.
void YZCameraDialog::ChoiceMade(ZafEventType event) {
  switch (event) {
    case kPixelModeChosen: {
      const bool colour = Choice(pixelModeGroup) == kColor15;
      for (KZInteger* field : {redField, greenField, blueField}) {
        Enable(field, colour);
      }
      break;
    }
    case kAveragingChosen:
      if (averagingGroup) {
        camera.SetParameter(kFrameLayout, Choice(averagingGroup), true);
        ShowRange(windowSizeRange, kDensityOrWindow);
      }
      break;
    case kCompressionChosen:
      Enable(compressionMinimumField, Choice(compressionGroup) == kCompressionOn);
      break;
    case kGainMethodChosen: {
      const int32_t method = Choice(gainMethodGroup);
      Enable(gainField, method == kManualGain);
      Enable(brightnessField, method == kAgc);
      Enable(frequencyList, method == kAgc);
      Enable(frequencyField, method == kAgc);
      Enable(maximumGainField, method == kAgc && camera.IsType102());
      break;
    }
    case kDensityChosen:
      if (densityGroup) {
        const int32_t density = Choice(densityGroup);
        Enable(ButtonAt(frameModeGroup, kModeTop), density != kDensityLow);
        Enable(ButtonAt(frameModeGroup, kModeBottom), density != kDensityLow);
        camera.SetParameter(kDensityOrWindow, density, true);
        ShowRange(frameRateRange, kFrameRate);
      }
      break;
    case kFrameModeChosen:
      if (frameModeGroup) {
        const int32_t mode = Choice(frameModeGroup);
        Enable(ButtonAt(densityGroup, kDensityLow), mode == kModeFull);
        camera.SetParameter(kFrameLayout, mode, true);
        ShowRange(frameRateRange, kFrameRate);
      }
      break;
    case kGunSensorChosen: {
      const bool fitted = Choice(gunSensorGroup) != 0;
      Enable(gunSensorDebounceField, fitted);
      Enable(gunSensorLightGroup, fitted);
      break;
    }
    case kPhotoEyeChosen: {
      const int32_t eye = Choice(photoEyeGroup);
      Enable(photoEyeDebounceField, eye == kPhotoEyeExternal);
      Enable(photoEyeOffsetField, eye != 0);
      break;
    }
    default:
      break;
  }
}

void YZCameraDialog::ProcessResult(ZafEventType result) {
  if (result != kOkResult) {
    return;
  }
  camera.SetName(KString(nameField->Text()));
  SetParameter(kCompression, 0);
  SetParameter(kPixelMode, Choice(pixelModeGroup));
  SetParameter(kCompression, Choice(compressionGroup));
  SetParameter(kCompressionMinimum, compressionMinimumField->ZafInteger::Value());
  WriteFrameLayout();
  SetParameter(kGainMethod, Choice(gainMethodGroup));
  SetParameter(kGain, gainField->ZafInteger::Value());
  SetParameter(kBrightnessHigh, camera.MaxValue(kBrightnessHigh));
  const int32_t brightness = brightnessField->ZafInteger::Value();
  SetParameter(kBrightnessLow, brightness);
  SetParameter(kBrightnessHigh, std::min(camera.MaxValue(kBrightnessHigh), brightness));
  if (frequencyList) {
    SetParameter(kFrequency, frequencyList->SelectedIndex());
  } else if (frequencyField) {
    SetParameter(kFrequency, frequencyField->ZafInteger::Value());
  }
  SetParameter(kMaximumGain, maximumGainField->ZafInteger::Value());
  SetParameter(kRed, redField->ZafInteger::Value());
  SetParameter(kGreen, greenField->ZafInteger::Value());
  SetParameter(kBlue, blueField->ZafInteger::Value());
  SetParameter(kOrientation, Choice(orientationGroup));
  camera.SetValueCount(lanesField->ZafInteger::Value());
  SetParameter(kReverseLanes, reverseLanesButton->Selected() ? 1 : 0);
  SetParameter(kIdentifyBy, Choice(identifyByGroup));
  SetParameter(kGunSensor, Choice(gunSensorGroup));
  SetTimeParameter(kGunSensorDebounce, gunSensorDebounceField);
  SetParameter(kGunSensorLight, Choice(gunSensorLightGroup));
  SetParameter(kPhotoEye, Choice(photoEyeGroup));
  SetTimeParameter(kPhotoEyeDebounce, photoEyeDebounceField);
  SetTimeParameter(kPhotoEyeOffset, photoEyeOffsetField);
}

// The layout parameters go low first so that each next value is allowed, then the frame rate is limited
// to what the new layout allows. A camera of neither type only has its frame rate written.
void YZCameraDialog::WriteFrameLayout() {
  SetParameter(kFrameRate, camera.MinValue(kFrameRate));
  if (camera.IsType101()) {
    SetParameter(kDensityOrWindow, 1);
    SetParameter(kFrameLayout, Choice(frameModeGroup));
    SetParameter(kDensityOrWindow, Choice(densityGroup));
  } else if (camera.IsType102()) {
    SetParameter(kDensityOrWindow, camera.MinValue(kDensityOrWindow));
    SetParameter(kFrameLayout, Choice(averagingGroup));
    SetParameter(kDensityOrWindow, Limited(kDensityOrWindow, windowSizeField->ZafInteger::Value()));
  }
  SetParameter(kFrameRate, Limited(kFrameRate, frameRateField->ZafInteger::Value()));
}

int32_t YZCameraDialog::Limited(int32_t n, int32_t value) const {
  return std::max(std::min(value, camera.MaxValue(n)), camera.MinValue(n));
}

void YZCameraDialog::SetParameter(int32_t n, int32_t value) {
  camera.SetParameter(n, value, true);
}

void YZCameraDialog::SetTimeParameter(int32_t n, KZString* field) {
  int32_t milliseconds = 0;
  if (field->GetTime(milliseconds)) {
    SetParameter(n, milliseconds);
  }
}
