#include "imaging/ui/yzcameradialog.h"

#include <gtest/gtest.h>

#include <vector>

#include "imaging/ycamera.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzcombobox.h"
#include "toolkit/kzinteger.h"
#include "toolkit/kzprompt.h"
#include "toolkit/kzradiogroup.h"
#include "toolkit/kzstring.h"
#include "toolkit/tests/kzdialogtestbed.h"

namespace {

class YZCameraDialogTest : public KZDialogTest {
 protected:
  static YCamera Camera(int32_t type) {
    YCamera camera;
    camera.SetParameter(0, type, false);
    return camera;
  }
  static void Choose(YZCameraDialog& dialog, KZRadioGroup* group, int32_t index, ZafEventType event) {
    group->SetSelection(index);
    dialog.Event(ZafEventRecord(event, 0));
  }
  static bool Enabled(KZRadioGroup* group, int32_t index) {
    ZafElement* child = group->FirstChild();
    for (int32_t i = 0; i < index; ++i) {
      child = child->Next();
    }
    return !static_cast<ZafWindowObject*>(child)->Disabled();
  }
  static std::u16string Text(KZPrompt* prompt) { return prompt->Text(); }
};

}  // namespace

TEST_F(YZCameraDialogTest, OpeningLowersTheFrameRateAndOnCodedCamerasTheWindowSize) {
  struct Case {
    int32_t type;
    int32_t frameRate;
    int32_t windowSize;
    const char16_t* frameRateRange;
  } cases[] = {{YCamera::kTypeRaw, 30, 2, u"(30 - 1650)"}, {YCamera::kTypeCoded, 25, 100, u"(25 - 2000)"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    YCamera camera = Camera(c.type);
    const int32_t typed = camera.Parameter(8);
    YZCameraDialog dialog(camera);
    EXPECT_EQ(camera.Parameter(8), c.frameRate);
    EXPECT_EQ(camera.Parameter(7), c.windowSize);
    EXPECT_EQ(dialog.FrameRateField()->ZafInteger::Value(), typed) << "the field shows the rate before";
    EXPECT_EQ(Text(dialog.FrameRateRange()), c.frameRateRange);
    dialog.ProcessResult(KZDialog::kCancelResult);
    EXPECT_EQ(camera.Parameter(8), c.frameRate);
  }
}

TEST_F(YZCameraDialogTest, OkLimitsTheFrameRateAndTheBrightnessToTheirRanges) {
  struct Case {
    int32_t type;
    int32_t frameRate;
    int32_t brightness;
    int32_t p8;
    int32_t p13;
    int32_t p14;
  } cases[] = {// Under the raw camera's manual gain the brightness does not apply.
               {YCamera::kTypeRaw, 9999, 5, 1650, 1, 8},
               {YCamera::kTypeCoded, 9999, 70, 2000, 70, 70},
               // Above the upper limit the lower brightness stays and the upper goes to its maximum.
               {YCamera::kTypeCoded, 1, 120, 25, 60, 100}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.frameRate);
    YCamera camera = Camera(c.type);
    YZCameraDialog dialog(camera);
    dialog.FrameRateField()->SetValue(c.frameRate);
    dialog.BrightnessField()->SetValue(c.brightness);
    dialog.ProcessResult(KZDialog::kOkResult);
    EXPECT_EQ(camera.Parameter(8), c.p8);
    EXPECT_EQ(camera.Parameter(13), c.p13);
    EXPECT_EQ(camera.Parameter(14), c.p14);
  }
}

TEST_F(YZCameraDialogTest, LowDensityAndPartFramesExcludeEachOther) {
  YCamera camera = Camera(YCamera::kTypeRaw);
  YZCameraDialog dialog(camera);
  KZRadioGroup* modes = dialog.FrameModeGroup();
  KZRadioGroup* densities = dialog.DensityGroup();
  EXPECT_FALSE(Enabled(modes, 1)) << "low density from the camera's defaults";
  EXPECT_FALSE(Enabled(modes, 2));
  Choose(dialog, densities, 0, YZCameraDialog::kDensityChosen);
  EXPECT_TRUE(Enabled(modes, 1));
  EXPECT_TRUE(Enabled(modes, 2));
  EXPECT_EQ(camera.Parameter(7), 0) << "written at once";
  EXPECT_EQ(Text(dialog.FrameRateRange()), u"(30 - 450)");
  Choose(dialog, modes, 1, YZCameraDialog::kFrameModeChosen);
  EXPECT_FALSE(Enabled(densities, 2));
  EXPECT_EQ(camera.Parameter(5), 1);
  EXPECT_EQ(Text(dialog.FrameRateRange()), u"(30 - 500)");
  Choose(dialog, modes, 0, YZCameraDialog::kFrameModeChosen);
  EXPECT_TRUE(Enabled(densities, 2));
}

