#include "devices/databaseframe.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

DatabaseFrame Frame(const std::string& code, const std::string& payload) {
  DatabaseFrame frame;
  frame.code = code;
  frame.payload = payload;
  return frame;
}

// Every good frame the reader finds in the bytes fed in slices of `slice` bytes.
std::vector<DatabaseFrame> FramesIn(const std::string& bytes, size_t slice, DatabaseFrameReader& reader) {
  std::vector<DatabaseFrame> frames;
  for (size_t at = 0; at < bytes.size(); at += slice) {
    const std::string piece = bytes.substr(at, slice);
    reader.Feed(reinterpret_cast<const uint8_t*>(piece.data()), piece.size());
    DatabaseFrame frame;
    while (reader.Next(frame)) {
      frames.push_back(frame);
    }
  }
  return frames;
}

TEST(DatabaseFrame, EncodesTheDocumentedBytes) {
  const DatabaseFrame frame = Frame("RRQ", "1,1,1\r\n");
  EXPECT_EQ(frame.Encode(false),
            "\x01RRQ\x02"
            "1,1,1\r\n\x04");
  // 1 + 'R' + 'R' + 'Q' + 2 + the payload's bytes + 3 = 509 = 0x1FD.
  EXPECT_EQ(frame.Encode(true),
            "\x01RRQ\x02"
            "1,1,1\r\n\x03"
            "CHK=000001FD\x04");
}

TEST(DatabaseFrame, FramesRoundTripWhateverTheSlicesAndTheNoise) {
  const std::vector<DatabaseFrame> sent = {Frame("HFL", ""), Frame("SRP", "1,1,1\r\n2,1,1\r\n"),
                                           Frame("IRP", std::string(2000, 'x')), Frame("ROK", "\xff\x80")};
  for (bool checksum : {false, true}) {
    std::string bytes = "line noise\r\n";
    for (const DatabaseFrame& frame : sent) {
      bytes += frame.Encode(checksum) + "\x7f garbage \x05";
    }
    for (size_t slice : {size_t{1}, size_t{7}, bytes.size()}) {
      SCOPED_TRACE(std::to_string(slice) + (checksum ? " with sum" : " without sum"));
      DatabaseFrameReader reader;
      const std::vector<DatabaseFrame> got = FramesIn(bytes, slice, reader);
      ASSERT_EQ(got.size(), sent.size());
      for (size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(got[i].code, sent[i].code);
        EXPECT_EQ(got[i].payload, sent[i].payload);
        EXPECT_EQ(got[i].hasChecksum, checksum);
      }
      EXPECT_EQ(reader.BadChecksums() + reader.BrokenFrames(), 0);
      EXPECT_GT(reader.IgnoredBytes(), 0);
      EXPECT_EQ(reader.Pending(), 0u);
    }
  }
}

TEST(DatabaseFrame, ABadSumIsRefusedAndCounted) {
  std::string bad = Frame("SRP", "1,1,1\r\n").Encode(true);
  bad[bad.size() - 2] = bad[bad.size() - 2] == '0' ? '1' : '0';
  DatabaseFrameReader reader;
  const std::vector<DatabaseFrame> got = FramesIn(bad + Frame("ROK", "").Encode(true), 3, reader);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].code, "ROK");
  EXPECT_EQ(reader.BadChecksums(), 1);
}

TEST(DatabaseFrame, BrokenFramesAreDroppedAndTheNextOneFound) {
  const std::string good = Frame("AMB", "no").Encode(true);
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"small letters", std::string("\x01rrq\x02x\x04")},
      {"no STX", std::string("\x01RRQx\x04")},
      {"short code", std::string("\x01RR\x02x\x04")},
      {"STX in the payload", std::string("\x01RRQ\x02x\x02y\x04")},
      {"frame cut by the next SOH", std::string("\x01RRQ\x02half")},
      {"bad tag", std::string("\x01RRQ\x02x\x03SUM=00000000\x04")},
      {"bad digit", std::string("\x01RRQ\x02x\x03"
                                "CHK=0000000G\x04")},
      {"no EOT after the sum", std::string("\x01RRQ\x02x\x03"
                                           "CHK=000000000\x04")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DatabaseFrameReader reader;
    const std::vector<DatabaseFrame> got = FramesIn(c.bytes + good, 1, reader);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].payload, "no");
    EXPECT_EQ(reader.BrokenFrames(), 1);
  }
}

TEST(DatabaseFrame, EtxWithoutASumEndsAFrameToo) {
  DatabaseFrameReader reader;
  const std::vector<DatabaseFrame> got = FramesIn(std::string("\x01HMM\x02Photo\x03\x04"), 1, reader);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].payload, "Photo");
  EXPECT_FALSE(got[0].hasChecksum);
}

TEST(DatabaseFrame, AnOverlongPayloadIsDroppedWithoutBeingKept) {
  DatabaseFrameReader reader;
  const std::string head = "\x01IRP\x02";
  reader.Feed(reinterpret_cast<const uint8_t*>(head.data()), head.size());
  const std::string chunk(4096, 'x');
  DatabaseFrame frame;
  for (int32_t i = 0; i < 40; ++i) {
    reader.Feed(reinterpret_cast<const uint8_t*>(chunk.data()), chunk.size());
    EXPECT_FALSE(reader.Next(frame));
    EXPECT_LE(reader.Pending(),
              static_cast<size_t>(DatabaseFrame::kMaxPayloadBytes) + chunk.size() + head.size());
  }
  EXPECT_EQ(reader.BrokenFrames(), 1);
  const std::vector<DatabaseFrame> got = FramesIn("\x04" + Frame("ROK", "").Encode(false), 1, reader);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].code, "ROK");
}

