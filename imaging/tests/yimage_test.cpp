#include "imaging/yimage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "foundation/kmemorystream.h"
#include "foundation/kx.h"
#include "imaging/tests/imagetestfixture.h"
#include "imaging/ycaptureservice.h"
#include "imaging/yimageview.h"

namespace {

// An image record built field by field, as the document stores it.
std::vector<uint8_t> ImageRecord(const KString& extension, int32_t blocks, int32_t frames) {
  KMemoryStream stream;
  stream.WriteUInt32(0x20009);
  stream.WriteInt32(10);
  stream.WriteUInt32(1);
  YCamera camera;
  SetCamera(camera, YCamera::kTypeCoded, 0, kPixels, 1);
  camera.Write(stream);
  stream.WriteUInt32(0x10007);
  stream.WriteInt32(0);
  extension.Write(stream);
  for (int32_t word : {0, 16000, blocks, frames, 1, 0}) {
    stream.WriteInt32(word);
  }
  for (int32_t i = 0; i < 128; ++i) {
    stream.WriteUInt16(static_cast<uint16_t>(i));
  }
  for (int32_t i = 0; i < 10; ++i) {
    stream.WriteInt32(0);
  }
  return stream.Bytes();
}

}  // namespace

TEST(YImageCuts, MapShownAndTrueFrames) {
  YImageCuts cuts;
  ASSERT_TRUE(cuts.Add(10, 5));
  ASSERT_TRUE(cuts.Add(20, 12));
  EXPECT_FALSE(cuts.Add(20, 14));
  EXPECT_FALSE(cuts.Add(30, 12));
  struct Case {
    int32_t shown;
    int32_t trueFrame;
  } forward[] = {{9, 9}, {10, 15}, {25, 37}, {19, 24}, {0, 0}, {20, 32}};
  for (const Case& c : forward) {
    EXPECT_EQ(cuts.TrueFrame(c.shown), c.trueFrame) << c.shown;
  }
  struct Back {
    int32_t trueFrame;
    int32_t shown;
  } backward[] = {{12, 9}, {37, 25}, {30, 19}, {9, 9}, {15, 10}, {500, 39}, {-3, 0}};
  for (const Back& c : backward) {
    EXPECT_EQ(cuts.ShownFrame(c.trueFrame, 40), c.shown) << c.trueFrame;
  }
}

TEST_F(ImageTest, ImagesSavedBesideTheDocumentOpenWithIdenticalFrames) {
  const KString path = folder.File("heat.qve");
  {
    QvEvent event;
    YLeg* leg = event.Leg(0) != nullptr ? event.Leg(0) : event.NewLeg();
    YImage* coded = AddCodedImage(*leg, 3);
    AddRawImage(*leg, 2);
    YImageView* view = coded->View(2, true);
    view->Zoom().Set(4, 1, false);
    view->SetOrigin(KPoint(7, 9));
    view->SetMarks(KRect(1, 2, 3, 4));
    view->SetShowLines(true);
    coded->SetReferenceFrame(5);
    ASSERT_EQ(Save(event, path), 0);
    EXPECT_EQ(FileSize(folder.File("heat.ic0")), 16000 + 3 * 16000);
    EXPECT_EQ(FileSize(folder.File("heat.ir0")), 16000 + 2 * 16000);
  }
  QvEvent opened;
  ASSERT_EQ(opened.Open(QvEvent::kOpenFile, path), 0);
  YImage* coded = ImageOf(opened, 0);
  YImage* raw = ImageOf(opened, 1);
  ASSERT_NE(coded, nullptr);
  ASSERT_NE(raw, nullptr);
  EXPECT_EQ(coded->BlockCount(), 3);
  EXPECT_EQ(coded->FrameCount(), 18);
  EXPECT_EQ(coded->SavedFrameCount(), 18);
  EXPECT_EQ(coded->ReferenceFrame(), 5);
  EXPECT_EQ(coded->Camera().Parameter(2), kCameraNumber);
  ASSERT_NE(coded->View(2, false), nullptr);
  EXPECT_EQ(coded->View(2, false)->Zoom().XNumerator(), 4);
  EXPECT_EQ(coded->View(2, false)->Origin(), KPoint(7, 9));
  EXPECT_TRUE(coded->View(2, false)->MarksShown());
  // Backwards and forwards, so that the block search turns.
  for (int32_t f = 17; f >= 0; f -= 5) {
    EXPECT_EQ(Shown(*coded, f), codedFrames[static_cast<size_t>(f)]) << f;
  }
  for (int32_t f = 0; f < 18; ++f) {
    EXPECT_EQ(Shown(*coded, f), codedFrames[static_cast<size_t>(f)]) << f;
  }
  EXPECT_EQ(raw->FrameCount(), 32);
  for (int32_t f : {0, 15, 16, 31}) {
    EXPECT_EQ(raw->FramePixels(f)[999], f % 251) << f;
  }
  EXPECT_EQ(raw->FramePixels(32), nullptr);
}

