#include "imaging/ui/yzprintimagedialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "imaging/ui/yzprinter.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzinteger.h"
#include "toolkit/kzradiogroup.h"
#include "toolkit/kzreal.h"
#include "toolkit/tests/kzdialogtestbed.h"

namespace {

// 795 image lines at zoom 1 and 300 dpi print 795 / (1.5 x 53) = 10 inches high.
constexpr int32_t kImageLength = 795;

class YZPrintImageDialogTest : public KZDialogTest {
 protected:
  YZPrintImageDialogTest() {
    Setting(u"\\Event\\Image\\Print\\PrintResults:Int=0");
    Setting(u"\\Event\\Image\\Print\\MaxResults:Int=3");
  }
  ~YZPrintImageDialogTest() override { YZPrintImageDialog::Choices() = kept; }

  // The button at `index` of a radio group.
  static ZafWindowObject* Item(KZRadioGroup* group, int32_t index) {
    auto* item = static_cast<ZafWindowObject*>(group->FirstChild());
    while (index-- > 0) {
      item = static_cast<ZafWindowObject*>(item->Next());
    }
    return item;
  }
  // Runs the launcher with each step given the dialog at one pass of its loop (so the buttons' events are
  // handled between steps), then the answer.
  using Step = std::function<void(YZPrintImageDialog&)>;
  bool Launch(const std::vector<Step>& steps, ZafEventType answer) {
    std::vector<std::function<void()>> script;
    for (const Step& step : steps) {
      script.emplace_back([step] {
        auto* dialog = dynamic_cast<YZPrintImageDialog*>(ZafWindowObject::windowManager->First());
        ASSERT_NE(dialog, nullptr);
        step(*dialog);
      });
    }
    script.emplace_back([answer] { KZScriptedApplication::Post(answer); });
    application.Run(script);
    return YZPrinter::SetupImage(printer, kImageLength);
  }
  int32_t Int(const char16_t* path) { return QvSettings::Int(path, -1); }

  YPrintImageChoices kept = YZPrintImageDialog::Choices();
  YZPrinter printer;
};

}  // namespace

TEST_F(YZPrintImageDialogTest, ChoosingAZoomOrAUnitRefillsTheHeightAtOnce) {
  struct Case {
    const char* name;
    KZRadioGroup* (YZPrintImageDialog::*group)() const;
    int32_t item;
    double height;
  } cases[] = {{"zoom 4", &YZPrintImageDialog::ZoomGroup, 2, 40.0},
               {"centimetres", &YZPrintImageDialog::UnitGroup, 1, 101.6},
               {"zoom 1 again", &YZPrintImageDialog::ZoomGroup, 0, 25.4}};
  std::vector<Step> steps{[](YZPrintImageDialog& dialog) { EXPECT_DOUBLE_EQ(dialog.TypedHeight(), 10.0); }};
  for (const Case& c : cases) {
    steps.emplace_back([this, c](YZPrintImageDialog& dialog) { Click(Item((dialog.*c.group)(), c.item)); });
    steps.emplace_back([c](YZPrintImageDialog& dialog) {
      SCOPED_TRACE(c.name);
      EXPECT_NEAR(dialog.TypedHeight(), c.height, 1e-9);
    });
  }
  EXPECT_FALSE(Launch(steps, KZDialog::kCancelResult));
}

TEST_F(YZPrintImageDialogTest, CancelKeepsTheChoicesButNeitherSettingNorThePrinter) {
  EXPECT_FALSE(Launch({[this](YZPrintImageDialog& dialog) {
                        Click(Item(dialog.ZoomGroup(), 2));
                        Click(Item(dialog.ResolutionGroup(), 1));
                        Click(Item(dialog.UnitGroup(), 1));
                        Click(Item(dialog.ResultsGroup(), 1));
                      }},
                      KZDialog::kCancelResult));
  const YPrintImageChoices& choices = YZPrintImageDialog::Choices();
  EXPECT_EQ(choices.zoom, 4);
  EXPECT_EQ(choices.resolution, 600);
  EXPECT_TRUE(choices.centimetres);
  EXPECT_EQ(Int(u"\\Event\\Image\\Print\\PrintResults"), 0);
  EXPECT_EQ(Int(u"\\Event\\Image\\Print\\MaxResults"), 3);
  EXPECT_EQ(printer.Zoom(), 0);
  EXPECT_EQ(printer.Resolution(), 0);
  EXPECT_EQ(printer.ImageHeight(), 0);
}

TEST_F(YZPrintImageDialogTest, OkWritesBothSettingsAndSetsThePrinter) {
  struct Case {
    const char* name;
    double typed;  // -1: the computed height stays
    bool results;
    double inches;
    int32_t maxResults;
  } cases[] = {{"computed height in centimetres", -1, true, 10.0, 7},
               {"a typed height of 0 is replaced", 0, true, 10.0, 7},
               {"a typed height of 100 is replaced", 100, false, 10.0, 0},
               {"a typed height below 100 is taken", 50, false, 50 * 0.39370078740157477, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(Launch({[&](YZPrintImageDialog& dialog) {
                          Click(Item(dialog.UnitGroup(), 1));
                          Click(Item(dialog.ResultsGroup(), c.results ? 1 : 0));
                        },
                        [&](YZPrintImageDialog& dialog) {
                          dialog.MaxResultsField()->ZafInteger::SetValue(7);
                          if (c.typed >= 0) {
                            dialog.HeightField()->ZafReal::SetValue(c.typed);
                          }
                        }},
                       KZDialog::kOkResult));
    EXPECT_EQ(printer.Zoom(), 1);
    EXPECT_EQ(printer.Resolution(), 300);
    EXPECT_TRUE(printer.Smooth());
    EXPECT_NEAR(printer.ImageHeight(), c.inches, 1e-6);
    EXPECT_EQ(printer.MaxResults(), c.maxResults);
    EXPECT_EQ(Int(u"\\Event\\Image\\Print\\PrintResults"), c.results ? 1 : 0);
    EXPECT_EQ(Int(u"\\Event\\Image\\Print\\MaxResults"), 7);
  }
}
