// Faults on the line between the link and the control unit: each fails its exchange with the code the
// protocol page gives, and the next request still gets through.
#include <gtest/gtest.h>

#include <algorithm>

#include "devices/qvpacketexchange.h"
#include "devices/tests/culinktestsupport.h"
#include "foundation/kx.h"

TEST_F(CuLinkTest, DamagedRepliesFailWithTheirCodeAndTheRetrySucceeds) {
  struct Case {
    const char* what;
    CuFault fault;
    int32_t code;
  } cases[] = {
      {"dropped", CuFault::kDrop, kErrSerialTimeout},
      {"too late", CuFault::kDelay, kErrSerialTimeout},
      {"checksum", CuFault::kChecksum, kErrSerialChecksum},
      {"magic", CuFault::kMagic, kErrSerialReceive},
      {"request number", CuFault::kRequestNumber, kErrSerialReceive},
  };
  AddSetting(u"\\Serial\\ShortTimeout:Int=300");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CuScenario scenario;
    scenario.faults[1] = c.fault;
    // The unit answers one request after the other, so a reply later than the time-out delays the next one
    // too; within two time-outs both arrive.
    scenario.delayMs = 450;
    Start(scenario);
    EXPECT_EQ(link.GetReplyWord(port), 0);
    EXPECT_EQ(link.LastError(), c.code);
    // The retry is a new request; a late reply to the first one is thrown away, never taken for it.
    EXPECT_EQ(link.GetReplyWord(port), QvPacket::kControlUnitWord);
    const std::vector<QvPacket> requests = simulator->Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1].requestNumber, requests[0].requestNumber + 1);
    EXPECT_EQ(port.Timeout(), 300) << "the exchange leaves the port's time-out as it was";
    port.Close();
  }
}

TEST_F(CuLinkTest, ALateReplyArrivingDuringTheNextRequestIsSkipped) {
  AddSetting(u"\\Serial\\ShortTimeout:Int=300");
  CuScenario scenario;
  scenario.faults[1] = CuFault::kDelay;
  scenario.delayMs = 450;  // lands while the second request waits for its own reply
  Start(scenario);
  EXPECT_EQ(link.GetReplyWord(port), 0);
  EXPECT_EQ(link.GetReplyWord(port), QvPacket::kControlUnitWord);
}

TEST_F(CuLinkTest, NoiseOnTheLineIsSkipped) {
  struct Case {
    const char* what;
    std::string startNoise;
    bool noiseBeforeReply;
  } cases[] = {
      {"while the port settles", std::string("\xF1\x01\x00\x1E garbage \x00\xFF", 15), false},
      {"before the reply", "", true},
      {"both", "\xF1\xF1\x01", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CuScenario scenario;
    scenario.startNoise = c.startNoise;
    if (c.noiseBeforeReply) {
      scenario.faults[1] = CuFault::kNoise;
    }
    Start(scenario);
    EXPECT_EQ(link.GetReplyWord(port), QvPacket::kControlUnitWord);
    port.Close();
  }
}

TEST_F(CuLinkTest, NoiseThatLooksLikeALongFrameDoesNotHideTheReply) {
  CuScenario scenario;
  scenario.faults[1] = CuFault::kFrameNoise;
  Start(scenario);
  EXPECT_EQ(link.GetReplyWord(port), QvPacket::kControlUnitWord) << link.LastError();
}

TEST_F(CuLinkTest, RepliesOfTheWrongShapeAreRefused) {
  // A trace block from a lane the unit has no sensor for is answered with no words.
  CuScenario scenario = EightLanes();
  scenario.laneCount = 2;
  Start(scenario);
  EXPECT_FALSE(link.DownloadTrials(port, 5, 0, 502000, true, false, 0));
  EXPECT_EQ(link.LastError(), kErrSerialReceive);
  // A selector beyond the stored trials likewise.
  EXPECT_FALSE(link.DownloadTrials(port, 1, 3, 0, true, true, 0));
  EXPECT_EQ(link.LastError(), kErrSerialReceive);
  EXPECT_TRUE(link.DownloadTrials(port, 1, 2, 0, true, true, 0));
}

namespace {

// A port whose transmit queue is full for a moment: a write that may not wait (a 0 time-out) fails with
// 5004 as on a real line, a write that may wait goes out. Each request taken is answered at once.
class MomentarilyFullPort : public KSerialPort {
 public:
  std::vector<int32_t> writeTimeouts;

 protected:
  int32_t ReadRaw(void* buffer, int32_t count) override {
    if (input.empty()) {
      throw KXSerialPort(kErrSerialTimeout);
    }
    const size_t taken = std::min(input.size(), static_cast<size_t>(count));
    std::copy_n(input.begin(), taken, static_cast<uint8_t*>(buffer));
    input.erase(input.begin(), input.begin() + static_cast<std::ptrdiff_t>(taken));
    return static_cast<int32_t>(taken);
  }
  void WriteRaw(const void* buffer, int32_t count) override {
    writeTimeouts.push_back(Timeout());
    if (Timeout() == 0) {
      throw KXSerialPort(kErrSerialBusy);
    }
    QvPacket request;
    ASSERT_EQ(QvPacket::Decode(static_cast<const uint8_t*>(buffer), static_cast<size_t>(count), request),
              kErrNone);
    QvPacket reply = request;
    reply.destination = request.source;
    reply.source = QvPacket::kControlUnitAddress;
    reply.words = {static_cast<uint32_t>(QvPacket::kControlUnitWord)};
    const std::vector<uint8_t> frame = reply.Encode();
    input.insert(input.end(), frame.begin(), frame.end());
  }

 private:
  std::vector<uint8_t> input;
};

}  // namespace

TEST(QvPacketExchange, TheRequestIsWrittenWithThePortsTimeout) {
  MomentarilyFullPort port;
  port.SetTimeout(250);
  QvPacketExchange exchange;
  for (int32_t request = 1; request <= 2; ++request) {
    SCOPED_TRACE(request);
    EXPECT_EQ(exchange.Exchange(port, QvPacket::kAnyDevice, QvPacket::kIdentify, {}, 1),
              std::vector<uint32_t>{QvPacket::kControlUnitWord});
  }
  EXPECT_EQ(port.writeTimeouts, (std::vector<int32_t>{250, 250}));
  EXPECT_EQ(port.Timeout(), 250);
}