TEST_F(ImageTest, HeaderOnlyExportKeepsTheSavedCountsAndBlocks) {
  const KString path = folder.File("heat.qve");
  {
    QvEvent event;
    AddCodedImage(*event.NewLeg(), 2);
    ASSERT_EQ(Save(event, path), 0);
  }
  const std::vector<uint8_t> blocksBefore = FileBytes(folder.File("heat.ic0"));
  {
    QvEvent opened;
    ASSERT_EQ(opened.Open(QvEvent::kOpenFile | QvEvent::kImagesHeaderOnly, path), 0);
    YImage* image = ImageOf(opened, 0);
    ASSERT_NE(image, nullptr);
    image->AddBlock(CheckOut(*image));
    image->SetReferenceFrame(4);
    ASSERT_EQ(Save(opened, path), 0);
  }
  EXPECT_EQ(FileBytes(folder.File("heat.ic0")), blocksBefore);
  QvEvent reopened;
  ASSERT_EQ(reopened.Open(QvEvent::kOpenFile, path), 0);
  EXPECT_EQ(ImageOf(reopened, 0)->BlockCount(), 2);
  EXPECT_EQ(ImageOf(reopened, 0)->FrameCount(), 12);
  EXPECT_EQ(ImageOf(reopened, 0)->ReferenceFrame(), 0);
}

TEST_F(ImageTest, HeaderOnlyExportOfANewImageMakesATemporaryBlockFile) {
  const KString path = folder.File("heat.qve");
  {
    QvEvent event;
    event.NewLeg();
    ASSERT_EQ(Save(event, path), 0);
  }
  {
    QvEvent opened;
    ASSERT_EQ(opened.Open(QvEvent::kOpenFile | QvEvent::kImagesHeaderOnly, path), 0);
    AddCodedImage(*opened.Leg(0), 1, u"tmp");
    ASSERT_EQ(Save(opened, path), 0);
    EXPECT_TRUE(ImageOf(opened, 0)->IsTemporary());
    EXPECT_EQ(FileSize(folder.File("heat.tmp")), 16000);
  }
  EXPECT_EQ(FileSize(folder.File("heat.tmp")), -1);
}

