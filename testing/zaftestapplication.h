// The back-end's application object as the tests hold it. While it lives the window classes are registered
// and the platform's locale loader is installed, so a locale the framework makes then has the platform's
// values (parentheses around negative numbers under "C"). When it goes it also drops the framework's
// language state, so the tests that follow start from none, as a fresh program does.
#ifndef TESTING_ZAFTESTAPPLICATION_H
#define TESTING_ZAFTESTAPPLICATION_H

#include "framework/data/zafi18ndata.h"
#include "framework/win32/zafmswindowsapp.h"

class ZafTestApplication : public ZafMSWindowsApp {
 public:
  ZafTestApplication() : ZafMSWindowsApp(nullptr) {}
  ~ZafTestApplication() { ZafI18nData::Shutdown(); }
  ZafTestApplication(const ZafTestApplication&) = delete;
  ZafTestApplication& operator=(const ZafTestApplication&) = delete;
};

#endif
