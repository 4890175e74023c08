#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "native/shell/commandwire.h"

namespace native::test {

using State = CommandRequestReader::State;
using namespace std::string_literals;

namespace {

struct Read {
  State state;
  std::string topic;
  std::string command;
};

// Feeds the bytes in pieces of `piece` bytes, then ends the connection when `close` says so.
Read readRequest(const std::string& bytes, std::size_t piece, bool close) {
  CommandRequestReader reader;
  for (std::size_t at = 0; at < bytes.size(); at += piece) {
    reader.feed(std::string_view(bytes).substr(at, piece));
  }
  if (close) {
    reader.finish();
  }
  return Read{reader.state(), reader.topic(), reader.command()};
}

}  // namespace

TEST(CommandWire, RequestsAreReadWhateverTheirPieces) {
  const std::string longest(CommandWire::kMaxCommand, 'c');
  const std::string longestTopic(CommandWire::kMaxTopic, 't');
  struct Case {
    const char* name;
    std::string bytes;
    bool close;
    State state;
    std::string topic;
    std::string command;
  };
  const Case cases[] = {
      {"ended by a 0", "System\0OpenEvent,a.qve\0"s, false, State::Complete, "System", "OpenEvent,a.qve"},
      {"ended by closing", "System\0OpenEvent,a.qve"s, true, State::Complete, "System", "OpenEvent,a.qve"},
      {"waiting for more", "System\0OpenEv"s, false, State::Incomplete, "System", "OpenEv"},
      {"empty command", "System\0\0"s, false, State::Complete, "System", ""},
      {"bytes after the end ignored", "System\0x\0more\0"s, false, State::Complete, "System", "x"},
      {"topic only", "System"s, true, State::Refused, "System", ""},
      {"nothing", ""s, true, State::Refused, "", ""},
      {"longest command", "System\0"s + longest + '\0', false, State::Complete, "System", longest},
      {"command too long", "System\0"s + longest + "c", false, State::Refused, "System", longest},
      {"longest topic", longestTopic + '\0' + "x", true, State::Complete, longestTopic, "x"},
      {"topic too long", longestTopic + "t", false, State::Refused, longestTopic, ""},
  };
  for (const Case& c : cases) {
    for (std::size_t piece : {std::size_t{1}, std::size_t{7}, std::size_t{4096}}) {
      SCOPED_TRACE(std::string(c.name) + " in pieces of " + std::to_string(piece));
      Read read = readRequest(c.bytes, piece, c.close);
      EXPECT_EQ(read.state, c.state);
      EXPECT_EQ(read.topic, c.topic);
      EXPECT_EQ(read.command, c.command);
    }
  }
}

TEST(CommandWire, RefusedRequestStaysRefused) {
  CommandRequestReader reader;
  reader.feed(std::string(CommandWire::kMaxTopic + 1, 't'));
  EXPECT_EQ(reader.feed("\0x\0"s), State::Refused);
  EXPECT_EQ(reader.finish(), State::Refused);
}

TEST(CommandWire, WrittenRequestsReadBackAndBadOnesAreNotWritten) {
  std::optional<std::string> request = CommandWire::request("System", "OpenEvent,\"/tmp/a,b.qve\"");
  ASSERT_TRUE(request.has_value());
  Read read = readRequest(*request, 3, false);
  EXPECT_EQ(read.state, State::Complete);
  EXPECT_EQ(read.topic, "System");
  EXPECT_EQ(read.command, "OpenEvent,\"/tmp/a,b.qve\"");

  EXPECT_FALSE(CommandWire::request("System", std::string(CommandWire::kMaxCommand + 1, 'c')).has_value());
  EXPECT_FALSE(CommandWire::request(std::string(CommandWire::kMaxTopic + 1, 't'), "x").has_value());
  EXPECT_FALSE(CommandWire::request("System", "a\0b"s).has_value());
  EXPECT_FALSE(CommandWire::request("Sys\0tem"s, "x").has_value());
}

TEST(CommandWire, AnswerLinesReadBack) {
  for (CommandAnswer answer : {CommandAnswer::Ack, CommandAnswer::Busy, CommandAnswer::Nak}) {
    std::string_view line = CommandWire::answerLine(answer);
    SCOPED_TRACE(std::string(line));
    EXPECT_EQ(line.back(), '\n');
    EXPECT_EQ(CommandWire::parseAnswer(line), answer);
    EXPECT_EQ(CommandWire::parseAnswer(line.substr(0, line.size() - 1)), answer);
  }
  for (const char* other : {"", "\n", "ack\n", "ACK\n\n", "ACKNOWLEDGED\n", "NA"}) {
    SCOPED_TRACE(other);
    EXPECT_FALSE(CommandWire::parseAnswer(other).has_value());
  }
}

}  // namespace native::test