TEST_F(ImageTest, TheBlockFileSettlesTheCounts) {
  struct Case {
    const char* name;
    int64_t fileLength;
    int32_t blocks;
    int32_t frames;
    std::vector<const char*> logged;
  } cases[] = {
      {"as recorded", 16000 + 3 * 16000, 3, 18, {}},
      {"one block short", 16000 + 2 * 16000, 2, 12, {"blocks != blockWidth", "frames != frameWidth"}},
      {"no blocks", 16000, 3, 18, {"blocks != blockWidth", "blocks <= 0"}},
      {"a partial block", 16000 + 2 * 16000 + 100, 2, 12, {"blocks != blockWidth"}},
  };
  const KString path = folder.File("heat.qve");
  {
    QvEvent event;
    AddCodedImage(*event.NewLeg(), 3);
    ASSERT_EQ(Save(event, path), 0);
  }
  const std::vector<uint8_t> full = FileBytes(folder.File("heat.ic0"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint8_t> bytes = full;
    bytes.resize(static_cast<size_t>(c.fileLength));
    WriteFileBytes(folder.File("heat.ic0"), bytes);
    WriteFileBytes(KString::FromUtf8(logPath), {});
    QvEvent opened;
    ASSERT_EQ(opened.Open(QvEvent::kOpenFile, path), 0);
    EXPECT_EQ(ImageOf(opened, 0)->BlockCount(), c.blocks);
    EXPECT_EQ(ImageOf(opened, 0)->FrameCount(), c.frames);
    const std::string logged = LogText(logPath);
    for (const char* line : c.logged) {
      EXPECT_NE(logged.find(line), std::string::npos) << line;
    }
    if (c.logged.empty()) {
      EXPECT_TRUE(logged.empty()) << logged;
    }
  }
}

TEST_F(ImageTest, AMissingBlockFileRefusesTheDocument) {
  const KString path = folder.File("heat.qve");
  {
    QvEvent event;
    AddCodedImage(*event.NewLeg(), 1);
    ASSERT_EQ(Save(event, path), 0);
  }
  ASSERT_TRUE(KDeleteFile(folder.File("heat.ic0")));
  QvEvent opened;
  EXPECT_EQ(opened.Open(QvEvent::kOpenFile, path), kErrImageFileOpen);
  EXPECT_EQ(opened.GetLegCount(), 0);
}

TEST_F(ImageTest, AStoredCapExtensionReadsAsIap) {
  const KString path = folder.File("heat.qve");
  {
    QvEvent event;
    AddCodedImage(*event.NewLeg(), 1, u"iap");
    ASSERT_EQ(Save(event, path), 0);
  }
  // Replace the stored extension "iap" by ".Cap", as older programs wrote it.
  std::vector<uint8_t> document = FileBytes(path);
  KMemoryStream iap;
  KString(u"iap").Write(iap);
  KMemoryStream cap;
  KString(u".Cap").Write(cap);
  auto at = std::search(document.begin(), document.end(), iap.Bytes().begin(), iap.Bytes().end());
  ASSERT_NE(at, document.end());
  at = document.erase(at, at + static_cast<std::ptrdiff_t>(iap.Bytes().size()));
  document.insert(at, cap.Bytes().begin(), cap.Bytes().end());
  WriteFileBytes(path, document);
  QvEvent opened;
  ASSERT_EQ(opened.Open(QvEvent::kOpenFile, path), 0);
  EXPECT_TRUE(ImageOf(opened, 0)->Extension() == KString(u"iap"));
  EXPECT_EQ(ImageOf(opened, 0)->BlockCount(), 1);
}

TEST_F(ImageTest, ImpossibleImageRecordsAreRefused) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    int32_t code;
  } cases[] = {
      {"a camera record in place of an image", {}, 3009},
      {"negative block count", ImageRecord(u"ic0", -1, 0), 3010},
      {"negative frame count", ImageRecord(u"ic0", 0, -6), 3010},
      {"an extension reaching into another folder", ImageRecord(u"x/../../y", 0, 0), 3010},
      {"no document for the block file", ImageRecord(u"ic0", 0, 0), kErrImageFileOpen},
  };
  KMemoryStream camera;
  YCamera(nullptr, 4).Write(camera);
  cases[0].bytes = camera.Bytes();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KMemoryStream stream(c.bytes);
    YImage image;
    try {
      image.Import(stream);
      ADD_FAILURE() << "read was accepted";
    } catch (const KX& failure) {
      EXPECT_EQ(failure.Code(), c.code);
    }
  }
}

TEST_F(ImageTest, ARawImageWithCutsIsWrittenCompacted) {
  const KString path = folder.File("heat.qve");
  {
    QvEvent event;
    YImage* raw = AddRawImage(*event.NewLeg(), 7);
    ASSERT_EQ(raw->FrameCount(), 112);
    ASSERT_TRUE(raw->AddCut(20, 12));
    ASSERT_EQ(raw->FrameCount(), 100);
    ASSERT_EQ(Save(event, path), 0);
    EXPECT_EQ(raw->BlockCount(), 7);
    EXPECT_EQ(raw->Cuts().Count(), 0);
  }
  EXPECT_EQ(FileSize(folder.File("heat.ir0")), 16000 + 7 * 16000);
  QvEvent opened;
  ASSERT_EQ(opened.Open(QvEvent::kOpenFile, path), 0);
  YImage* raw = ImageOf(opened, 1);
  ASSERT_EQ(raw->FrameCount(), 100);
  for (int32_t f : {0, 19, 20, 50, 99}) {
    const int32_t trueFrame = f < 20 ? f : f + 12;
    EXPECT_EQ(raw->FramePixels(f)[0], trueFrame % 251) << f;
  }
}

