// The dialog in which the user edits the settings of one camera: three notebook pages built from the
// camera's parameters and limits. The choices keep the dependent fields enabled or disabled and some write
// to the camera at once (it edits a copy, which the caller hands back after Ok); Ok writes every field.
// Rows that belong to one camera type are built only for that type.
#ifndef IMAGING_UI_YZCAMERADIALOG_H
#define IMAGING_UI_YZCAMERADIALOG_H

#include <cstdint>
#include <initializer_list>

#include "toolkit/kzdialog.h"

class KZButton;
class KZComboBox;
class KZInteger;
class KZPrompt;
class KZRadioGroup;
class KZString;
class YCamera;

class YZCameraDialog : public KZDialog {
 public:
  // The events of the choices that change other fields.
  static constexpr ZafEventType kPixelModeChosen = 10593;
  static constexpr ZafEventType kAveragingChosen = 10594;
  static constexpr ZafEventType kCompressionChosen = 10595;
  static constexpr ZafEventType kGainMethodChosen = 10596;
  static constexpr ZafEventType kDensityChosen = 10597;
  static constexpr ZafEventType kFrameModeChosen = 10598;
  static constexpr ZafEventType kGunSensorChosen = 10599;
  static constexpr ZafEventType kPhotoEyeChosen = 10600;

  explicit YZCameraDialog(YCamera& camera);
  ~YZCameraDialog() override;

  // The class set-up and clean-up of the start routine; the dialog keeps nothing between uses.
  static void Register() {}
  static void Unregister() {}

  ZafEventType Event(const ZafEventRecord& event) override;
  // Ok writes every field to the camera; any other answer writes nothing.
  void ProcessResult(ZafEventType result) override;

  // The fields, for the tests; a row that the camera's type lacks is null.
  KZString* NameField() const { return nameField; }
  KZRadioGroup* PixelModeGroup() const { return pixelModeGroup; }
  KZInteger* FrameRateField() const { return frameRateField; }
  KZPrompt* FrameRateRange() const { return frameRateRange; }
  KZRadioGroup* DensityGroup() const { return densityGroup; }
  KZInteger* WindowSizeField() const { return windowSizeField; }
  KZPrompt* WindowSizeRange() const { return windowSizeRange; }
  KZRadioGroup* AveragingGroup() const { return averagingGroup; }
  KZRadioGroup* FrameModeGroup() const { return frameModeGroup; }
  KZRadioGroup* GainMethodGroup() const { return gainMethodGroup; }
  KZInteger* GainField() const { return gainField; }
  KZInteger* BrightnessField() const { return brightnessField; }
  KZInteger* FrequencyField() const { return frequencyField; }
  KZInteger* MaximumGainField() const { return maximumGainField; }
  KZComboBox* FrequencyList() const { return frequencyList; }
  KZRadioGroup* CompressionGroup() const { return compressionGroup; }
  KZInteger* CompressionMinimumField() const { return compressionMinimumField; }
  KZInteger* RedField() const { return redField; }
  KZInteger* GreenField() const { return greenField; }
  KZInteger* BlueField() const { return blueField; }
  KZRadioGroup* OrientationGroup() const { return orientationGroup; }
  KZInteger* LanesField() const { return lanesField; }
  KZButton* ReverseLanesButton() const { return reverseLanesButton; }
  KZRadioGroup* IdentifyByGroup() const { return identifyByGroup; }
  KZRadioGroup* GunSensorGroup() const { return gunSensorGroup; }
  KZString* GunSensorDebounceField() const { return gunSensorDebounceField; }
  KZRadioGroup* GunSensorLightGroup() const { return gunSensorLightGroup; }
  KZRadioGroup* PhotoEyeGroup() const { return photoEyeGroup; }
  KZString* PhotoEyeDebounceField() const { return photoEyeDebounceField; }
  KZString* PhotoEyeOffsetField() const { return photoEyeOffsetField; }

 private:
  void BuildSetupPage();
  void BuildParametersPage();
  void BuildInputsPage();
  // A label of the key's text at the start of a new row.
  void AddRowLabel(const char16_t* key);
  // A group of buttons labelled by the keys, sending `event` when chosen.
  KZRadioGroup* AddChoices(std::initializer_list<const char16_t*> keys, ZafEventType event,
                           int32_t selection);
  KZInteger* AddParameterField(int32_t n, int32_t width);
  KZString* AddTimeField(int32_t milliseconds);
  // Each button of the group is enabled when the camera would take its index for parameter n (and, with
  // `unlessLocked`, while n is not locked).
  void EnableChoices(KZRadioGroup* group, int32_t n, bool unlessLocked);
  void ShowRange(KZPrompt* label, int32_t n);
  void ChoiceMade(ZafEventType event);
  void WriteFrameLayout();
  // The value limited to the parameter's range as it now stands.
  int32_t Limited(int32_t n, int32_t value) const;
  void SetParameter(int32_t n, int32_t value);
  // Writes the field's time when its text reads as one.
  void SetTimeParameter(int32_t n, KZString* field);

  YCamera& camera;
  int32_t savedFrameRate;
  int32_t savedWindowSize;
  KZString* nameField = nullptr;
  KZRadioGroup* pixelModeGroup = nullptr;
  KZInteger* frameRateField = nullptr;
  KZPrompt* frameRateRange = nullptr;
  KZRadioGroup* densityGroup = nullptr;
  KZInteger* windowSizeField = nullptr;
  KZPrompt* windowSizeRange = nullptr;
  KZRadioGroup* averagingGroup = nullptr;
  KZRadioGroup* frameModeGroup = nullptr;
  KZRadioGroup* gainMethodGroup = nullptr;
  KZInteger* gainField = nullptr;
  KZInteger* brightnessField = nullptr;
  KZInteger* frequencyField = nullptr;
  KZInteger* maximumGainField = nullptr;
  KZComboBox* frequencyList = nullptr;
  KZRadioGroup* compressionGroup = nullptr;
  KZInteger* compressionMinimumField = nullptr;
  KZInteger* redField = nullptr;
  KZInteger* greenField = nullptr;
  KZInteger* blueField = nullptr;
  KZRadioGroup* orientationGroup = nullptr;
  KZInteger* lanesField = nullptr;
  KZButton* reverseLanesButton = nullptr;
  KZRadioGroup* identifyByGroup = nullptr;
  KZRadioGroup* gunSensorGroup = nullptr;
  KZString* gunSensorDebounceField = nullptr;
  KZRadioGroup* gunSensorLightGroup = nullptr;
  KZRadioGroup* photoEyeGroup = nullptr;
  KZString* photoEyeDebounceField = nullptr;
  KZString* photoEyeOffsetField = nullptr;
};

#endif
