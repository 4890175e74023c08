// What the application's loop asks of the modal window it runs for: whether an event ends the loop.
#ifndef TOOLKIT_KZMODALWINDOW_H
#define TOOLKIT_KZMODALWINDOW_H

#include <cstdint>

#include "framework/core/zafeventrecord.h"

class KZModalWindow {
 public:
  // What the loop does with an event.
  static constexpr int32_t kDispatch = 0;
  static constexpr int32_t kIgnore = 1;
  static constexpr int32_t kClose = 2;

  // kClose for a dialog answer (an event type from -2999 to -2000): the loop ends with that answer;
  // kDispatch for everything else.
  virtual int32_t IsClosing(const ZafEventRecord& event);

 protected:
  ~KZModalWindow() = default;
};

#endif
