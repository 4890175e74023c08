// The data files as the build leaves them beside the program, opened and read as the program reads them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "foundation/kbitmap.h"
#include "foundation/kbufferedfile.h"
#include "framework/data/zafbitmapdata.h"
#include "framework/data/zafdirectoryelement.h"
#include "framework/data/zaficondata.h"
#include "framework/data/zafobjectpersistence.h"
#include "framework/data/zafstorage.h"
#include "framework/data/zafutf8.h"
#include "framework/win32/zafmswindowsapp.h"
#include "framework/win32/zafscreendisplay.h"
#include "native/testdriver.h"
#include "resources/tests/contactsheet.h"
#include "tools/kestrove-pack/picturetable.h"
#include "testing/zaftestapplication.h"

namespace {

// The face colour of buttons, on which the pictures are drawn.
constexpr uint8_t kButtonFace = 7;
// Where the splash window writes its version and notice lines, from the picture's right and bottom edges.
constexpr int32_t kTextLeft = 58;
constexpr int32_t kTextRight = 311;
constexpr int32_t kTextTopFromBottom = 68;
constexpr int32_t kTextBottomFromBottom = 39;

std::vector<PictureEntry> TheTable() {
  std::ifstream text(KESTROVE_PICTURE_TABLE);
  return ReadPictureTable(text);
}

// The names of the stored objects of one class (the directories under ~ClassName).
std::set<std::string> StoredNames(ZafStorage& storage, const char16_t* classDirectory) {
  std::set<std::string> names;
  if (const ZafDirectoryElement* directory = storage.Entry(classDirectory)) {
    for (const ZafElement* child = directory->children.First(); child; child = child->Next()) {
      names.insert(ZafToUtf8(static_cast<const ZafDirectoryElement*>(child)->Name()));
    }
  }
  return names;
}

std::unique_ptr<ZafImageData> Load(const PictureEntry& entry, ZafObjectPersistence& persistence) {
  const std::u16string name = ZafFromUtf8(entry.name);
  if (entry.kind == PictureEntry::Kind::Icon) {
    return std::make_unique<ZafIconData>(name.c_str(), persistence);
  }
  return std::make_unique<ZafBitmapData>(name.c_str(), persistence);
}

}  // namespace

// Every name of the table loads with its size, no other picture is stored, and the contact sheet shows
// them all in the program's palette.
TEST(ProgramDataFile, HoldsEveryPictureOfTheTableAndNoOther) {
  const std::vector<PictureEntry> table = TheTable();
  ASSERT_FALSE(table.empty());
  const std::u16string path = ZafFromUtf8(KESTROVE_DATA_FILE);
  ZafStorage storage(path.c_str(), 0);  // read-only, as the program opens it
  ASSERT_EQ(storage.Error(), 0);
  ZafObjectPersistence persistence(&storage);

  std::set<std::string> bitmapNames, iconNames;
  std::vector<std::unique_ptr<ZafImageData>> images;
  std::vector<SheetPicture> sheet;
  for (const PictureEntry& entry : table) {
    SCOPED_TRACE(entry.name);
    (entry.kind == PictureEntry::Kind::Icon ? iconNames : bitmapNames).insert(entry.name);
    images.push_back(Load(entry, persistence));
    const ZafImageData& image = *images.back();
    EXPECT_EQ(image.Error(), 0);
    EXPECT_EQ(image.Width(), entry.width);
    EXPECT_EQ(image.Height(), entry.height);
    ASSERT_NE(image.Pixels(), nullptr);
    sheet.push_back({entry.name, image.Width(), image.Height(), image.Pixels()});
  }
  EXPECT_EQ(StoredNames(storage, u"~ZafBitmapData"), bitmapNames);
  EXPECT_EQ(StoredNames(storage, u"~ZafIconData"), iconNames);

  native::TestDriver driver{native::DesktopOptions{640, 480, 96}};
  ZafTestApplication application;
  ZafScreenDisplay screen;
  const auto colourOf = [&screen](uint8_t index, uint8_t& red, uint8_t& green, uint8_t& blue) {
    return screen.ColorMap(index, red, green, blue) == 0;
  };
  EXPECT_TRUE(WriteContactSheet(sheet, colourOf, kButtonFace, KESTROVE_CONTACT_SHEET))
      << "every pixel is a colour of the program's palette";
}

