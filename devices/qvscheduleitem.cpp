#include "devices/qvscheduleitem.h"

QvScheduleItem::QvScheduleItem(const KString& event, const KString& round, const KString& heat,
                               const KString& name)
    : event(event), round(round), heat(heat) {
  text.Append(event).AppendChar(u'-').Append(round).AppendChar(u'-').Append(heat);
  if (!name.IsEmpty()) {
    text.AppendChar(u' ').Append(name);
  }
}
