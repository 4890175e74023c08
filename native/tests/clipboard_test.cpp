#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "native/native.h"
#include "native/testdriver.h"
#include "native/user/windowsystem.h"

namespace native::test {

namespace {

template <typename Char>
HGLOBAL blockHolding(const Char* bytes, std::size_t count) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, count * sizeof(Char));
  std::memcpy(GlobalLock(block), bytes, count * sizeof(Char));
  GlobalUnlock(block);
  return block;
}

HGLOBAL textBlock(const std::u16string& text) {
  return blockHolding(text.c_str(), text.size() + 1);
}

HGLOBAL textBlock(const std::string& text) {
  return blockHolding(text.c_str(), text.size() + 1);
}

template <typename Char>
std::basic_string<Char> contents(HGLOBAL block) {
  const auto* bytes = static_cast<const Char*>(GlobalLock(block));
  std::basic_string<Char> text =
      bytes == nullptr ? std::basic_string<Char>() : std::basic_string<Char>(bytes);
  GlobalUnlock(block);
  return text;
}

// A display's clipboard that only records what the program told it (the X11 tests use a real one).
class RecordingSharedClipboard : public SharedClipboard {
 public:
  Owner owner() override { return Owner::ThisProgram; }
  void programChanged(bool holdsText) override { changes.push_back(holdsText); }
  std::optional<std::string> otherProgramText() override { return std::nullopt; }

  std::vector<bool> changes;
};

// The program's clipboard linked to a recording display's on a fresh headless desktop, unlinked at the end.
struct LinkedClipboard {
  LinkedClipboard() { WindowSystem::get().clipboard().link(&shared); }
  ~LinkedClipboard() { WindowSystem::get().clipboard().link(nullptr); }
  TestDriver driver;
  RecordingSharedClipboard shared;
};

}  // namespace

TEST(GlobalMemory, BlocksLockUnlockAndFreeThroughTheirHandles) {
  HGLOBAL block = GlobalAlloc(GHND, 16);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(GlobalSize(block), 16u);
  auto* first = static_cast<unsigned char*>(GlobalLock(block));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first[15], 0) << "blocks start zeroed";
  EXPECT_EQ(GlobalLock(block), first) << "locked bytes stay where they are";
  EXPECT_EQ(GlobalUnlock(block), TRUE) << "still locked once";
  EXPECT_EQ(GlobalUnlock(block), FALSE);
  EXPECT_EQ(GlobalUnlock(block), FALSE) << "unlocking an unlocked block changes nothing";
  EXPECT_EQ(GlobalFree(block), nullptr);
  EXPECT_EQ(GlobalLock(block), nullptr) << "a freed handle reaches nothing";
  EXPECT_EQ(GlobalSize(block), 0u);
  EXPECT_EQ(GlobalFree(block), block) << "freeing twice fails";
  EXPECT_EQ(GlobalAlloc(GMEM_MOVEABLE, GlobalMemory::kMaxBlockBytes + 1), nullptr);
}

TEST(Clipboard, OneWindowAtATimeOpensIt) {
  TestDriver driver;
  HWND first = reinterpret_cast<HWND>(std::uintptr_t{0x10});
  HWND second = reinterpret_cast<HWND>(std::uintptr_t{0x20});
  EXPECT_EQ(CloseClipboard(), FALSE);
  EXPECT_EQ(EmptyClipboard(), FALSE) << "emptying needs it open";
  EXPECT_EQ(SetClipboardData(CF_TEXT, textBlock(std::string("x"))), nullptr);
  ASSERT_EQ(OpenClipboard(first), TRUE);
  EXPECT_EQ(OpenClipboard(second), FALSE);
  EXPECT_EQ(OpenClipboard(first), TRUE) << "the holder may open it again";
  EXPECT_EQ(CloseClipboard(), TRUE);
  EXPECT_EQ(OpenClipboard(second), TRUE);
  EXPECT_EQ(CloseClipboard(), TRUE);
}

TEST(Clipboard, TextIsOfferedInBothFormats) {
  struct Case {
    const char* name;
    std::u16string wide;
    std::string narrow;
  };
  const Case cases[] = {
      {"ASCII", u"9.87 s", "9.87 s"},
      {"accents and a dash", u"Zeit \u00C4 \u2013 1", "Zeit \xC3\x84 \xE2\x80\x93 1"},
      {"outside the basic plane", u"\U0001F3C3", "\xF0\x9F\x8F\x83"},
      {"empty", u"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestDriver driver;
    ASSERT_EQ(OpenClipboard(nullptr), TRUE);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, textBlock(c.wide));
    EXPECT_EQ(IsClipboardFormatAvailable(CF_TEXT), TRUE);
    EXPECT_EQ(contents<char>(GetClipboardData(CF_TEXT)), c.narrow);
    EmptyClipboard();
    EXPECT_EQ(IsClipboardFormatAvailable(CF_UNICODETEXT), FALSE);
    SetClipboardData(CF_TEXT, textBlock(c.narrow));
    EXPECT_EQ(contents<char16_t>(GetClipboardData(CF_UNICODETEXT)), c.wide);
    CloseClipboard();
  }
}

