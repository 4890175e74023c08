#pragma once
// The main frame's tests share this set-up: a headless desktop of a chosen size, a toolkit application with
// one program option (or none), the built-in settings, the font table, the tool bar's bitmaps and a hardware
// manager. Everything is put back afterwards; the window manager deletes a frame shown.

#include <gtest/gtest.h>

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

class FrameTestApplication : public KZApplication {
 public:
  using KZApplication::KZApplication;
  int32_t Start() override { return 0; }
};

class FrameTestBed : public testing::Test {
 protected:
  explicit FrameTestBed(native::DesktopOptions desktop = {640, 480, 96}, const ZafIChar* option = nullptr)
      : driver(desktop), arguments{program, const_cast<ZafIChar*>(option), nullptr} {
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

  void ShowFrame() {
    frame = new QvZControl(hardware);
    ZafWindowObject::windowManager->Add(frame);
    driver.pumpUntilIdle();
  }

  native::TestDriver driver;
  ZafIChar program[9] = u"kestrove";
  ZafIChar* arguments[3];
  FrameTestApplication application{arguments[1] ? 2 : 1, arguments};
  KRegistry settings;
  SettingsFiles files{settings, KString(u"/nonexistent/kestrove")};
  YHardware hardware{8};
  QvZControl* frame = nullptr;
};
