#pragma once
// Helpers shared by the imaging tests: a root object that records the messages reaching it, a fixture with
// the frame pool, and pixel access to decoded frames.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "foundation/kmessage.h"
#include "imaging/yimageframe.h"

class MessageLog : public KMessageObject {
 public:
  int32_t Receive(KMessage& message) override {
    codes.push_back(message.code);
    senders.push_back(message.sender);
    return 0;
  }
  std::vector<uint32_t> codes;
  std::vector<KMessageObject*> senders;
};

// The frame pool for one test.
class FramePoolTest : public ::testing::Test {
 protected:
  void SetUp() override { YImageFrame::InitPool(); }
  void TearDown() override { YImageFrame::ExitPool(); }
};

inline std::vector<uint16_t> ColourPixels(const uint8_t* pixels, int32_t count) {
  std::vector<uint16_t> values(static_cast<size_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    values[static_cast<size_t>(i)] = static_cast<uint16_t>(pixels[2 * i] | pixels[2 * i + 1] << 8);
  }
  return values;
}

inline std::vector<uint8_t> GrayPixels(const uint8_t* pixels, int32_t count) {
  return std::vector<uint8_t>(pixels, pixels + count);
}

// A colour frame buffer holding the given pixels.
inline void FillColour(YImageFrame& frame, const std::vector<uint16_t>& values) {
  for (size_t i = 0; i < values.size(); ++i) {
    frame.pixels[2 * i] = static_cast<uint8_t>(values[i]);
    frame.pixels[2 * i + 1] = static_cast<uint8_t>(values[i] >> 8);
  }
}
