// The control-unit frame: its bytes against the protocol page, round trips, damaged frames refused with the
// right code, and frames found in noisy, sliced input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "devices/qvframereader.h"
#include "devices/qvpacket.h"
#include "foundation/kx.h"

namespace {

QvPacket Request(uint32_t number, uint32_t command, std::vector<uint32_t> words) {
  QvPacket packet;
  packet.destination = QvPacket::kControlUnitAddress;
  packet.source = QvPacket::kProgramAddress;
  packet.requestNumber = number;
  packet.command = command;
  packet.words = std::move(words);
  return packet;
}

}  // namespace

TEST(QvPacket, LaneStateRequestHasThePageLayout) {
  const std::vector<uint8_t> frame = Request(7, QvPacket::kLaneStates, {1, 0x00000024}).Encode();
  const std::vector<uint8_t> expected = {
      0xF1, 0x01, 0x00, 0x22, 0x02, 0x81, 0x00, 0x01,  // sync, length 34, to 641, from 1
      'v',  'u',  'x',  'N',                           // magic
      0x07, 0x00, 0x00, 0x00, 0x05, 0x00, 0x02, 0x00,  // request 7, command 0x20005
      0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,  // count 2, argument 1
      0x24, 0x00, 0x00, 0x00,                          // the mask
  };
  ASSERT_EQ(frame.size(), expected.size() + 2);
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), frame.begin()));
  EXPECT_EQ(QvReadU16BE(frame.data() + 32), QvPacket::Checksum(frame.data(), 32));
}

TEST(QvPacket, ChecksumFoldsTheCarryBackIn) {
  struct Case {
    std::vector<uint8_t> bytes;
    uint16_t sum;
  } cases[] = {
      {{}, 0x0000},
      {{0xF1, 0x01, 0x1F, 0x00}, 0x1002},  // 0x11001 folds to 0x1002
      {{0xFF, 0xFF, 0x00, 0x01}, 0x0001},  // 0x10000 folds to 0x0001
      {{0x12}, 0x1200},                    // an odd byte is padded with 0
      {{0xFF, 0xFF, 0xFF, 0xFF}, 0xFFFF},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes.size());
    EXPECT_EQ(QvPacket::Checksum(c.bytes.data(), c.bytes.size()), c.sum);
  }
}

TEST(QvPacket, FramesRoundTripAtTheEdgesOfTheirSize) {
  for (uint32_t count : {0u, 1u, 15u, QvPacket::kMaxWords}) {
    SCOPED_TRACE(count);
    std::vector<uint32_t> words(count);
    for (uint32_t i = 0; i < count; ++i) {
      words[i] = 0x80000000u + i * 0x01010101u;
    }
    const QvPacket sent = Request(0xFFFFFFFF, QvPacket::kTraceBlock, words);
    const std::vector<uint8_t> frame = sent.Encode();
    EXPECT_EQ(frame.size(), QvPacket::kMinFrameSize + 4 * count);
    QvPacket got;
    ASSERT_EQ(QvPacket::Decode(frame.data(), frame.size(), got), kErrNone);
    EXPECT_EQ(got.destination, sent.destination);
    EXPECT_EQ(got.source, sent.source);
    EXPECT_EQ(got.requestNumber, sent.requestNumber);
    EXPECT_EQ(got.command, sent.command);
    EXPECT_EQ(got.words, sent.words);
  }
}

TEST(QvPacket, DamagedFramesAreRefusedWithTheirCode) {
  const std::vector<uint8_t> good = Request(3, QvPacket::kTrialHeader, {1}).Encode();
  struct Case {
    const char* what;
    size_t offset;
    uint8_t flip;
    int32_t code;
  } cases[] = {
      {"sync", 0, 0x01, kErrSerialReceive},
      {"length", 3, 0x04, kErrSerialReceive},
      {"magic", 9, 0x20, kErrSerialReceive},
      {"count", 20, 0x01, kErrSerialReceive},
      {"request number", 12, 0x01, kErrSerialChecksum},
      {"argument", 24, 0x80, kErrSerialChecksum},
      {"checksum", 29, 0x01, kErrSerialChecksum},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> frame = good;
    frame[c.offset] ^= c.flip;
    QvPacket got;
    got.command = 99;
    EXPECT_EQ(QvPacket::Decode(frame.data(), frame.size(), got), c.code);
    EXPECT_EQ(got.command, 99u) << "a refused frame leaves the packet alone";
  }
  QvPacket got;
  EXPECT_EQ(QvPacket::Decode(good.data(), good.size() - 1, got), kErrSerialReceive);
}

