#include "model/ystart.h"

#include "foundation/kpersistent.h"
#include "foundation/kstream.h"
#include "model/qvchange.h"
#include "model/qvnotification.h"

void YStart::SetName(const KString& text) {
  QvChange change(this, kQvStartChanged);
  name = text;
}

YTime YStart::TimeAt(int32_t index) const {
  return index >= 0 && index < TimeCount() ? times[static_cast<size_t>(index)] : YTime();
}

bool YStart::AddTime(const YTime& time) {
  if (TimeCount() >= kMaxTimes) {
    return false;
  }
  QvChange change(this, kQvStartChanged);
  times.push_back(time);
  return true;
}

void YStart::Write(KStream& stream) const {
  KPersistent::WriteVersion(stream, KPersistent::kFamilyModel, kVersion);
  name.Write(stream);
  stream.WriteInt32(TimeCount());
  for (const YTime& time : times) {
    time.Write(stream);
  }
}

void YStart::Read(KStream& stream) {
  KPersistent::ReadVersion(stream, KPersistent::kFamilyModel, kVersion, kVersion);
  KString newName;
  newName.Read(stream);
  const int32_t count = KPersistent::ReadCount(stream, YTime::kStoredSize, kMaxTimes);
  std::vector<YTime> newTimes(static_cast<size_t>(count));
  for (YTime& time : newTimes) {
    time.Read(stream);
  }
  name = newName;
  times = std::move(newTimes);
}
