#include <gtest/gtest.h>

#include <vector>

#include "framework/win32/tests/zafwindowobjectnativetestbed.h"
#include "native/user/messages.h"
#include "native/user/metrics.h"

namespace {

using ZafWindowObjectPaletteTest = ZafNativeObjectTest;

// An entry whose two colours ask for the system's.
ZafPaletteStruct SystemEntry() {
  ZafPaletteStruct entry;
  entry.colorForeground = ZAF_COLOR_SYSTEM;
  entry.colorBackground = ZAF_COLOR_SYSTEM;
  return entry;
}

TEST_F(ZafWindowObjectPaletteTest, SystemColoursFollowThePaletteTypeAndTheDisabledState) {
  struct Case {
    const char* name;
    uint16_t type;
    uint16_t state;
    int foreground;
    int background;
  };
  const Case cases[] = {
      {"text", ZAF_PM_TEXT, ZAF_PM_ENABLED, native::COLOR_WINDOWTEXT, native::COLOR_BTNFACE},
      {"disabled text", ZAF_PM_TEXT, ZAF_PM_DISABLED | ZAF_PM_ACTIVE, native::COLOR_BTNSHADOW,
       native::COLOR_BTNHIGHLIGHT},
      {"foreground", ZAF_PM_FOREGROUND, ZAF_PM_DISABLED, native::COLOR_WINDOWTEXT, native::COLOR_BTNFACE},
      {"background", ZAF_PM_BACKGROUND, ZAF_PM_ENABLED, native::COLOR_BTNFACE, native::COLOR_BTNFACE},
      {"focus", ZAF_PM_FOCUS, ZAF_PM_ENABLED, native::COLOR_BTNFACE, native::COLOR_BTNFACE},
      {"light edge", ZAF_PM_LIGHT_SHADOW, ZAF_PM_ENABLED, native::COLOR_BTNHIGHLIGHT, native::COLOR_3DLIGHT},
      {"dark edge", ZAF_PM_DARK_SHADOW, ZAF_PM_ENABLED, native::COLOR_BTNSHADOW, native::COLOR_3DDKSHADOW},
  };
  NativeProbe probe;
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    ZafPaletteStruct entry = SystemEntry();
    probe.SetDisplayColors(entry, test.type, test.state);
    EXPECT_EQ(entry.osForeground, native::GetSysColor(test.foreground));
    EXPECT_EQ(entry.osBackground, native::GetSysColor(test.background));
  }
}

TEST_F(ZafWindowObjectPaletteTest, EdgeColoursOfOlderSystemsFallBackToTheButtonColours) {
  struct Case {
    const char* name;
    int32_t platform;
    int32_t version;
    int light;
    int dark;
  };
  const Case cases[] = {
      {"NT 3.51", ZafMSWindowsApp::WindowsNT, 351, native::COLOR_BTNFACE, native::COLOR_BTNSHADOW},
      {"NT 4.0", ZafMSWindowsApp::WindowsNT, 400, native::COLOR_3DLIGHT, native::COLOR_3DDKSHADOW},
      {"Windows 95", ZafMSWindowsApp::Windows95, 400, native::COLOR_3DLIGHT, native::COLOR_3DDKSHADOW},
      {"Win32s", ZafMSWindowsApp::Win32s, 400, native::COLOR_BTNFACE, native::COLOR_BTNSHADOW},
  };
  NativeProbe probe;
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    SystemDecisionScope system;
    ZafMSWindowsApp::system.platform = test.platform;
    ZafMSWindowsApp::system.version = test.version;
    ZafPaletteStruct light = SystemEntry();
    ZafPaletteStruct dark = SystemEntry();
    probe.SetDisplayColors(light, ZAF_PM_LIGHT_SHADOW, ZAF_PM_ENABLED);
    probe.SetDisplayColors(dark, ZAF_PM_DARK_SHADOW, ZAF_PM_ENABLED);
    EXPECT_EQ(light.osBackground, native::GetSysColor(test.light));
    EXPECT_EQ(dark.osBackground, native::GetSysColor(test.dark));
  }
}

