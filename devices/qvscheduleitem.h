#pragma once
// One race of the meet schedule: its event, round and heat texts as the photo-finish system numbers them,
// and the text the schedule dialog lists it by.

#include "foundation/kstring.h"

class QvScheduleItem {
 public:
  QvScheduleItem() = default;
  // The display text is "event-round-heat", followed by a blank and the race's name when it has one.
  QvScheduleItem(const KString& event, const KString& round, const KString& heat, const KString& name);

  const KString& GetEventText() const { return event; }
  const KString& GetRoundText() const { return round; }
  const KString& GetHeatText() const { return heat; }
  const KString& GetText() const { return text; }
  // True when event, round and heat are all set.
  bool IsSet() const { return !event.IsEmpty() && !round.IsEmpty() && !heat.IsEmpty(); }

 private:
  KString event;
  KString round;
  KString heat;
  KString text;
};
