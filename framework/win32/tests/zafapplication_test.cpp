#include "framework/core/zafapplication.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/zafdatamanager.h"
#include "framework/core/zafdisplay.h"
#include "framework/core/zaferrorsystem.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafi18ndata.h"
#include "framework/data/zafstorage.h"
#include "framework/data/zafstringdata.h"
#include "framework/win32/zafcursor.h"
#include "framework/win32/zafkeyboard.h"
#include "framework/win32/zafmouse.h"
#include "framework/win32/zafmswindowsapp.h"
#include "native/native.h"
#include "native/testdriver.h"

namespace {

std::vector<std::string> gServiceLog;
void NoteService(const char* service, bool started) {
  gServiceLog.push_back((started ? "up " : "down ") + std::string(service));
}

// How many of the shared services are published.
int Published() {
  return ZafMSWindowsApp::Running() + (ZafDataManager::DataManager() != nullptr) +
         (ZafWindowObject::display && ZafWindowObject::display == ZafDisplay::DisplayOfRecord()) +
         (ZafWindowObject::objectPersistence != nullptr) + (ZafWindowObject::eventManager != nullptr) +
         (ZafWindowObject::windowManager != nullptr) + (ZafErrorSystem::ErrorSystem() != nullptr);
}

// A window and a data object that note their deletion.
struct WatchedWindow : ZafWindow {
  explicit WatchedWindow(bool* deleted) : ZafWindow(2, 2, 20, 6), deleted(deleted) {}
  ~WatchedWindow() override { *deleted = true; }
  bool* deleted;
};
struct WatchedData : ZafStringData {
  explicit WatchedData(bool* deleted) : deleted(deleted) { SetStringID(u"shared"); }
  ~WatchedData() override { *deleted = true; }
  bool* deleted;
};

class ZafApplicationTest : public testing::Test {
 protected:
  ZafApplicationTest() { ZafApplication::SetServiceObserver(&NoteService); }
  ~ZafApplicationTest() override {
    ZafApplication::SetServiceObserver(nullptr);
    gServiceLog.clear();
  }

  native::TestDriver driver;
  ZafIChar program[9] = u"kestrove";
  ZafIChar* arguments[2] = {program, nullptr};
};

}  // namespace

TEST_F(ZafApplicationTest, ServicesComeUpInOrderAndGoDownInReverse) {
  ASSERT_EQ(Published(), 0);
  {
    ZafApplication application(1, arguments);
    EXPECT_EQ(Published(), 7);
    for (int32_t device : {E_KEYBOARD_DEVICE, E_MOUSE_DEVICE, E_CURSOR_DEVICE, E_HELP_TIPS}) {
      SCOPED_TRACE(device);
      EXPECT_EQ(ZafWindowObject::eventManager->SendToDevice(device, D_STATE), D_ON);
    }
    // The window manager came after the mouse: it set the pointer's image.
    EXPECT_EQ(static_cast<ZafMouse*>(ZafWindowObject::eventManager->Device(E_MOUSE_DEVICE))->Image(),
              DefaultImage);
    EXPECT_EQ(std::u16string(application.argv[0]), u"kestrove");
  }
  EXPECT_EQ(Published(), 0);
  const std::vector<std::string> expected = {
      "up platform",           "up data manager",     "up screen display",  "up language data",
      "up object persistence", "up event manager",    "up window manager",  "up error system",
      "down error system",     "down window manager", "down event manager", "down object persistence",
      "down language data",    "down screen display", "down data manager",  "down platform"};
  EXPECT_EQ(gServiceLog, expected);
}

TEST_F(ZafApplicationTest, ASecondApplicationStartsCleanlyAfterTheFirst) {
  TemporaryFolder folder;
  const ScopedEnvironment searchPath("ZAF_PATH", folder.path.string());
  for (const bool i18nFileThere : {false, true}) {
    SCOPED_TRACE(i18nFileThere);
    if (i18nFileThere) {
      ZafStorage created(folder.Path("i18n.znc").c_str(), ZAF_STORAGE_CREATE);
      ASSERT_EQ(created.Save(0), 0);
    }
    ZafApplication application(1, arguments);
    application.SetStatus(13);
    EXPECT_EQ(application.Status(), 13);
    // The language data is made again, and keeps the data file only when it opens.
    EXPECT_EQ(ZafI18nData::I18nStorage() != nullptr, i18nFileThere);
    auto* window = new ZafWindow(2, 2, 20, 6);
    ASSERT_EQ(ZafWindowObject::windowManager->Add(window), window);
    EXPECT_TRUE(native::IsWindow(window->ScreenID()));
  }
}

TEST_F(ZafApplicationTest, WhatIsLeftOpenGoesWithTheApplication) {
  bool windowDeleted = false;
  bool dataDeleted = false;
  native::HWND screenID = nullptr;
  {
    ZafApplication application(1, arguments);
    screenID = ZafWindowObject::windowManager->Add(new WatchedWindow(&windowDeleted))->ScreenID();
    ASSERT_TRUE(native::IsWindow(screenID));
    ZafDataManager::DataManager()->Add(new WatchedData(&dataDeleted));
    EXPECT_NE(ZafDataManager::DataManager()->Get(u"shared"), nullptr);
  }
  EXPECT_TRUE(windowDeleted);
  EXPECT_FALSE(native::IsWindow(screenID));
  EXPECT_TRUE(dataDeleted);
}

TEST_F(ZafApplicationTest, APlatformObjectTheProgramMadeIsKept) {
  ZafMSWindowsApp platform(nullptr);
  { ZafApplication application(1, arguments); }
  EXPECT_TRUE(ZafMSWindowsApp::Running());
  EXPECT_EQ(gServiceLog.front(), "up data manager");
  EXPECT_EQ(gServiceLog.back(), "down data manager");
}
