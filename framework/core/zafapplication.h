// The framework's application object, the base of the program's own: making it brings up the framework's
// shared services in the order each needs the ones before it, and destroying it takes them down in the
// reverse order, the window manager taking the windows still open with it. One lives at a time; another
// may be made once the first has gone.
#ifndef FRAMEWORK_CORE_ZAFAPPLICATION_H
#define FRAMEWORK_CORE_ZAFAPPLICATION_H

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/data/zaftypes.h"

class ZafDataManager;
class ZafDisplay;
class ZafErrorSystem;
class ZafEventManager;
class ZafMSWindowsApp;
class ZafObjectPersistence;
class ZafWindowManager;

class ZafApplication {
 public:
  // Told the name of each service as it comes up (`started` true) and as it goes down.
  using ServiceObserver = void (*)(const char* service, bool started);

  // The arguments of the command line, argument 0 the program's path, the vector ending with null (a
  // program without arguments may give 0 and null); they stay the caller's and must outlive the
  // application.
  ZafApplication(int argc, ZafIChar** argv);
  ZafApplication(const ZafApplication&) = delete;
  ZafApplication& operator=(const ZafApplication&) = delete;
  virtual ~ZafApplication();

  // Stores the status word and answers it.
  virtual int32_t SetStatus(int32_t newStatus);
  int32_t Status() const { return status; }

  // Null stops the telling.
  static void SetServiceObserver(ServiceObserver observer);

  int argc;
  ZafIChar** argv;

 protected:
  int32_t status = 0;

 private:
  struct RunningService {
    const char* name;
    std::function<void()> stop;
  };

  // Brings the services up in order; the platform's back-end defines it.
  void StartServices();
  // Notes a service that is up, with what takes it down again.
  void Started(const char* name, std::function<void()> stop);
  // Takes down every service that is up, the last started first.
  void StopServices();

  std::unique_ptr<ZafMSWindowsApp> platform;
  std::unique_ptr<ZafDataManager> dataManager;
  std::unique_ptr<ZafDisplay> display;
  std::unique_ptr<ZafObjectPersistence> objectPersistence;
  std::unique_ptr<ZafEventManager> eventManager;
  std::unique_ptr<ZafWindowManager> windowManager;
  std::unique_ptr<ZafErrorSystem> errorSystem;
  std::vector<RunningService> running;
};

#endif