TEST(Clipboard, BadTextBecomesReplacementCharacters) {
  struct Case {
    const char* name;
    std::string narrow;
    std::u16string wide;
  };
  const Case cases[] = {
      {"stray continuation byte", "a\x80z", u"a\uFFFDz"},
      {"cut-off sequence", "a\xC3", u"a\uFFFD"},
      {"overlong slash", "\xC0\xAF", u"\uFFFD\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestDriver driver;
    ASSERT_EQ(OpenClipboard(nullptr), TRUE);
    SetClipboardData(CF_TEXT, textBlock(c.narrow));
    EXPECT_EQ(contents<char16_t>(GetClipboardData(CF_UNICODETEXT)), c.wide);
    CloseClipboard();
  }
  TestDriver driver;
  ASSERT_EQ(OpenClipboard(nullptr), TRUE);
  SetClipboardData(CF_UNICODETEXT, textBlock(std::u16string(u"x") + char16_t{0xD800}));
  EXPECT_EQ(contents<char>(GetClipboardData(CF_TEXT)), "x\xEF\xBF\xBD") << "a lone surrogate";
  CloseClipboard();
}

TEST(Clipboard, UnterminatedTextIsReadOnlyToTheBlocksEnd) {
  TestDriver driver;
  ASSERT_EQ(OpenClipboard(nullptr), TRUE);
  const char letters[] = {'a', 'b', 'c'};
  SetClipboardData(CF_TEXT, blockHolding(letters, 3));
  EXPECT_EQ(contents<char16_t>(GetClipboardData(CF_UNICODETEXT)), u"abc");
  CloseClipboard();
}

TEST(Clipboard, HeldBlocksAreFreedWhenReplacedOrEmptied) {
  TestDriver driver;
  ASSERT_EQ(OpenClipboard(nullptr), TRUE);
  HGLOBAL first = textBlock(std::u16string(u"one"));
  HGLOBAL second = textBlock(std::u16string(u"two"));
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, first), first);
  HGLOBAL converted = GetClipboardData(CF_TEXT);
  EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, second), second);
  EXPECT_EQ(GlobalSize(first), 0u) << "the replaced block was freed";
  EXPECT_EQ(GlobalSize(converted), 0u) << "and the text made from it";
  EXPECT_EQ(contents<char>(GetClipboardData(CF_TEXT)), "two");
  EXPECT_EQ(SetClipboardData(CF_TEXT, first), nullptr) << "a dead handle is refused";
  EmptyClipboard();
  EXPECT_EQ(GlobalSize(second), 0u);
  CloseClipboard();
  EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr) << "data is taken only while open";
}

TEST(SharedClipboard, ClosingAfterAChangeOffersTheTextOrWithdrawsIt) {
  struct Case {
    const char* name;
    void (*change)();
    std::vector<bool> changes;
    std::optional<std::string> offered;
  };
  const Case cases[] = {
      {"wide text",
       [] { SetClipboardData(CF_UNICODETEXT, textBlock(std::u16string(u"\u00D8 \U0001F3C3"))); },
       {true},
       "\xC3\x98 \xF0\x9F\x8F\x83"},
      {"narrow text that is not UTF-8",
       [] { SetClipboardData(CF_TEXT, textBlock(std::string("a\xFFz"))); },
       {true},
       "a\xEF\xBF\xBDz"},
      {"emptied", [] { EmptyClipboard(); }, {false}, std::nullopt},
      {"only read", [] { GetClipboardData(CF_TEXT); }, {}, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LinkedClipboard linked;
    ASSERT_EQ(OpenClipboard(nullptr), TRUE);
    c.change();
    EXPECT_TRUE(linked.shared.changes.empty()) << "nothing is offered while the clipboard is open";
    CloseClipboard();
    EXPECT_EQ(linked.shared.changes, c.changes);
    EXPECT_EQ(WindowSystem::get().clipboard().textForOtherPrograms(), c.offered);
  }
}

}  // namespace native::test
