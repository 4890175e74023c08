#pragma once
// The main frame's tests share this set-up: a headless desktop of a chosen size, a toolkit application with
// the program's arguments, the built-in settings, the font table, the tool bar's bitmaps and a hardware
// manager; the frame itself is shown on the desktop. Everything is put back afterwards.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/qvzcontrol.h"
#include "app/settingsfiles.h"
#include "devices/yhardware.h"
#include "foundation/kregistry.h"
#include "framework/core/zafwindowmanager.h"
#include "imaging/ui/yzhardwarebar.h"
#include "model/qvsettings.h"
#include "native/testdriver.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzfonttable.h"
#include "toolkit/kzstatusbar.h"

class FrameTestApplication : public KZApplication {
 public:
  using KZApplication::KZApplication;
  int32_t Start() override { return 0; }

 protected:
  void IdleWait() override {}
};

// The program's arguments, kept alive for the application object.
class FrameArguments {
 public:
  explicit FrameArguments(std::vector<std::u16string> options) : texts(std::move(options)) {
    texts.insert(texts.begin(), u"kestrove");
    for (std::u16string& text : texts) {
      pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
  }
  int Count() const { return static_cast<int>(texts.size()); }
  ZafIChar** Vector() { return pointers.data(); }

 private:
  std::vector<std::u16string> texts;
  std::vector<ZafIChar*> pointers;
};

class FrameTestBed : public testing::Test {
 protected:
  explicit FrameTestBed(native::DesktopOptions desktop = {640, 480, 96},
                        std::vector<std::u16string> options = {})
      : driver(desktop), arguments(std::move(options)) {
    KRegistry::RegisterTypes();
    QvSettings::SetRoot(&settings);
    files.LoadDefaults();
    KZFontTable::InitFonts();
    KZApplication::application = &application;
    YZHardwareBar::Register();
  }
  ~FrameTestBed() override {
    YZHardwareBar::Unregister();
    KZApplication::application = nullptr;
    KZFontTable::ExitFonts();
    QvSettings::SetRoot(nullptr);
  }

  // Builds the frame and shows it; the window manager owns it from then on.
  QvZControl* ShowFrame() {
    frame = new QvZControl(hardware);
    ZafWindowObject::windowManager->Add(frame);
    driver.pumpUntilIdle();
    return frame;
  }
  void Setting(const char16_t* line) { KRegistry::AddLine(&settings, KString(line)); }
  // The middle of the object's native window on the desktop.
  native::POINT Centre(const ZafWindowObject* object) {
    const native::RECT rect = driver.screenRect(object->ScreenID());
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }

  native::TestDriver driver;
  FrameArguments arguments;
  FrameTestApplication application{arguments.Count(), arguments.Vector()};
  KRegistry settings;
  SettingsFiles files{settings, KString(u"/nonexistent/kestrove")};
  YHardware hardware{8};
  QvZControl* frame = nullptr;
};
