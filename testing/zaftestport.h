// What the test port's stand-ins for the framework's back-end did, for the framework core's tests: the
// native windows handed out, the quit messages posted, the windows enabled behind a modal window.
#ifndef TESTING_ZAFTESTPORT_H
#define TESTING_ZAFTESTPORT_H

#include <vector>

class ZafWindow;
class ZafWindowObject;

struct ZafTestPort {
  // Every native window handed out gets the next number, from 1.
  static int nativeWindows;
  static int quitMessages;
  static int nativeDispatches;
  static std::vector<ZafWindow*> enabledBehind;
  static std::vector<ZafWindowObject*> redisplayed;

  static void Reset();
};

#endif
