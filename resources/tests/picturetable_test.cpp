#include "tools/kestrove-pack/picturetable.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>

namespace {

// The entries as "kind:name:width:height" joined by blanks, or "refused: <message>".
std::string Read(const std::string& text) {
  std::istringstream stream(text);
  try {
    std::string result;
    for (const PictureEntry& entry : ReadPictureTable(stream)) {
      result += std::string(result.empty() ? "" : " ") +
                (entry.kind == PictureEntry::Kind::Icon ? "icon:" : "bitmap:") + entry.name + ":" +
                std::to_string(entry.width) + ":" + std::to_string(entry.height);
    }
    return result;
  } catch (const std::runtime_error& failure) {
    return std::string("refused: ") + failure.what();
  }
}

}  // namespace

TEST(PictureTable, ReadsEntriesAndRefusesAnythingElseByLine) {
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {
      {"bitmap New 20 20\n\ticon  App_1 32 16  # the icon\n", "bitmap:New:20:20 icon:App_1:32:16"},
      {"# only a comment\n\n   \n", ""},
      {"bitmap Zoom 256 1\n", "bitmap:Zoom:256:1"},
      {"bitmap New 20\n", "refused: picture table line 1: expected kind, name, width and height"},
      {"bitmap New 20 20 20\n", "refused: picture table line 1: expected kind, name, width and height"},
      {"\ncursor New 20 20\n", "refused: picture table line 2: unknown kind \"cursor\""},
      {"bitmap ../New 20 20\n", "refused: picture table line 1: a name holds only letters, digits and '_'"},
      {"bitmap New 0 20\n", "refused: picture table line 1: a size is 1 to 256 pixels"},
      {"bitmap New 20 257\n", "refused: picture table line 1: a size is 1 to 256 pixels"},
      {"bitmap New 2x 20\n", "refused: picture table line 1: a size is 1 to 256 pixels"},
      {"bitmap New -20 20\n", "refused: picture table line 1: a size is 1 to 256 pixels"},
      {"bitmap New 20 20\nicon New 32 32\n", "refused: picture table line 2: \"New\" stands twice"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Read(c.text), c.expected);
  }
}
