#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/kbitmap.h"
#include "foundation/kfiledialog.h"
#include "foundation/kmemorystream.h"
#include "imaging/ui/tests/imagepanetestbed.h"

namespace {

// A colour image whose pixels tell frame and pixel apart.
uint16_t Painted(int32_t frame, int32_t pixel) {
  return Rgb(frame % 32, pixel % 32, (frame + pixel) % 32);
}

class ImagePaneExportTest : public ImagePaneTest {
 protected:
  void SetUp() override {
    ImagePaneTest::SetUp();
    colour = images.AddPaintedImage(*event->Leg(0), kFrames, Painted);
    colour->Camera().SetParameter(4, 8, false);
    YZImagePane::ExportFile() = KString::FromUtf8(images.folder.Path() + "/");
    KSetFileDialogHook([this](KFileDialogRequest& request) -> int32_t {
      offered.push_back(request.file->Name().ToUtf8());
      filters.push_back(request.filter.ToUtf8());
      if (answer.empty()) {
        return -1;
      }
      request.file->SetName(KString::FromUtf8(answer));
      return 0;
    });
  }
  void TearDown() override {
    KSetFileDialogHook(nullptr);
    YZImagePane::ExportFile().Clear();
    ImagePaneTest::TearDown();
  }

  // Shows the image in the pane with the rectangle marked, and exports it to `name` in the folder.
  std::string Export(YImage* shown, const std::string& name, KRect marks = {10, 5, 29, 24}) {
    if (!pane) {
      ShowImagePane();
    }
    YImageView* shownView = shown->View(1, true);
    pane->SetView(shownView);
    shownView->SetMarks(marks);
    shownView->SetShowLines(true);
    answer = images.folder.Path() + "/" + name;
    pane->Event(ZafEventRecord(YZImagePane::kExportBitmap, 0));
    return answer;
  }
  std::vector<uint8_t> Bytes(const std::string& path) { return FileBytes(KString::FromUtf8(path)); }
  YImage* colour = nullptr;
  std::string answer;
  std::vector<std::string> offered;
  std::vector<std::string> filters;
};

// The component count of a JPEG's frame header (1 grey, 3 colour), 0 when there is none.
int32_t JpegComponents(const std::vector<uint8_t>& file) {
  for (size_t i = 2; i + 9 < file.size(); ++i) {
    if (file[i] == 0xFF && file[i + 1] == 0xC0) {
      return file[i + 9];
    }
  }
  return 0;
}

}  // namespace

