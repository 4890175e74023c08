// The dialog tests share this set-up: a toolkit application whose loop runs a script of steps, one at each
// idle pass (so a modal dialog can be driven from inside its own loop), the dialogs' labels in a settings
// tree, and the toolkit's font table.
#ifndef TOOLKIT_TESTS_KZDIALOGTESTBED_H
#define TOOLKIT_TESTS_KZDIALOGTESTBED_H

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "foundation/kregistry.h"
#include "foundation/kstring.h"
#include "framework/core/zafdisplay.h"
#include "framework/core/zafeventmanager.h"
#include "model/qvsettings.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzdialog.h"
#include "toolkit/kzfonttable.h"
#include "toolkit/tests/kztestbed.h"

// The object's region in cells.
inline ZafRegionStruct Cells(const ZafWindowObject* object) {
  return object->Region().Converted(ZAF_CELL, ZafWindowObject::display);
}

// Every object of the type in the window and the windows inside it, depth first in child order.
template <typename Object>
void Collect(ZafWindowObject* object, std::vector<Object*>& found) {
  if (auto* match = dynamic_cast<Object*>(object)) {
    found.push_back(match);
  }
  if (auto* window = dynamic_cast<ZafWindow*>(object)) {
    for (auto* child = window->FirstChild(); child; child = static_cast<ZafWindowObject*>(child->Next())) {
      Collect(child, found);
    }
  }
}

class KZScriptedApplication : public KZApplication {
 public:
  using KZApplication::KZApplication;
  int32_t Start() override { return 0; }
  // Runs step n at the n-th idle pass of a loop. A loop still running kPatience passes after the script fails
  // the test, naming the dialog it waited on, and cancels that dialog, so a wrong answer cannot hang it.
  bool Idle(int32_t idleCount) override {
    if (pass < script.size()) {
      script[pass++]();
    } else if (pass++ == script.size() + kPatience) {
      ADD_FAILURE() << "the dialog \"" << FrontTitle() << "\" still ran " << kPatience
                    << " idle passes after the script's last step; it is cancelled";
      Post(KZDialog::kCancelResult);
    }
    return KZApplication::Idle(idleCount);
  }
  void Run(std::vector<std::function<void()>> steps) {
    script = std::move(steps);
    pass = 0;
  }
  static void Post(ZafEventType type) {
    ZafWindowObject::eventManager->Put(ZafEventRecord(static_cast<int32_t>(type), 0), Q_END);
  }

 protected:
  void IdleWait() override {}

 private:
  static std::string FrontTitle() {
    ZafWindow* front =
        ZafWindowObject::windowManager ? ZafWindowObject::windowManager->FrontWindow() : nullptr;
    const ZafIChar* title = front ? front->Text() : nullptr;
    return title ? KString(title).ToUtf8() : std::string();
  }

  static constexpr std::size_t kPatience = 50;
  std::vector<std::function<void()>> script;
  std::size_t pass = 0;
};

class KZDialogTest : public KZTest {
 protected:
  KZDialogTest() {
    KRegistry::RegisterTypes();
    QvSettings::SetRoot(&settings);
    for (const char16_t* line :
         {u"\\Strings\\Dialog\\Ok:String=OK", u"\\Strings\\Dialog\\Yes:String=Yes",
          u"\\Strings\\Dialog\\No:String=No", u"\\Strings\\Dialog\\Cancel:String=Cancel",
          u"\\Strings\\Dialog\\Abort:String=Abort", u"\\Strings\\Dialog\\Retry:String=Retry",
          u"\\Strings\\Dialog\\Ignore:String=Ignore", u"\\Strings\\Dialog\\Browse:String=Browse..."}) {
      Setting(line);
    }
    KZFontTable::InitFonts();
    KZApplication::application = &application;
    driver.pumpUntilIdle();
  }
  ~KZDialogTest() override {
    KZApplication::application = nullptr;
    KZFontTable::ExitFonts();
    QvSettings::SetRoot(nullptr);
  }
  void Setting(const char16_t* line) { KRegistry::AddLine(&settings, KString(line)); }
  // Clicks the middle of the object's native window.
  void Click(ZafWindowObject* object) {
    const native::RECT rect = driver.screenRect(object->ScreenID());
    driver.click((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  }

  KRegistry settings;
  KZScriptedApplication application{1, arguments};
};

#endif
