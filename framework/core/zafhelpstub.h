// The framework's help system: one shared object that may be absent. This base shows nothing; a program
// with a help viewer installs a derived one.
#ifndef FRAMEWORK_CORE_ZAFHELPSTUB_H
#define FRAMEWORK_CORE_ZAFHELPSTUB_H

#include "framework/data/zaftypes.h"

class ZafHelpStub {
 public:
  virtual ~ZafHelpStub();
  // Shows the help for the context text.
  virtual void DisplayHelp(const ZafIChar* context);

  // The shared help system, or null when the program has none. Not owned here.
  static ZafHelpStub* HelpSystem() { return helpSystem; }
  static void SetHelpSystem(ZafHelpStub* system) { helpSystem = system; }

 private:
  static ZafHelpStub* helpSystem;
};

#endif
