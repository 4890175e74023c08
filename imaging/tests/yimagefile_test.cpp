// How an image's block file survives saving, opening and closing: Save As over other documents, failing
// writes, damaged records and short files.

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <set>
#include <string>
#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kx.h"
#include "imaging/tests/imagetestfixture.h"

namespace {

// Limits the size of every file this process writes, for a scope; writing past the limit then fails
// (with the signal it would raise ignored).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved);
    previous = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limited{bytes, saved.rlim_max};
    applied = setrlimit(RLIMIT_FSIZE, &limited) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  bool Applied() const { return applied; }

 private:
  rlimit saved{};
  void (*previous)(int) = nullptr;
  bool applied = false;
};

// Rewrites the block and frame counts of the image record whose counts are `blocks` and `frames` (found by
// the words 0, 16000, blocks, frames the record stores together); false when there is none.
bool PatchImageCounts(std::vector<uint8_t>& document, int32_t blocks, int32_t frames, int32_t newBlocks,
                      int32_t newFrames) {
  KMemoryStream from;
  KMemoryStream to;
  for (int32_t word : {0, 16000, blocks, frames}) {
    from.WriteInt32(word);
  }
  for (int32_t word : {0, 16000, newBlocks, newFrames}) {
    to.WriteInt32(word);
  }
  auto at = std::search(document.begin(), document.end(), from.Bytes().begin(), from.Bytes().end());
  if (at == document.end()) {
    return false;
  }
  std::copy(to.Bytes().begin(), to.Bytes().end(), at);
  return true;
}

// Replaces the first stored extension text `from` by `to` (texts of the same length).
bool PatchExtension(std::vector<uint8_t>& document, const KString& from, const KString& to) {
  KMemoryStream fromRecord;
  from.Write(fromRecord);
  KMemoryStream toRecord;
  to.Write(toRecord);
  auto at =
      std::search(document.begin(), document.end(), fromRecord.Bytes().begin(), fromRecord.Bytes().end());
  if (at == document.end() || fromRecord.Bytes().size() != toRecord.Bytes().size()) {
    return false;
  }
  std::copy(toRecord.Bytes().begin(), toRecord.Bytes().end(), at);
  return true;
}

class ImageFileTest : public ImageTest {
 protected:
  // Saves a document of one leg with a coded image of `blocks` blocks; its frames follow in codedFrames.
  void SaveCoded(const KString& path, int32_t blocks) {
    QvEvent event;
    AddCodedImage(*event.NewLeg(), blocks);
    ASSERT_EQ(Save(event, path), 0);
  }
  // Opens the document and compares every frame of its image with codedFrames from `firstFrame` on.
  void ExpectFrames(const KString& path, int32_t frames, int32_t firstFrame) {
    QvEvent opened;
    ASSERT_EQ(opened.Open(QvEvent::kOpenFile, path), 0);
    YImage* image = ImageOf(opened, 0);
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->FrameCount(), frames);
    for (int32_t f = 0; f < frames; ++f) {
      EXPECT_EQ(Shown(*image, f), codedFrames[static_cast<size_t>(firstFrame + f)]) << f;
    }
  }
};

}  // namespace

TEST_F(ImageFileTest, SavingAsAnotherDocumentWithoutAPoolReplacesItsBlockFile) {
  const KString a = folder.File("a.qve");
  const KString b = folder.File("b.qve");
  SaveCoded(a, 2);
  SaveCoded(b, 3);
  const std::vector<uint8_t> blocksOfA = FileBytes(folder.File("a.ic0"));
  // As in the product: no pool, so no block is held in memory and every one comes from the file.
  YImageBlockManager::DeleteGlobal();
  {
    QvEvent opened;
    ASSERT_EQ(opened.Open(QvEvent::kOpenFile, a), 0);
    ASSERT_EQ(Save(opened, b), 0);
  }
  EXPECT_EQ(FileBytes(folder.File("b.ic0")), blocksOfA);
  EXPECT_EQ(FileBytes(folder.File("a.ic0")), blocksOfA);
  EXPECT_EQ(FolderNames(folder.Path()),
            (std::set<std::string>{"a.qve", "a.ic0", "b.qve", "b.ic0", "test.log"}));
  YImageBlockManager::CreateGlobal(64);
  ExpectFrames(a, 12, 0);
  ExpectFrames(b, 12, 0);
}