TEST_F(YZCameraDialogTest, ChoicesEnableTheFieldsTheyGovern) {
  struct Case {
    const char* choice;
    KZRadioGroup* (YZCameraDialog::*group)() const;
    ZafEventType event;
    int32_t index;
    ZafWindowObject* (*field)(const YZCameraDialog&);
    bool enabled;
    int32_t cameraType = YCamera::kTypeCoded;
  } cases[] = {
      {"gray disables red", &YZCameraDialog::PixelModeGroup, YZCameraDialog::kPixelModeChosen, 0,
       [](const YZCameraDialog& d) -> ZafWindowObject* { return d.RedField(); }, false},
      {"colour enables blue", &YZCameraDialog::PixelModeGroup, YZCameraDialog::kPixelModeChosen, 1,
       [](const YZCameraDialog& d) -> ZafWindowObject* { return d.BlueField(); }, true},
      {"compression off", &YZCameraDialog::CompressionGroup, YZCameraDialog::kCompressionChosen, 0,
       [](const YZCameraDialog& d) -> ZafWindowObject* { return d.CompressionMinimumField(); }, false},
      {"manual gain: gain", &YZCameraDialog::GainMethodGroup, YZCameraDialog::kGainMethodChosen, 1,
       [](const YZCameraDialog& d) -> ZafWindowObject* { return d.GainField(); }, true},
      {"manual gain: frequency", &YZCameraDialog::GainMethodGroup, YZCameraDialog::kGainMethodChosen, 1,
       [](const YZCameraDialog& d) -> ZafWindowObject* { return d.FrequencyField(); }, false},
      {"AGC: maximum gain", &YZCameraDialog::GainMethodGroup, YZCameraDialog::kGainMethodChosen, 0,
       [](const YZCameraDialog& d) -> ZafWindowObject* { return d.MaximumGainField(); }, true},
      {"type 101 AGC: maximum gain", &YZCameraDialog::GainMethodGroup, YZCameraDialog::kGainMethodChosen, 0,
       [](const YZCameraDialog& d) -> ZafWindowObject* { return d.MaximumGainField(); }, false,
       YCamera::kTypeRaw},
      {"type 101 AGC: frequency list", &YZCameraDialog::GainMethodGroup, YZCameraDialog::kGainMethodChosen, 0,
       [](const YZCameraDialog& d) -> ZafWindowObject* { return d.FrequencyList(); }, true,
       YCamera::kTypeRaw},
      {"no gun sensor", &YZCameraDialog::GunSensorGroup, YZCameraDialog::kGunSensorChosen, 0,
       [](const YZCameraDialog& d) -> ZafWindowObject* { return d.GunSensorLightGroup(); }, false},
      {"closing gun sensor", &YZCameraDialog::GunSensorGroup, YZCameraDialog::kGunSensorChosen, 2,
       [](const YZCameraDialog& d) -> ZafWindowObject* { return d.GunSensorDebounceField(); }, true},
      {"no photo eye: debounce", &YZCameraDialog::PhotoEyeGroup, YZCameraDialog::kPhotoEyeChosen, 0,
       [](const YZCameraDialog& d) -> ZafWindowObject* { return d.PhotoEyeDebounceField(); }, false},
      {"external photo eye: offset", &YZCameraDialog::PhotoEyeGroup, YZCameraDialog::kPhotoEyeChosen, 1,
       [](const YZCameraDialog& d) -> ZafWindowObject* { return d.PhotoEyeOffsetField(); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.choice);
    YCamera camera = Camera(c.cameraType);
    YZCameraDialog dialog(camera);
    ZafWindowObject* field = c.field(dialog);
    field->SetDisabled(c.enabled);
    Choose(dialog, (dialog.*c.group)(), c.index, c.event);
    EXPECT_EQ(!field->Disabled(), c.enabled);
  }
}

TEST_F(YZCameraDialogTest, ADebounceTextThatIsNoTimeKeepsTheOldValue) {
  YCamera camera = Camera(YCamera::kTypeCoded);
  YZCameraDialog dialog(camera);
  dialog.GunSensorDebounceField()->SetText(u"soon");
  dialog.PhotoEyeDebounceField()->SetText(u"0.25");
  dialog.ProcessResult(KZDialog::kOkResult);
  EXPECT_EQ(camera.Parameter(34), 500);
  EXPECT_EQ(camera.Parameter(36), 250);
}

TEST_F(YZCameraDialogTest, ACameraOfNeitherTypeHasNoTypeRowsAndKeepsTheirParameters) {
  for (ZafEventType answer : {KZDialog::kOkResult, KZDialog::kCancelResult}) {
    SCOPED_TRACE(answer);
    YCamera camera;
    YZCameraDialog dialog(camera);
    EXPECT_EQ(dialog.FrameModeGroup(), nullptr);
    EXPECT_EQ(dialog.AveragingGroup(), nullptr);
    EXPECT_EQ(dialog.WindowSizeField(), nullptr);
    EXPECT_EQ(dialog.FrequencyList(), nullptr);
    EXPECT_EQ(dialog.FrequencyField(), nullptr);
    const std::pair<KZRadioGroup*, ZafEventType> groups[] = {
        {dialog.PixelModeGroup(), YZCameraDialog::kPixelModeChosen},
        {dialog.CompressionGroup(), YZCameraDialog::kCompressionChosen},
        {dialog.GainMethodGroup(), YZCameraDialog::kGainMethodChosen},
        {dialog.GunSensorGroup(), YZCameraDialog::kGunSensorChosen},
        {dialog.PhotoEyeGroup(), YZCameraDialog::kPhotoEyeChosen}};
    for (const auto& [group, event] : groups) {
      for (int32_t index = 0; group->FirstChild() && index < 4; ++index) {
        Choose(dialog, group, index, event);
      }
    }
    for (ZafEventType event : {YZCameraDialog::kAveragingChosen, YZCameraDialog::kDensityChosen,
                               YZCameraDialog::kFrameModeChosen}) {
      dialog.Event(ZafEventRecord(event, 0));
    }
    dialog.ProcessResult(answer);
    EXPECT_EQ(camera.Parameter(5), -1);
    EXPECT_EQ(camera.Parameter(7), -1);
    EXPECT_EQ(camera.Parameter(15), -1);
  }
}
