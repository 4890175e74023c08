#pragma once
// What the hardware tool bar's document buttons ask of the main frame: a new event, an event file opened
// (the frame asks for the file), a step through the meet schedule. Each answers the event that a window now
// shows, or null when the user cancelled or the operation failed.

#include <cstdint>

class QvEvent;

class YZEventCommands {
 public:
  virtual QvEvent* NewEventDocument() = 0;
  virtual QvEvent* OpenEventDocument() = 0;
  // Direction -1 the previous entry, 0 the one the user chooses, 1 the next.
  virtual QvEvent* ScheduleStep(int32_t direction) = 0;

 protected:
  ~YZEventCommands() = default;
};