TEST_F(ImageFileTest, AFailingSaveAsLeavesTheExistingDocumentAndItsBlockFile) {
  const KString a = folder.File("a.qve");
  const KString b = folder.File("b.qve");
  SaveCoded(a, 3);
  SaveCoded(b, 1);
  const std::vector<uint8_t> documentB = FileBytes(b);
  const std::vector<uint8_t> blocksOfB = FileBytes(folder.File("b.ic0"));
  const std::vector<uint8_t> blocksOfA = FileBytes(folder.File("a.ic0"));
  for (bool withPool : {true, false}) {
    SCOPED_TRACE(withPool ? "with a pool" : "without a pool");
    if (!withPool) {
      YImageBlockManager::DeleteGlobal();
    }
    QvEvent opened;
    ASSERT_EQ(opened.Open(QvEvent::kOpenFile, a), 0);
    int32_t result = 0;
    {
      // Room for the document and a block file of one block, not of three.
      FileSizeLimit limit(16000 + 2 * 16000);
      ASSERT_TRUE(limit.Applied());
      result = Save(opened, b);
    }
    EXPECT_NE(result, 0);
    EXPECT_EQ(FileBytes(b), documentB);
    EXPECT_EQ(FileBytes(folder.File("b.ic0")), blocksOfB);
    EXPECT_EQ(FileBytes(folder.File("a.ic0")), blocksOfA);
    EXPECT_EQ(FolderNames(folder.Path()),
              (std::set<std::string>{"a.qve", "a.ic0", "b.qve", "b.ic0", "test.log"}));
    // The image still has its own block file and saves there.
    EXPECT_EQ(Save(opened, a), 0);
  }
  YImageBlockManager::CreateGlobal(64);
  ExpectFrames(a, 18, 0);
  ExpectFrames(b, 6, 18);
}

