#pragma once
// One bracketed model change: construction sends the begin-and-before notification up the owner chain (the
// event document takes its lock), destruction the after-and-end one (it marks itself modified and releases
// the lock). So a change cannot leave the document locked, even when it throws. An exception from a
// listener at the begin reaches the caller, before anything is changed and with the lock released; one at
// the end is written to the program log and goes no further, since it would escape a destructor.

#include <cstdint>

#include "foundation/kmessage.h"

class QvChange {
 public:
  QvChange(KMessageObject* object, uint16_t what, intptr_t argument = 0);
  QvChange(const QvChange&) = delete;
  QvChange& operator=(const QvChange&) = delete;
  ~QvChange();

 private:
  KMessageObject* itsObject;
  uint16_t what;
  intptr_t argument;
};
