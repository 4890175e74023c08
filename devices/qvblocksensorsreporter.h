#pragma once
// QvBlockSensorsReporter: how the block-sensor link tells the user what it does. The main window connects
// its status bar and alerts here; the link never calls the GUI itself.

#include <cstdint>

class KString;

class QvBlockSensorsReporter {
 public:
  virtual ~QvBlockSensorsReporter() = default;

  // A text for the main status bar.
  virtual void StatusText(const KString& text) = 0;
  // The status bar's progress, 0 to 100.
  virtual void Progress(int32_t percent) = 0;
  // An error alert with a text.
  virtual void Error(const KString& text) = 0;
  // The numbered error alert of a failure code (5002, 5005 ...).
  virtual void NumberedError(int32_t code) = 0;
};