TEST_F(ImageTest, ACodedImageWithCutsIsRebuiltIntoValidBlocks) {
  const KString path = folder.File("heat.qve");
  std::vector<std::vector<uint16_t>> expected;
  {
    QvEvent event;
    YImage* image = AddCodedImage(*event.NewLeg(), 3);
    // Cut the second frame of a pair, a delta frame, and a whole block boundary.
    ASSERT_TRUE(image->AddCut(3, 1));
    ASSERT_TRUE(image->AddCut(6, 2));
    ASSERT_TRUE(image->AddCut(8, 1));
    for (int32_t f = 0; f < image->FrameCount(); ++f) {
      expected.push_back(codedFrames[static_cast<size_t>(image->TrueFrame(f))]);
    }
    ASSERT_EQ(Save(event, path), 0);
  }
  QvEvent opened;
  ASSERT_EQ(opened.Open(QvEvent::kOpenFile, path), 0);
  YImage* image = ImageOf(opened, 0);
  ASSERT_EQ(image->FrameCount(), static_cast<int32_t>(expected.size()));
  for (int32_t b = 0; b < image->BlockCount(); ++b) {
    YImageBlock* block = image->Block(b);
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(block->IsValid()) << b;
    EXPECT_TRUE(block->CheckLayout()) << b;
    EXPECT_EQ(block->CameraNumber(), kCameraNumber);
  }
  for (int32_t f = 0; f < image->FrameCount(); ++f) {
    EXPECT_EQ(Shown(*image, f), expected[static_cast<size_t>(f)]) << f;
  }
}

TEST_F(ImageTest, RebuiltBlocksNeverRunPastTheirWords) {
  // One block of a large key frame and eighteen small unchanged deltas. Cutting every other frame turns
  // each frame left into a key blockette of 502 words; seven fill a block, so the rebuild must start a new
  // block instead of writing past word 3996.
  constexpr int32_t kWide = 1000;
  QvEvent event;
  YLeg* leg = event.NewLeg();
  auto* image = static_cast<YImage*>(leg->InsertImage(0, std::make_unique<YImage>(leg, 10), -1));
  SetCamera(image->Camera(), YCamera::kTypeCoded, 0, kWide, 1, kCameraNumber);
  image->SetExtension(u"ic0");
  const std::vector<uint16_t> frame = RandomFrame(random, kWide);
  YImageBlock* block = CheckOut(*image);
  CodedBlockBuilder builder(*block);
  Blockette key;
  key.times = {0};
  key.data = EncodeColourKey(frame, 1);
  builder.Add(key);
  for (int32_t k = 1; k < 19; ++k) {
    Blockette delta;
    delta.mode = YImageBlock::kDelta;
    delta.times = {k};
    delta.data = EncodeDelta(frame, frame);
    builder.Add(delta);
  }
  ASSERT_LE(builder.NextWord(), YImageBlock::kBlocketteEnd);
  builder.Finish(YImageBlock::kRgb15, 0, kCameraNumber);
  image->AddBlock(block);
  ASSERT_EQ(image->FrameCount(), 19);
  for (int32_t start = 1; start < 10; ++start) {
    ASSERT_TRUE(image->AddCut(start, 1));
  }
  ASSERT_EQ(image->FrameCount(), 10);
  YImageBlock scratch;
  scratch.SetImage(image);
  std::vector<int32_t> framesPerBlock;
  int32_t frameTotal = 0;
  for (bool restart = true; image->CreateBlock(&scratch, restart); restart = false) {
    EXPECT_TRUE(scratch.IsValid());
    EXPECT_TRUE(scratch.CheckLayout());
    EXPECT_EQ(scratch.FirstFrame(), frameTotal);
    EXPECT_EQ(scratch.CameraNumber(), kCameraNumber);
    framesPerBlock.push_back(scratch.FrameCount());
    frameTotal += scratch.FrameCount();
    image->Blocks()[0];
    auto* check = new YImageBlock;
    check->SetImage(image);
    check->SetNumber(100 + static_cast<int32_t>(framesPerBlock.size()));
    std::copy(scratch.Data(), scratch.Data() + YImageBlock::kBytes, check->Data());
    ASSERT_TRUE(image->Blocks().Add(check, false));
    for (int32_t n = 0; n < check->FrameCount(); ++n) {
      const uint8_t* pixels = check->Frame(n);
      ASSERT_NE(pixels, nullptr);
      EXPECT_EQ(ColourPixels(pixels, kWide), frame);
    }
    image->Blocks().Subtract(check);
    delete check;
  }
  EXPECT_EQ(framesPerBlock, (std::vector<int32_t>{7, 3}));
}