TEST_F(ZafWindowObjectPaletteTest, ColoursAlreadyFilledOrNotAskedForStayAsTheyAre) {
  NativeProbe probe;
  ZafPaletteStruct filled = SystemEntry();
  filled.osForeground = 0x123456;
  probe.SetDisplayColors(filled, ZAF_PM_TEXT, ZAF_PM_ENABLED);
  EXPECT_EQ(filled.osForeground, 0x123456u);
  EXPECT_EQ(filled.osBackground, native::GetSysColor(native::COLOR_BTNFACE));

  ZafPaletteStruct own;
  own.colorForeground = 4;
  own.colorBackground = ZAF_COLOR_INHERIT;
  probe.SetDisplayColors(own, ZAF_PM_TEXT, ZAF_PM_ENABLED);
  EXPECT_EQ(own.osForeground, ZAF_OS_COLOR_NOT_SET);
  EXPECT_EQ(own.osBackground, ZAF_OS_COLOR_NOT_SET);

  ZafPaletteStruct outline = SystemEntry();
  probe.SetDisplayColors(outline, ZAF_PM_OUTLINE, ZAF_PM_ENABLED);
  EXPECT_EQ(outline.osForeground, ZAF_OS_COLOR_NOT_SET) << "the outline has no system colour";
}

TEST_F(ZafWindowObjectPaletteTest, LookupFillsSystemColoursOnceTheObjectHasAWindow) {
  NativeProbe* probe = Created();
  const ZafPaletteStruct text = probe->LogicalPalette(ZAF_PM_TEXT, ZAF_PM_DISABLED);
  EXPECT_EQ(text.osForeground, native::GetSysColor(native::COLOR_BTNSHADOW));
  NativeProbe loose;
  EXPECT_EQ(loose.LogicalPalette(ZAF_PM_TEXT, ZAF_PM_ENABLED).osForeground, ZAF_OS_COLOR_NOT_SET);
}

TEST_F(ZafWindowObjectPaletteTest, PaletteChangeGivesANativeControlItsFontAndRedraws) {
  struct Case {
    const char* name;
    bool visible;
    bool automaticUpdate;
    std::vector<native::WPARAM> redraws;
  };
  const Case cases[] = {
      {"visible", true, true, {native::FALSE, native::TRUE}},
      {"hidden", false, true, {native::FALSE}},
      {"no automatic update", true, false, {native::FALSE}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    NativeProbe* probe = Created([&test](NativeProbe& object) {
      object.SetVisible(test.visible);
      object.SetAutomaticUpdate(test.automaticUpdate);
    });
    probe->SetFont(3);
    probe->messages.clear();
    probe->events.clear();
    probe->UpdatePalettes(ZAF_PM_ANY_TYPE, ZAF_PM_ANY_TYPE);
    std::vector<native::WPARAM> redraws;
    native::WPARAM font = 0;
    bool fontBetweenRedraws = false;
    for (const NativeProbe::Message& message : probe->messages) {
      if (message.message == native::WM_SETREDRAW) {
        redraws.push_back(message.wParam);
      } else if (message.message == native::WM_SETFONT) {
        font = message.wParam;
        fontBetweenRedraws = redraws.size() == 1;
      }
    }
    EXPECT_EQ(redraws, test.redraws);
    EXPECT_EQ(font, reinterpret_cast<native::WPARAM>(screen.fontTable[3]));
    EXPECT_TRUE(fontBetweenRedraws);
    EXPECT_EQ(probe->events, std::vector<ZafEventType>{RedisplayEvent});
    root->Subtract(probe);
    delete probe;
  }
}

TEST_F(ZafWindowObjectPaletteTest, PaletteChangeOfAnObjectDrawnByTheFrameworkOnlyRedraws) {
  for (bool own : {false, true}) {
    SCOPED_TRACE(own);
    NativeProbe* probe = Created([own](NativeProbe& object) {
      object.SetOwnNativeWindow(own);
      object.SetNativeDrawing(false);
    });
    probe->messages.clear();
    probe->events.clear();
    probe->UpdatePalettes(ZAF_PM_ANY_TYPE, ZAF_PM_ANY_TYPE);
    EXPECT_TRUE(probe->messages.empty());
    EXPECT_EQ(probe->events, std::vector<ZafEventType>{RedisplayEvent});
  }
  NativeProbe loose;
  loose.UpdatePalettes(ZAF_PM_ANY_TYPE, ZAF_PM_ANY_TYPE);
  EXPECT_TRUE(loose.events.empty()) << "nothing to redraw without a window";
}

TEST_F(ZafWindowObjectPaletteTest, FontNumberOutsideTheDisplaysTableLeavesTheFontAlone) {
  NativeProbe* probe = Created();
  probe->SetFont(200);
  probe->messages.clear();
  probe->UpdatePalettes(ZAF_PM_ANY_TYPE, ZAF_PM_ANY_TYPE);
  for (const NativeProbe::Message& message : probe->messages) {
    EXPECT_NE(message.message, native::WM_SETFONT);
    EXPECT_NE(message.message, native::WM_SETREDRAW) << "the window never stays without redraw";
  }
}

}  // namespace
