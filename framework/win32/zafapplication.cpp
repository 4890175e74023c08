// The application's services on the native window system: the screen display and the keyboard, mouse and
// cursor devices are the platform's own.
#include "framework/core/zafapplication.h"

#include "framework/core/zafdatamanager.h"
#include "framework/core/zaferrorsystem.h"
#include "framework/core/zafeventmanager.h"
#include "framework/core/zafhelptips.h"
#include "framework/core/zafwindowmanager.h"
#include "framework/data/zafi18ndata.h"
#include "framework/data/zafobjectpersistence.h"
#include "framework/win32/zafcursor.h"
#include "framework/win32/zafkeyboard.h"
#include "framework/win32/zafmouse.h"
#include "framework/win32/zafmswindowsapp.h"
#include "framework/win32/zafscreendisplay.h"

namespace {

// Clears a shared pointer that still points at the service going down.
template <typename Service>
void Forget(Service*& shared, const Service* service) {
  if (shared == service) {
    shared = nullptr;
  }
}

}  // namespace

void ZafApplication::StartServices() {
  // The window classes and the platform's locale settings come first: the display and every window need
  // the one, and the locale made with the language data needs the other. A program that made the
  // platform object itself keeps it.
  if (!ZafMSWindowsApp::Running()) {
    platform = std::make_unique<ZafMSWindowsApp>(nullptr);
    Started("platform", [this] { platform.reset(); });
  }

  dataManager = std::make_unique<ZafDataManager>();
  Started("data manager", [this] { dataManager.reset(); });

  display = std::make_unique<ZafScreenDisplay>();
  ZafWindowObject::display = display.get();
  Started("screen display", [this] {
    Forget(ZafWindowObject::display, display.get());
    display.reset();
  });

  // The language data opens "i18n.znc" where it stands or along the search path ZAF_PATH, and keeps to
  // its built-in tables when the file is not found.
  ZafI18nData::Initialize(nullptr);
  Started("language data", [] { ZafI18nData::Shutdown(); });

  objectPersistence = std::make_unique<ZafObjectPersistence>();
  ZafWindowObject::objectPersistence = objectPersistence.get();
  Started("object persistence", [this] {
    Forget(ZafWindowObject::objectPersistence, objectPersistence.get());
    objectPersistence.reset();
  });

  eventManager = std::make_unique<ZafEventManager>();
  eventManager->Add(new ZafKeyboard(D_ON));
  eventManager->Add(new ZafMouse(D_ON, DM_WAIT));
  eventManager->Add(new ZafCursor(D_ON, DC_INSERT));
  eventManager->Add(new ZafHelpTips(D_ON, ZAF_TIPS_AND_HELP_BAR));
  // The loop asks for events without waiting, so native messages are read as they come.
  eventManager->nativeInput = 1;
  ZafWindowObject::eventManager = eventManager.get();
  Started("event manager", [this] {
    Forget(ZafWindowObject::eventManager, eventManager.get());
    eventManager.reset();
  });

  windowManager = std::make_unique<ZafWindowManager>();
  ZafWindowObject::windowManager = windowManager.get();
  // Its destructor destroys the windows still open and clears the shared pointers.
  Started("window manager", [this] { windowManager.reset(); });

  errorSystem = std::make_unique<ZafErrorSystem>();
  ZafErrorSystem::SetErrorSystem(errorSystem.get());
  Started("error system", [this] { errorSystem.reset(); });
}
