#pragma once
// The class-level set-ups that the start routine runs before it creates the long-lived objects, and the
// clean-ups it runs after deleting them. Each list keeps its own order, which is not simply the other one
// read backwards: the clean-ups release the window statics first and the program-wide services last.

#include <cstdint>
#include <span>

#include "foundation/kstring.h"

// What some steps need to know of the run.
struct ClassStepContext {
  // The program's folder, with its trailing '/' (the scoreboard scripts lie there).
  KString programFolder;
  // False with "-noserialport": the serial-port list is then left empty, no device is probed.
  bool probeSerialPorts = true;
  // The folder named by "\Database\File\DataOutDir", with its trailing '/' (exports start there).
  KString dataOutFolder;
  // True with "-nooverlay": no overlay is read and the image windows offer none.
  bool noOverlay = false;
};

struct ClassStep {
  // What the step sets up or cleans up, in the words of the log and the tests.
  const char* name;
  void (*run)(const ClassStepContext& context);
};

std::span<const ClassStep> ClassSetups();
std::span<const ClassStep> ClassCleanups();
