// The event record read from memory: what each of its lists may hold.

#include <gtest/gtest.h>

#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kpersistent.h"
#include "foundation/kpoint.h"
#include "foundation/kx.h"
#include "model/qvresultfilter.h"
#include "model/tests/qvmodeltestsupport.h"

namespace {

// A list record of `count` fresh items of one kind.
template <typename Item>
void WriteFreshItems(KStream& stream, int32_t count) {
  KList list;
  for (int32_t i = 0; i < count; ++i) {
    list.Add(new Item);
  }
  list.Write(stream);
}

struct ListCounts {
  int32_t starts = 1;
  int32_t winds = 1;
  int32_t legs = 1;
  int32_t charts = 1;
  int32_t results = 0;
};

// A document built by hand from the format page with the given list counts; the charts and results are
// those of the first leg.
std::vector<uint8_t> DocumentWithCounts(const ListCounts& counts) {
  KMemoryStream stream;
  KPersistent::WriteVersion(stream, KPersistent::kFamilyModel, 1);
  stream.WriteInt32(QvEvent::kEvent);
  for (int32_t i = 0; i < 4; ++i) {
    KString().Write(stream);
  }
  for (int32_t field : {2026, 12, 1, 7, 9, 30, 0, 0, YTime::kNoMilliseconds, YTime::kNoMilliseconds}) {
    stream.WriteInt32(field);
  }
  WriteFreshItems<YStart>(stream, counts.starts);
  WriteFreshItems<YWind>(stream, counts.winds);
  stream.WriteUInt32(KList::kRecordWord);
  stream.WriteInt32(counts.legs);
  for (int32_t leg = 0; leg < counts.legs; ++leg) {
    KPersistent::WriteVersion(stream, KPersistent::kFamilyModel, 1);
    KString().Write(stream);
    stream.WriteInt32(0);
    stream.WriteInt32(0);
    KPersistent::WriteVersion(stream, KPersistent::kFamilyModel, 1);
    KString().Write(stream);
    stream.WriteInt32(1);
    stream.WriteInt32(QvResultFilter::kByLane);
    KPoint().Write(stream);
    KPoint().Write(stream);
    WriteFreshItems<QvResult>(stream, leg == 0 ? counts.results : 0);
    WriteFreshItems<QvChart>(stream, leg == 0 ? counts.charts : 1);
    stream.WriteInt32(0);
  }
  KPoint().Write(stream);
  KPoint().Write(stream);
  return stream.Bytes();
}

}  // namespace

TEST(QvEvent, EachListOfTheDocumentTakesUpToItsLimit) {
  struct Case {
    const char* name;
    ListCounts counts;
    bool accepted;
  } cases[] = {
      {"100 starts", {.starts = 100}, true},   {"101 starts", {.starts = 101}, false},
      {"100 winds", {.winds = 100}, true},     {"101 winds", {.winds = 101}, false},
      {"16 legs", {.legs = 16}, true},         {"17 legs", {.legs = 17}, false},
      {"16 charts", {.charts = 16}, true},     {"17 charts", {.charts = 17}, false},
      {"100 results", {.results = 100}, true}, {"101 results", {.results = 101}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KMemoryStream stream(DocumentWithCounts(c.counts));
    QvEvent event;
    try {
      event.Read(stream);
      EXPECT_TRUE(c.accepted);
      EXPECT_EQ(stream.Remaining(), 0);
      EXPECT_EQ(event.GetStartCount(), c.counts.starts);
      EXPECT_EQ(event.GetWindCount(), c.counts.winds);
      EXPECT_EQ(event.GetLegCount(), c.counts.legs);
      EXPECT_EQ(event.Leg(0)->ChartCount(), c.counts.charts);
      EXPECT_EQ(event.Leg(0)->Results().Count(), c.counts.results);
    } catch (const KX& failure) {
      EXPECT_FALSE(c.accepted);
      EXPECT_EQ(failure.Code(), 3010);
      EXPECT_EQ(event.GetStartCount(), 0);
    }
  }
}