TEST_F(ImageTest, SavingUnderANewNameLeavesTheOldBlockFileAtItsSavedSize) {
  const KString first = folder.File("first.qve");
  const KString second = folder.File("second.qve");
  QvEvent event;
  YImage* image = AddCodedImage(*event.NewLeg(), 2);
  ASSERT_EQ(Save(event, first), 0);
  YImageBlock* captured = CheckOut(*image);
  for (auto& frame : BuildColourSequence(*captured, random, kPixels, 0, kCameraNumber)) {
    codedFrames.push_back(frame);
  }
  ASSERT_TRUE(image->AddCapturedBlock(captured));
  EXPECT_EQ(FileSize(folder.File("first.ic0")), 16000 + 3 * 16000);
  ASSERT_EQ(Save(event, second), 0);
  EXPECT_EQ(FileSize(folder.File("first.ic0")), 16000 + 2 * 16000);
  EXPECT_EQ(FileSize(folder.File("second.ic0")), 16000 + 3 * 16000);
  QvEvent opened;
  ASSERT_EQ(opened.Open(QvEvent::kOpenFile, second), 0);
  for (int32_t f : {0, 11, 12, 17}) {
    EXPECT_EQ(Shown(*ImageOf(opened, 0), f), codedFrames[static_cast<size_t>(f)]) << f;
  }
}

TEST_F(ImageTest, CapturedBlocksOfAnotherCameraAreRefused) {
  MessageLog root;
  YImage image(&root, 1);
  SetCamera(image.Camera(), YCamera::kTypeCoded, 0, kPixels, 1, kCameraNumber);
  YImageBlock* block = CheckOut(image);
  BuildColourSequence(*block, random, kPixels, 0, kCameraNumber + 1);
  EXPECT_FALSE(image.AddCapturedBlock(block));
  EXPECT_EQ(image.BlockCount(), 0);
  block->SetCameraNumber(kCameraNumber);
  EXPECT_TRUE(image.AddCapturedBlock(block));
  EXPECT_EQ(image.BlockCount(), 1);
  EXPECT_EQ(image.FrameCount(), 6);
  EXPECT_EQ(root.codes, (std::vector<uint32_t>{34}));
}

TEST_F(ImageTest, AnOpenedBlockFileChangesOnlyWhenSaved) {
  const KString path = folder.File("heat.qve");
  {
    QvEvent event;
    AddCodedImage(*event.NewLeg(), 1);
    ASSERT_EQ(Save(event, path), 0);
  }
  const std::vector<uint8_t> saved = FileBytes(folder.File("heat.ic0"));
  for (const bool save : {false, true}) {
    SCOPED_TRACE(save);
    QvEvent opened;
    ASSERT_EQ(opened.Open(QvEvent::kOpenFile, path), 0);
    YImage* image = ImageOf(opened, 0);
    YImageBlock* block = CheckOut(*image);
    BuildColourSequence(*block, random, kPixels, 0, kCameraNumber);
    ASSERT_TRUE(image->AddCapturedBlock(block));
    EXPECT_EQ(FileBytes(folder.File("heat.ic0")), saved);
    if (save) {
      ASSERT_EQ(Save(opened, path), 0);
      EXPECT_EQ(FileSize(folder.File("heat.ic0")), 16000 + 2 * 16000);
    }
  }
}

TEST_F(ImageTest, AFileThatIsNoBlockFileIsRefusedAndLeftAsItIs) {
  const KString path = folder.File("notes.qve");
  {
    QvEvent event;
    AddCodedImage(*event.NewLeg(), 1, u"txt");
    ASSERT_EQ(Save(event, path), 0);
  }
  const std::string text = "eighteen bytes log";
  const std::vector<uint8_t> notes(text.begin(), text.end());
  WriteFileBytes(folder.File("notes.txt"), notes);
  QvEvent opened;
  EXPECT_EQ(opened.Open(QvEvent::kOpenFile, path), kErrImageFileOpen);
  EXPECT_EQ(FileBytes(folder.File("notes.txt")), notes);
}