// The chart's line buttons: each line's two pictures show it in its own colour, drawn through while the line
// is shown and broken while it is hidden, so the five hidden ones are told apart at a glance too.
TEST(ProgramDataFile, EachLineButtonShowsItsLinesColourShownOrHidden) {
  const std::u16string path = ZafFromUtf8(KESTROVE_DATA_FILE);
  ZafStorage storage(path.c_str(), 0);
  ASSERT_EQ(storage.Error(), 0);
  ZafObjectPersistence persistence(&storage);
  // How many pixels of one picture have the colour index.
  const auto pixelsOf = [&persistence](const std::string& name, uint8_t colour) {
    const ZafBitmapData picture(ZafFromUtf8(name).c_str(), persistence);
    EXPECT_EQ(picture.Error(), 0) << name;
    const int32_t size = picture.Pixels() ? picture.Width() * picture.Height() : 0;
    return std::count(picture.Pixels(), picture.Pixels() + size, colour);
  };
  constexpr uint8_t kRed = 12;
  const struct {
    const char* line;
    uint8_t colour;
  } lines[] = {{"Set", 9}, {"Gun", kRed}, {"Legal", 2}, {"ReactionTime", 5}, {"Power", 3}};
  for (const auto& line : lines) {
    SCOPED_TRACE(line.line);
    const std::string shown = std::string("Show") + line.line + "Line";
    const std::string hidden = std::string("Hide") + line.line + "Line";
    EXPECT_GT(pixelsOf(hidden, line.colour), 0) << "hidden: the line's colour";
    EXPECT_LT(pixelsOf(hidden, line.colour), pixelsOf(shown, line.colour)) << "hidden: the line broken";
    if (line.colour != kRed) {
      EXPECT_EQ(pixelsOf(hidden, kRed), 0) << "no red strike through another line's colour";
    }
  }
}

// The splash picture reads with the foundation's Targa reader at the splash window's depth, is large
// enough for the text lines, and is light where they are written in the dark text colour.
TEST(ProgramSplashPicture, ImportsAndKeepsTheTextBandLight) {
  KBufferedFile file(4096, KString::FromUtf8(KESTROVE_SPLASH_FILE));
  file.Open(KFile::kRead);
  KBitmap picture(0, 0, KBitmap::kRgb15);
  picture.ImportTarga(file);
  ASSERT_GT(picture.Width(), kTextRight);
  ASSERT_GT(picture.Height(), kTextTopFromBottom);
  const int32_t top = picture.Height() - kTextTopFromBottom;
  const int32_t bottom = picture.Height() - kTextBottomFromBottom;
  int darkPixels = 0;
  for (int32_t y = top; y <= bottom; ++y) {
    for (int32_t x = kTextLeft; x <= kTextRight; ++x) {
      uint8_t rgb[3];
      picture.GetPixel(x, y, rgb);
      darkPixels += (rgb[0] + rgb[1] + rgb[2]) / 3 < 200;
    }
  }
  EXPECT_EQ(darkPixels, 0);
}

// The example scoreboard scripts lie beside the program as they are, so that its options dialog lists them.
TEST(ProgramFolder, HoldsTheExampleScoreboardScripts) {
  const auto read = [](const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
  };
  const std::filesystem::path programFolder = std::filesystem::path(KESTROVE_DATA_FILE).parent_path();
  std::vector<std::string> copied;
  for (const auto& script : std::filesystem::directory_iterator(KESTROVE_SCOREBOARD_SCRIPTS)) {
    const std::filesystem::path copy = programFolder / script.path().filename();
    EXPECT_EQ(read(copy), read(script.path())) << copy;
    copied.push_back(script.path().filename().string());
  }
  std::sort(copied.begin(), copied.end());
  EXPECT_EQ(copied, (std::vector<std::string>{"line-display.lss", "results-board.lss"}));
}