TEST(QvPacket, ImpossibleLengthsAreNotAnnounced) {
  struct Case {
    uint16_t length;
    size_t announced;
  } cases[] = {{0, 0}, {25, 0}, {26, 26}, {27, 0}, {30, 30}, {4122, 4122}, {4126, 0}, {0xFFFF, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    const uint8_t header[4] = {0xF1, 0x01, static_cast<uint8_t>(c.length >> 8),
                               static_cast<uint8_t>(c.length)};
    EXPECT_EQ(QvPacket::AnnouncedLength(header), c.announced);
  }
}

TEST(QvFrameReader, FindsFramesBehindNoiseWhateverTheSlices) {
  const std::vector<uint8_t> first = Request(1, QvPacket::kIdentify, {}).Encode();
  const std::vector<uint8_t> second = Request(2, QvPacket::kVersion, {0x15000}).Encode();
  std::vector<uint8_t> line = {0x00, 0xF1, 0x55, 0xF1, 0x01, 0xFF, 0xFF, 0x13};
  line.insert(line.end(), first.begin(), first.end());
  line.insert(line.end(), {0xF1, 0x01, 0x00});
  line.insert(line.end(), second.begin(), second.end());
  for (size_t slice : {size_t{1}, size_t{3}, size_t{7}, line.size()}) {
    SCOPED_TRACE(slice);
    QvFrameReader reader;
    std::vector<uint32_t> numbers;
    QvPacket packet;
    for (size_t offset = 0; offset < line.size(); offset += slice) {
      reader.Feed(line.data() + offset, std::min(slice, line.size() - offset));
      for (int32_t code = reader.Next(packet); code != QvFrameReader::kNeedMore; code = reader.Next(packet)) {
        ASSERT_EQ(code, kErrNone);
        numbers.push_back(packet.requestNumber);
      }
    }
    EXPECT_EQ(numbers, (std::vector<uint32_t>{1, 2}));
  }
}

TEST(QvFrameReader, ADamagedFrameIsReportedAndTheNextOneStillFound) {
  std::vector<uint8_t> line = Request(1, QvPacket::kIdentify, {}).Encode();
  line.back() ^= 0x40;
  const std::vector<uint8_t> good = Request(2, QvPacket::kIdentify, {}).Encode();
  line.insert(line.end(), good.begin(), good.end());
  QvFrameReader reader;
  reader.Feed(line.data(), line.size());
  QvPacket packet;
  EXPECT_EQ(reader.Next(packet), kErrSerialChecksum);
  EXPECT_EQ(reader.Next(packet), kErrNone);
  EXPECT_EQ(packet.requestNumber, 2u);
  EXPECT_EQ(reader.Next(packet), QvFrameReader::kNeedMore);
}

TEST(QvFrameReader, AFalseFrameStartIsDroppedWithoutWaitingForItsLength) {
  // Each start announces 4090 bytes, far more than follow; the reply right behind it must still be found.
  const std::vector<uint8_t> reply = Request(5, QvPacket::kIdentify, {0x20001}).Encode();
  struct Case {
    const char* what;
    std::vector<uint8_t> start;
  } cases[] = {
      {"magic wrong from its first byte", {0xF1, 0x01, 0x0F, 0xFA, 0x00, 0x01, 0x02, 0x81, 'w'}},
      {"magic wrong in its last byte", {0xF1, 0x01, 0x0F, 0xFA, 0x00, 0x01, 0x02, 0x81, 'v', 'u', 'x', 'M'}},
      {"count that does not match the length",
       {0xF1, 0x01, 0x0F, 0xFA, 0x00, 0x01, 0x02, 0x81, 'v', 'u', 'x', 'N',
        1,    0,    0,    0,    1,    0,    0,    0,    1,   0,   0,   0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<uint8_t> line = c.start;
    line.insert(line.end(), reply.begin(), reply.end());
    QvFrameReader reader;
    reader.Feed(line.data(), line.size());
    QvPacket packet;
    ASSERT_EQ(reader.Next(packet), kErrNone);
    EXPECT_EQ(packet.requestNumber, 5u);
    EXPECT_TRUE(reader.DroppedDamagedStart());
    EXPECT_EQ(reader.Next(packet), QvFrameReader::kNeedMore);
    reader.Clear();
    EXPECT_FALSE(reader.DroppedDamagedStart());
  }
}

TEST(QvFrameReader, AStartThatMayStillBeRightIsWaitedFor) {
  // A frame's first bytes, up to part of its magic: nothing is dropped yet.
  const std::vector<uint8_t> frame = Request(6, QvPacket::kIdentify, {}).Encode();
  QvFrameReader reader;
  QvPacket packet;
  for (size_t i = 0; i + 1 < frame.size(); ++i) {
    reader.Feed(&frame[i], 1);
    ASSERT_EQ(reader.Next(packet), QvFrameReader::kNeedMore) << i;
  }
  reader.Feed(&frame.back(), 1);
  EXPECT_EQ(reader.Next(packet), kErrNone);
  EXPECT_FALSE(reader.DroppedDamagedStart());
}
