// The error system's platform half.
#include "framework/core/zaferrorsystem.h"
#include "native/native.h"

void ZafErrorSystem::Beep() {
  native::MessageBeep(0);
}