TEST_F(ImagePaneExportTest, TheFileKindAndThePixelModeChooseTheDepth) {
  YImage* grey = images.AddRawImage(*event->Leg(0), 3);  // 48 frames
  struct Case {
    const char* name;
    YImage* image;
    std::string file;
    std::string added;       // the extension the export adds to a name that is no picture's
    int32_t jpegComponents;  // 0: a Targa
    int32_t targaBits;
  } cases[] = {{"colour to JPEG: 24-bit colour", colour, "colour.jpeg", "", 3, 0},
               {"colour to Targa: 15-bit colour", colour, "colour.tga", "", 0, 16},
               {"grey to JPEG: 8-bit grey", grey, "grey.jpg", "", 1, 0},
               {"a document's name: the first format offered", colour, "colour.qve", ".jpg", 3, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<uint8_t> file = Bytes(Export(c.image, c.file) + c.added);
    ASSERT_GT(file.size(), 18u);
    if (c.jpegComponents > 0) {
      EXPECT_EQ(JpegComponents(file), c.jpegComponents);
    } else {
      EXPECT_EQ(file[16], c.targaBits);
    }
  }
  EXPECT_TRUE(reporter.alerts.empty());
  // The name offered comes from the camera; the JPEG last chosen puts JPEG first.
  ASSERT_EQ(offered.size(), 4u);
  EXPECT_EQ(offered[0], images.folder.Path() + "/Image");
  EXPECT_EQ(filters, (std::vector<std::string>{"tga,jpg", "jpg,tga", "tga,jpg", "jpg,tga"}));
}

TEST_F(ImagePaneExportTest, ATargaHoldsTheRenderedPixelsWhetherInMemoryOrInRowBands) {
  colour->Camera().SetName(u"Finish");
  Setting(u"\\Event\\Image\\ExportBitmap\\MaxMemory:Int=1000000");
  const std::vector<uint8_t> inMemory = Bytes(Export(colour, "memory.tga"));
  Setting(u"\\Event\\Image\\ExportBitmap\\MaxMemory:Int=0");
  const std::vector<uint8_t> inBands = Bytes(Export(colour, "bands.tga"));
  EXPECT_EQ(offered[0], images.folder.Path() + "/Finish");
  ASSERT_FALSE(inMemory.empty());
  EXPECT_EQ(inMemory, inBands);

  KMemoryStream stream(inMemory);
  KBitmap read(0, 0, KBitmap::kRgb15);
  read.ImportTarga(stream);
  ASSERT_EQ(read.Width(), 20);
  ASSERT_EQ(read.Height(), 20);
  for (int32_t y = 0; y < 20; ++y) {
    for (int32_t x = 0; x < 20; ++x) {
      uint8_t rgb[3];
      read.GetPixel(x, y, rgb);
      const uint16_t expected = Painted(10 + x, 5 + y);
      ASSERT_EQ(rgb[0] >> 3, expected >> 10 & 31) << x << "," << y;
      ASSERT_EQ(rgb[1] >> 3, expected >> 5 & 31) << x << "," << y;
      ASSERT_EQ(rgb[2] >> 3, expected & 31) << x << "," << y;
    }
  }
}

TEST_F(ImagePaneExportTest, TheBreakKeyLeavesNoFileAndKeepsAnEarlierOne) {
  Setting(u"\\Event\\Image\\ExportBitmap\\MaxMemory:Int=0");
  const std::string path = images.folder.Path() + "/kept.tga";
  WriteFileBytes(KString::FromUtf8(path), {1, 2, 3});
  reporter.breakAfter = 3;
  Export(colour, "kept.tga");
  EXPECT_EQ(Bytes(path), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(FolderNames(images.folder.Path()).count("kept.tga"), 1u);
  EXPECT_EQ(FolderNames(images.folder.Path()).size(), 2u) << "the log and the earlier file only";
  EXPECT_EQ(reporter.statusTexts.back(), "Operation aborted by user.");
  EXPECT_TRUE(reporter.alerts.empty());
}

TEST_F(ImagePaneExportTest, AFailedWriteRestoresEverythingAndShowsItsCode) {
  ShowImagePane();
  colour->View(1, true)->Zoom().Set(2, 1, false);
  Export(colour, "missing/folder.tga");
  EXPECT_EQ(reporter.alerts, std::vector<int32_t>{3002});
  EXPECT_EQ(colour->View(1, true)->Zoom().XNumerator(), 2);
  EXPECT_FALSE(colour->IsPrinting());
  EXPECT_EQ(reporter.statusTexts.back(), "");
  EXPECT_EQ(reporter.progress.back(), -1);
  EXPECT_EQ(reporter.busy, (std::vector<bool>{true, false}));
}

TEST_F(ImagePaneExportTest, NoMarkedRectangleIsABadSelection) {
  Setting(u"\\Strings\\Event\\Image\\BadSelection:String=Mark a rectangle first");
  ShowImagePane();
  answer = images.folder.Path() + "/none.tga";
  pane->Event(ZafEventRecord(YZImagePane::kExportBitmap, 0));
  EXPECT_EQ(reporter.errorMessages, std::vector<std::string>{"Mark a rectangle first"});
  EXPECT_TRUE(offered.empty()) << "no save dialog";
}