TEST(DatabaseFrame, APayloadOverTheLimitIsNeverEncoded) {
  struct Case {
    size_t payloadBytes;
    bool encoded;
  } cases[] = {
      {0, true},
      {static_cast<size_t>(DatabaseFrame::kMaxPayloadBytes), true},
      {static_cast<size_t>(DatabaseFrame::kMaxPayloadBytes) + 1, false},
      {static_cast<size_t>(DatabaseFrame::kMaxPayloadBytes) * 4, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.payloadBytes);
    const DatabaseFrame frame = Frame("RRP", std::string(c.payloadBytes, 'x'));
    for (bool checksum : {false, true}) {
      const std::string bytes = frame.Encode(checksum);
      EXPECT_EQ(bytes.empty(), !c.encoded);
      if (c.encoded) {
        // What is sent is what every reader takes.
        DatabaseFrameReader reader;
        const std::vector<DatabaseFrame> got = FramesIn(bytes, bytes.size(), reader);
        ASSERT_EQ(got.size(), 1u);
        EXPECT_EQ(got[0].payload.size(), c.payloadBytes);
      }
    }
  }
}

TEST(DatabaseFrame, CountersStopAtTheirLargestValue) {
  // More noise than a signed 32-bit count holds: the count stays at its largest value.
  DatabaseFrameReader reader;
  const std::string noise(1 << 20, 'x');
  const int64_t slices = (int64_t{1} << 31) / static_cast<int64_t>(noise.size()) + 1;
  DatabaseFrame frame;
  for (int64_t i = 0; i < slices; ++i) {
    reader.Feed(reinterpret_cast<const uint8_t*>(noise.data()), noise.size());
    ASSERT_FALSE(reader.Next(frame));
  }
  EXPECT_EQ(reader.IgnoredBytes(), std::numeric_limits<int32_t>::max());

  struct Case {
    int32_t start;
    size_t amount;
    int32_t sum;
  } cases[] = {
      {0, 0, 0},
      {5, 7, 12},
      {std::numeric_limits<int32_t>::max() - 1, 1, std::numeric_limits<int32_t>::max()},
      {std::numeric_limits<int32_t>::max() - 1, 2, std::numeric_limits<int32_t>::max()},
      {std::numeric_limits<int32_t>::max(), 1, std::numeric_limits<int32_t>::max()},
      {1, std::numeric_limits<size_t>::max(), std::numeric_limits<int32_t>::max()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.start) + " + " + std::to_string(c.amount));
    int32_t counter = c.start;
    AddSaturated(counter, c.amount);
    EXPECT_EQ(counter, c.sum);
  }
}

TEST(DatabaseFrame, DiscardedBytesCannotCompleteAFrameLater) {
  DatabaseFrameReader reader;
  const std::string late = Frame("ROK", "").Encode(true);
  FramesIn(late.substr(0, late.size() - 1), 1, reader);
  EXPECT_EQ(reader.Pending(), late.size() - 1);
  reader.Discard();
  EXPECT_EQ(reader.Pending(), 0u);
  EXPECT_EQ(reader.IgnoredBytes(), static_cast<int32_t>(late.size() - 1));
  EXPECT_TRUE(FramesIn(late.substr(late.size() - 1), 1, reader).empty());
  EXPECT_EQ(FramesIn(late, 5, reader).size(), 1u);
}

TEST(DatabaseFrame, PayloadControlBytesCannotEndTheFrame) {
  // A NUL ends no frame, but a database refuses the frame that holds one.
  const DatabaseFrame frame = Frame("RFL", std::string("a\x01"
                                                       "b\x04"
                                                       "c\0d",
                                                       7));
  DatabaseFrameReader reader;
  const std::vector<DatabaseFrame> got = FramesIn(frame.Encode(true), 2, reader);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].payload, "a b c d");
}

TEST(DatabaseFrame, LinesRoundTripInBothCodeSets) {
  const std::vector<KString> lines = {u"5,1,2,M\u00fcller", u"", u"\u0141ukasz"};
  struct Case {
    int32_t charMode;
    std::string payload;
    const char* lastLine;
  } cases[] = {
      {0, "5,1,2,M\xfcller\r\n\r\n?ukasz\r\n", "?ukasz"},
      {1, "5,1,2,M\xc3\xbcller\r\n\r\n\xc5\x81ukasz\r\n", "\xc5\x81ukasz"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.charMode);
    DatabaseFrame frame;
    frame.SetLines(lines, c.charMode);
    EXPECT_EQ(frame.payload, c.payload);
    const std::vector<KString> back = frame.Lines(c.charMode);
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back[0].ToUtf8(), "5,1,2,M\xc3\xbcller");
    EXPECT_TRUE(back[1].IsEmpty());
    EXPECT_EQ(back[2].ToUtf8(), c.lastLine);
  }
  EXPECT_EQ(Frame("X", "a\nb").Lines(1).size(), 2u);
}

}  // namespace
