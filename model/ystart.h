#pragma once
// One start of an event: its name and the times recorded for it (the first is the start's time).

#include <cstdint>
#include <vector>

#include "foundation/klist.h"
#include "foundation/kmessage.h"
#include "foundation/kstring.h"
#include "model/ytime.h"

class YStart : public KListItem, public KMessageObject {
 public:
  static constexpr int32_t kMaxTimes = 1000;
  static constexpr uint16_t kVersion = 1;

  explicit YStart(KMessageObject* owner = nullptr) : KMessageObject(owner) {}

  const KString& Name() const { return name; }
  void SetName(const KString& text);
  int32_t TimeCount() const { return static_cast<int32_t>(times.size()); }
  // The time of item n, the empty time outside the list.
  YTime TimeAt(int32_t index) const;
  // Appends a time item; false when the start holds the most it may.
  bool AddTime(const YTime& time);
  // The time of the first time item, or the empty time.
  YTime FirstTime() const { return TimeAt(0); }
  // No time item, or an empty first time.
  bool IsEmpty() const { return !FirstTime().HasResolution(); }

  const char* ClassName() const override { return "YStart"; }
  void Write(KStream& stream) const override;
  void Read(KStream& stream) override;
  friend bool operator==(const YStart& a, const YStart& b) { return a.name == b.name && a.times == b.times; }

 private:
  KString name;
  std::vector<YTime> times;
};
