#include "framework/core/zafhelpstub.h"

ZafHelpStub* ZafHelpStub::helpSystem = nullptr;

// A help system that goes away stops being the shared one, so no one calls into a deleted object.
ZafHelpStub::~ZafHelpStub() {
  if (helpSystem == this) {
    helpSystem = nullptr;
  }
}

void ZafHelpStub::DisplayHelp(const ZafIChar*) {}
