// What the test port's stand-ins for the framework's back-end did, for the framework core's tests: the
// quit messages posted, the native messages no object claimed, the windows enabled behind a modal window.
#ifndef TESTING_ZAFTESTPORT_H
#define TESTING_ZAFTESTPORT_H

#include <vector>

class ZafWindow;

struct ZafTestPort {
  static int quitMessages;
  static int nativeDispatches;
  static std::vector<ZafWindow*> enabledBehind;

  static void Reset();
};

#endif