TEST_F(ImageTest, WithoutAPoolAnImageKeepsItsRecordAndShowsBlankFrames) {
  const KString path = folder.File("heat.qve");
  {
    QvEvent event;
    AddCodedImage(*event.NewLeg(), 2);
    ASSERT_EQ(Save(event, path), 0);
  }
  YImageBlockManager::DeleteGlobal();
  QvEvent opened;
  ASSERT_EQ(opened.Open(QvEvent::kOpenFile, path), 0);
  YImage* image = ImageOf(opened, 0);
  EXPECT_EQ(image->FrameCount(), 12);
  const uint8_t* pixels = image->FramePixels(3);
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(ColourPixels(pixels, kPixels), std::vector<uint16_t>(kPixels, 0));
  ASSERT_EQ(Save(opened, path), 0);
  EXPECT_EQ(FileSize(folder.File("heat.ic0")), 16000 + 2 * 16000);
}

TEST_F(ImageTest, FrameBlockFindsEveryBlockFromAnyStart) {
  QvEvent event;
  YImage* image = AddCodedImage(*event.NewLeg(), 9);
  std::vector<int32_t> order(54);
  for (int32_t f = 0; f < 54; ++f) {
    order[static_cast<size_t>(f)] = f;
  }
  std::shuffle(order.begin(), order.end(), random);
  for (int32_t f : order) {
    YImageBlock* block = image->FrameBlock(f);
    ASSERT_NE(block, nullptr) << f;
    EXPECT_EQ(block->Number(), f / 6) << f;
  }
  EXPECT_EQ(image->FrameBlock(54), nullptr);
  EXPECT_EQ(image->FrameBlock(-1), nullptr);
}

TEST_F(ImageTest, DisplayKindStepsThroughFourKinds) {
  MessageLog root;
  YImage image(&root, 1);
  image.Camera().SetParameter(0, YCamera::kTypeCoded, false);
  EXPECT_EQ(image.DisplayKind(), 0);
  std::vector<int32_t> seen;
  for (int32_t i = 0; i < 5; ++i) {
    ASSERT_TRUE(image.SetDisplayKind(-1));
    seen.push_back(image.DisplayKind());
  }
  EXPECT_EQ(seen, (std::vector<int32_t>{1, 2, 3, 0, 1}));
  EXPECT_FALSE(image.SetDisplayKind(4));
  EXPECT_TRUE(image.SetDisplayKind(3));
  EXPECT_EQ(root.codes.size(), 6u);
}

TEST_F(ImageTest, SavingAnUnchangedImageLeavesItsBlockFileAlone) {
  const KString path = folder.File("heat.qve");
  {
    QvEvent event;
    AddCodedImage(*event.NewLeg(), 2);
    ASSERT_EQ(Save(event, path), 0);
  }
  const std::vector<uint8_t> blocksBefore = FileBytes(folder.File("heat.ic0"));
  QvEvent opened;
  ASSERT_EQ(opened.Open(QvEvent::kOpenFile, path), 0);
  YImage* image = ImageOf(opened, 0);
  ASSERT_EQ(Shown(*image, 7), codedFrames[7]);
  ASSERT_EQ(Save(opened, path), 0);
  EXPECT_EQ(FileBytes(folder.File("heat.ic0")), blocksBefore);
}

TEST_F(ImageTest, ARebuildThatCannotReadItsBlocksFailsAndLosesNothing) {
  const KString path = folder.File("heat.qve");
  {
    QvEvent event;
    AddCodedImage(*event.NewLeg(), 3);
    ASSERT_EQ(Save(event, path), 0);
  }
  const std::vector<uint8_t> documentBefore = FileBytes(path);
  QvEvent opened;
  ASSERT_EQ(opened.Open(QvEvent::kOpenFile, path), 0);
  YImage* image = ImageOf(opened, 0);
  ASSERT_TRUE(image->AddCut(2, 1));
  // The blocks are read on demand; the file loses two of them behind the image's back.
  std::filesystem::resize_file(folder.File("heat.ic0").ToUtf8(), 16000 + 16000);
  EXPECT_EQ(Save(opened, path), kErrFileAccess);
  EXPECT_EQ(FileBytes(path), documentBefore);
  EXPECT_EQ(FolderNames(folder.Path()), (std::set<std::string>{"heat.qve", "heat.ic0", "test.log"}));
  EXPECT_EQ(image->Cuts().Count(), 1);
}