TEST_F(ImageFileTest, ExtensionsNamingTheDocumentOrAnotherImageAreRefused) {
  struct Case {
    const char* name;
    const char16_t* second;
    int32_t result;
  } cases[] = {
      {"another name", u"ic1", 0},
      {"the document itself", u"qve", kErrFileContents},
      {"the document itself, in capitals", u"QVE", kErrFileContents},
      {"a workout document of the same name", u"qVw", kErrFileContents},
      {"the first image's block file", u"ic0", kErrFileContents},
      {"the first image's block file, in capitals", u"IC0", kErrFileContents},
  };
  const KString path = folder.File("heat.qve");
  {
    QvEvent event;
    YLeg* leg = event.NewLeg();
    AddCodedImage(*leg, 2, u"ic0");
    AddCodedImage(*event.NewLeg(), 1, u"xx9");
    ASSERT_EQ(Save(event, path), 0);
  }
  const std::vector<uint8_t> saved = FileBytes(path);
  const std::vector<uint8_t> blocks = FileBytes(folder.File("heat.ic0"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> document = saved;
    ASSERT_TRUE(PatchExtension(document, u"xx9", c.second));
    WriteFileBytes(path, document);
    const KString secondBlockFile = folder.File("heat." + KString(c.second).ToUtf8());
    if (c.result == 0) {
      std::filesystem::copy_file(folder.File("heat.xx9").ToUtf8(), secondBlockFile.ToUtf8(),
                                 std::filesystem::copy_options::overwrite_existing);
    }
    {
      QvEvent opened;
      EXPECT_EQ(opened.Open(QvEvent::kOpenFile, path), c.result);
    }
    // Neither opening nor closing touched the document or the other image's blocks.
    EXPECT_EQ(FileBytes(path), document);
    EXPECT_EQ(FileBytes(folder.File("heat.ic0")), blocks);
  }
}

TEST_F(ImageFileTest, NeitherSavingNorClosingExtendsAShortBlockFile) {
  struct Case {
    const char* name;
    int32_t recordBlocks;
    int64_t fileLength;
  } cases[] = {
      {"blocks lost from the file", 3, 16000},
      {"a record promising far more blocks", 100000, 16000},
      {"a file cut short after opening", 3, 0},
  };
  const KString path = folder.File("heat.qve");
  SaveCoded(path, 3);
  const std::vector<uint8_t> saved = FileBytes(path);
  for (const Case& c : cases) {
    for (bool saving : {false, true}) {
      SCOPED_TRACE(c.name);
      SCOPED_TRACE(saving ? "saved, then closed" : "closed");
      std::vector<uint8_t> document = saved;
      ASSERT_TRUE(PatchImageCounts(document, 3, 18, c.recordBlocks, 18));
      WriteFileBytes(path, document);
      std::filesystem::resize_file(folder.File("heat.ic0").ToUtf8(), 16000);
      {
        QvEvent opened;
        ASSERT_EQ(opened.Open(QvEvent::kOpenFile, path), 0);
        EXPECT_EQ(ImageOf(opened, 0)->SavedBlockCount(), c.recordBlocks);
        std::filesystem::resize_file(folder.File("heat.ic0").ToUtf8(), static_cast<uintmax_t>(c.fileLength));
        if (saving) {
          EXPECT_EQ(Save(opened, path), 0);
        }
      }
      EXPECT_EQ(FileSize(folder.File("heat.ic0")), c.fileLength);
    }
  }
}

TEST_F(ImageFileTest, RawFrameCountsThatDoNotFillTheirBlocksAreRefused) {
  // Two raw blocks of 16 frames hold 17 to 32 frames.
  struct Case {
    const char* name;
    int32_t frames;
    int32_t result;
  } cases[] = {
      {"both blocks full", 32, 0},
      {"one frame in the second block", 17, 0},
      {"the first block only", 16, kErrFileContents},
      {"no frames", 0, kErrFileContents},
      {"far more frames than blocks", 80000, kErrFileContents},
      {"one frame too many", 33, kErrFileContents},
  };
  const KString path = folder.File("heat.qve");
  {
    QvEvent event;
    AddRawImage(*event.NewLeg(), 2);
    ASSERT_EQ(Save(event, path), 0);
  }
  const std::vector<uint8_t> saved = FileBytes(path);
  const std::vector<uint8_t> blocks = FileBytes(folder.File("heat.ir0"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> document = saved;
    ASSERT_TRUE(PatchImageCounts(document, 2, 32, 2, c.frames));
    WriteFileBytes(path, document);
    QvEvent opened;
    ASSERT_EQ(opened.Open(QvEvent::kOpenFile, path), c.result);
    if (c.result == 0) {
      EXPECT_EQ(ImageOf(opened, 1)->FrameCount(), c.frames);
      ASSERT_EQ(Save(opened, path), 0);
    }
    EXPECT_EQ(FileBytes(folder.File("heat.ir0")), blocks);
  }
}

TEST_F(ImageFileTest, AnImageSavedWithoutBlocksOpensWithoutABlockFile) {
  const KString path = folder.File("heat.qve");
  {
    QvEvent event;
    event.NewLeg();
    ASSERT_EQ(Save(event, path), 0);
  }
  {
    // Header-only: the new image is saved with no blocks and its block file is temporary.
    QvEvent opened;
    ASSERT_EQ(opened.Open(QvEvent::kOpenFile | QvEvent::kImagesHeaderOnly, path), 0);
    AddCodedImage(*opened.Leg(0), 1);
    ASSERT_EQ(Save(opened, path), 0);
  }
  ASSERT_EQ(FileSize(folder.File("heat.ic0")), -1);
  {
    QvEvent opened;
    ASSERT_EQ(opened.Open(QvEvent::kOpenFile, path), 0);
    YImage* image = ImageOf(opened, 0);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->BlockCount(), 0);
    EXPECT_FALSE(image->File().IsOpen());
    // A block captured now is kept until the first full save makes the block file.
    YImageBlock* block = CheckOut(*image);
    for (auto& frame : BuildColourSequence(*block, random, kPixels, 0, kCameraNumber)) {
      codedFrames.push_back(frame);
    }
    ASSERT_TRUE(image->AddCapturedBlock(block));
    ASSERT_EQ(Save(opened, path), 0);
  }
  EXPECT_EQ(FileSize(folder.File("heat.ic0")), 16000 + 16000);
  ExpectFrames(path, 6, 6);
}

TEST_F(ImageFileTest, AHeaderOnlySaveNeverTakesOverAFileAlreadyThere) {
  const KString path = folder.File("heat.qve");
  {
    QvEvent event;
    event.NewLeg();
    ASSERT_EQ(Save(event, path), 0);
  }
  const std::vector<uint8_t> stray(100, 7);
  WriteFileBytes(folder.File("heat.ic0"), stray);
  {
    QvEvent opened;
    ASSERT_EQ(opened.Open(QvEvent::kOpenFile | QvEvent::kImagesHeaderOnly, path), 0);
    YImage* image = AddCodedImage(*opened.Leg(0), 1);
    ASSERT_EQ(Save(opened, path), 0);
    EXPECT_FALSE(image->File().IsOpen());
    EXPECT_FALSE(image->IsTemporary());
  }
  EXPECT_EQ(FileBytes(folder.File("heat.ic0")), stray);
}

TEST_F(ImageFileTest, ACapturedBlockTheFileRefusesIsKeptForTheNextSave) {
  const KString path = folder.File("heat.qve");
  SaveCoded(path, 1);
  {
    QvEvent opened;
    ASSERT_EQ(opened.Open(QvEvent::kOpenFile, path), 0);
    // Once saved, the document writes captured blocks to its block file as they come.
    ASSERT_EQ(Save(opened, path), 0);
    YImage* image = ImageOf(opened, 0);
    YImageBlock* block = CheckOut(*image);
    for (auto& frame : BuildColourSequence(*block, random, kPixels, 0, kCameraNumber)) {
      codedFrames.push_back(frame);
    }
    {
      FileSizeLimit limit(16000 + 16000);
      ASSERT_TRUE(limit.Applied());
      EXPECT_TRUE(image->AddCapturedBlock(block));
    }
    EXPECT_EQ(image->BlockCount(), 2);
    EXPECT_EQ(image->Blocks().FirstUnsaved(), block);
    EXPECT_NE(LogText(logPath).find("YImage::AddCapturedBlock: block file error"), std::string::npos);
    ASSERT_EQ(Save(opened, path), 0);
  }
  EXPECT_EQ(FileSize(folder.File("heat.ic0")), 16000 + 2 * 16000);
  ExpectFrames(path, 12, 0);
}
