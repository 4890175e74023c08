#pragma once
// What the event document asks of the meet schedule, which lives in the device library above the model: the
// schedule registers itself here when it is made and withdraws when it is deleted.

#include <cstdint>

class QvEvent;

class QvEventSchedule {
 public:
  virtual ~QvEventSchedule() = default;

  // Fills a new event from the schedule's current entry; 0 or an error code.
  virtual int32_t FillNewEvent(QvEvent& event, int32_t flag, int32_t unused) = 0;
  // Writes the event's results interface file when the settings ask for it; true on success.
  virtual bool WriteQXF(QvEvent& event, int32_t flag) = 0;
  // When the last WriteQXF wrote the file but the database it sends results to did not take them, the
  // link's numbered error, else 0; asking clears it.
  virtual int32_t TakeRefusedSend() { return 0; }

  // The registered schedule, null when none is.
  static QvEventSchedule* Registered() { return registered; }
  static void Register(QvEventSchedule* schedule) { registered = schedule; }

 private:
  static inline QvEventSchedule* registered = nullptr;
};