TEST_F(ImageTest, ReadingRebuildsPlainLevelTablesAndComesBackIdle) {
  const KString path = folder.File("heat.qve");
  {
    QvEvent event;
    YLeg* leg = event.NewLeg();
    YImage* coded = AddCodedImage(*leg, 1);
    YImage* raw = AddRawImage(*leg, 1);
    coded->BuildColourTables();
    raw->BuildColourTables();
    coded->DisplayTable()[10] = 77;  // colour entry 5
    raw->DisplayTable()[200] = 9;
    ASSERT_EQ(Save(event, path), 0);
  }
  const std::vector<uint8_t> saved = FileBytes(path);
  // The document with the image records' flags word (after the tag and the id) set to `flags`.
  auto withImageFlags = [&saved](uint32_t flags) {
    std::vector<uint8_t> bytes = saved;
    for (bool bigEndian : {false, true}) {
      for (int32_t id : {10, 11}) {
        KMemoryStream from;
        from.SetBigEndian(bigEndian);
        KMemoryStream to;
        to.SetBigEndian(bigEndian);
        for (KMemoryStream* stream : {&from, &to}) {
          stream->WriteUInt32(YImage::kVersionWord);
          stream->WriteInt32(id);
        }
        from.WriteUInt32(YImage::kCreated);
        to.WriteUInt32(flags);
        auto at = std::search(bytes.begin(), bytes.end(), from.Bytes().begin(), from.Bytes().end());
        if (at != bytes.end()) {
          std::copy(to.Bytes().begin(), to.Bytes().end(), at);
        }
      }
    }
    return bytes;
  };
  struct Case {
    const char* name;
    uint32_t flags;
    uint32_t flagsRead;
    int32_t colourEntry5;
    int32_t colourMultiplier5;
    int32_t grayEntry200;
  } cases[] = {
      {"plain tables are rebuilt", YImage::kCreated, YImage::kCreated, 5, 32, 200},
      {"enhanced tables are kept", YImage::kCreated | YImage::kEnhancedTables,
       YImage::kCreated | YImage::kEnhancedTables, 77, 77 * 32 / 5, 9},
      {"saved while capturing, read idle", YImage::kCreated | YImage::kCapturing, YImage::kCreated, 5, 32,
       200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<uint8_t> bytes = withImageFlags(c.flags);
    ASSERT_EQ(bytes == saved, c.flags == YImage::kCreated);
    WriteFileBytes(path, bytes);
    QvEvent opened;
    ASSERT_EQ(opened.Open(QvEvent::kOpenFile, path), 0);
    YImage* coded = ImageOf(opened, 0);
    YImage* raw = ImageOf(opened, 1);
    EXPECT_EQ(coded->Flags(), c.flagsRead);
    EXPECT_EQ(coded->DisplayEntry(5), c.colourEntry5);
    EXPECT_EQ(coded->DisplayEntry(93), 93);
    EXPECT_EQ(coded->DrawingEntry(5), c.colourMultiplier5);
    EXPECT_EQ(raw->DisplayEntry(200), c.grayEntry200);
    EXPECT_EQ(raw->DrawingEntry(200), c.grayEntry200);
    EXPECT_EQ(raw->DrawingEntry(255), 255);
  }
}

TEST_F(ImageTest, StartingACaptureNamesTheCallersFileAfterTheBlockFile) {
  struct Service : YCaptureService {
    bool SetUpCapture(int32_t, const YCamera&) override { return true; }
    bool StartCapture(int32_t, YImage&) override { return true; }
    bool StopCapture(int32_t) override { return true; }
    bool ReadCamera(int32_t, YCamera&) override { return false; }
    void ReleaseImage(YImage&) override {}
  } service;
  YCaptureService::Register(&service);
  const KString path = folder.File("heat.qve");
  QvEvent event;
  YImage* image = AddCodedImage(*event.NewLeg(), 1);
  KFile named;
  ASSERT_TRUE(image->StartCapture(&named));  // no document file yet: no name
  EXPECT_TRUE(named.Name().IsEmpty());
  ASSERT_EQ(Save(event, path), 0);
  ASSERT_TRUE(image->StartCapture(&named));
  EXPECT_TRUE(KFile::SameName(named, KFile(folder.File("heat.ic0"))));
  YCaptureService::Unregister(&service);
}
