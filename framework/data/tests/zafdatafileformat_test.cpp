#include "framework/data/zafdatafileformat.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/data/tests/zafdatafilebuilder.h"
#include "framework/data/tests/zaftestfiles.h"
#include "framework/data/zafdirectoryelement.h"
#include "framework/data/zafstorage.h"
#include "framework/data/zafstoragefile.h"

namespace {

std::string Utf8(const std::u16string& text) {
  return ZafToUtf8(text);
}

TEST(ZafDataFileFormat, SavedFileMatchesTheLayoutByteForByte) {
  TemporaryFolder folder;
  const std::u16string name = folder.Path("layout.znc");
  {
    ZafStorage storage(name.c_str(), ZAF_STORAGE_CREATE);
    ASSERT_EQ(storage.MkDir(u"a", u"S", 7), 0);
    ZafFile* file = storage.Open(u"~a~x", ZAF_STORAGE_OBJECT_CREATE | ZAF_FILE_READWRITE, nullptr, 0);
    ASSERT_NE(file, nullptr);
    file->WriteArray("hello", 1, 5);
    storage.Close(file);
    ASSERT_EQ(storage.Save(0), 0);
  }
  ByteBuilder expected;
  expected.Header(72 + 5).Raw({'h', 'e', 'l', 'l', 'o'});
  expected.Entry(u"~", u"", 0, -1, 0, 1);
  expected.Entry(u"a", u"S", 7, -1, 0, 1);
  expected.Entry(u"x", u"", 0, 72, 5, 0).End();
  expected.End();
  expected.End();
  EXPECT_EQ(ReadFileBytes(Utf8(name)), expected.bytes);
}

TEST(ZafDataFileFormat, HandBuiltFileOpensWithItsTree) {
  TemporaryFolder folder;
  // Data in an order of its own, with a gap, and a wide-character name.
  ByteBuilder file;
  file.Header(72 + 10).Raw({'1', '2', '3', 0, 0, 'a', 'b', 'c', 'd', 'e'});
  file.Entry(u"~", u"", 0, -1, 0, 1);
  file.Entry(u"late", u"L", -2, 72, 3, 0).End();
  file.Entry(u"dir\u0416", u"", 0, -1, 0, 1);
  file.Entry(u"early", u"", 0, 77, 5, 0).End();
  file.End();
  file.End();
  const std::string path = (folder.path / "hand.znc").string();
  WriteFileBytes(path, file.bytes);

  ZafStorage storage(ZafFromUtf8(path).c_str(), 0);
  ASSERT_EQ(storage.Error(), 0);
  EXPECT_EQ(storage.Version(), 0x0506);
  struct Case {
    const char16_t* path;
    std::string bytes;
  } cases[] = {{u"~late", "123"}, {u"~dir\u0416~early", "abcde"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf8(c.path));
    ZafFile* object = storage.Open(c.path, ZAF_FILE_READ, nullptr, 0);
    ASSERT_NE(object, nullptr);
    std::string read(static_cast<std::size_t>(object->Length()), '\0');
    object->ReadData(read.data(), object->Length());
    EXPECT_EQ(read, c.bytes);
    storage.Close(object);
  }
  ZafDirectoryElement* late = storage.Entry(u"~late");
  ASSERT_NE(late, nullptr);
  EXPECT_EQ(late->NumberID(), 0xFFFE);
  EXPECT_EQ(std::u16string(late->StringID()), u"L");
}

TEST(ZafDataFileFormat, OnlyMajorVersionAndMagicAreChecked) {
  TemporaryFolder folder;
  struct Case {
    const char* what;
    const char* signature;
    uint8_t minor;
    uint16_t version;
  } cases[] = {
      {"other signature text", "Some Other Text", 6, 0x0506},
      {"other minor version", "Zedu Data File Version 5.1U", 9, 0x0509},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ByteBuilder file;
    file.Header(72, 5, c.minor, 0x05AF, c.signature).Entry(u"~", u"", 0, -1, 0, 1).End();
    const std::string path = (folder.path / "v.znc").string();
    WriteFileBytes(path, file.bytes);
    ZafStorage storage(ZafFromUtf8(path).c_str(), 0);
    EXPECT_EQ(storage.Error(), 0);
    EXPECT_EQ(storage.Version(), c.version);
  }
}

// Every bad file is refused with its code, leaves an empty tree and a usable storage.
TEST(ZafDataFileFormat, BadFilesAreRefusedWithoutACrash) {
  auto rootOnly = [](int32_t treeOffset) {
    ByteBuilder file;
    file.Header(treeOffset);
    return file;
  };
  auto deepTree = [](int depth) {
    ByteBuilder file;
    file.Header(72);
    for (int level = 0; level <= depth; ++level) {
      file.Entry(u"d", u"", 0, -1, 0, 1);
    }
    for (int level = 0; level <= depth; ++level) {
      file.End();
    }
    return file.bytes;
  };
  ByteBuilder good = rootOnly(72);
  good.Entry(u"~", u"", 0, -1, 0, 1).Entry(u"x", u"", 0, 72, 0, 0).End().End();

  struct Case {
    const char* what;
    Bytes bytes;
    ZafError error;
  } cases[] = {
      {"empty file", {}, 18},
      {"header cut short", Bytes(good.bytes.begin(), good.bytes.begin() + 71), 18},
      {"major version 4", ByteBuilder().Header(72, 4).Entry(u"~", u"", 0, -1, 0, 1).End().bytes, 18},
      {"wrong magic", ByteBuilder().Header(72, 5, 6, 0x05AE).Entry(u"~", u"", 0, -1, 0, 1).End().bytes, 18},
      {"tree offset past the end", ByteBuilder().Header(4000).Entry(u"~", u"", 0, -1, 0, 1).End().bytes, 18},
      {"tree offset inside the header", ByteBuilder().Header(10).Entry(u"~", u"", 0, -1, 0, 1).End().bytes,
       18},
      {"negative tree offset", ByteBuilder().Header(-5).Entry(u"~", u"", 0, -1, 0, 1).End().bytes, 18},
      {"no root name", ByteBuilder().Header(72).End().Raw(Bytes(20, 0)).bytes, 18},
      {"data past the end",
       ByteBuilder()
           .Header(72)
           .Entry(u"~", u"", 0, -1, 0, 1)
           .Entry(u"x", u"", 0, 72, 1000, 0)
           .End()
           .End()
           .bytes,
       18},
      {"data inside the header",
       ByteBuilder().Header(72).Entry(u"~", u"", 0, -1, 0, 1).Entry(u"x", u"", 0, 4, 8, 0).End().End().bytes,
       18},
      {"negative size",
       ByteBuilder()
           .Header(72)
           .Entry(u"~", u"", 0, -1, 0, 1)
           .Entry(u"x", u"", 0, 72, -3, 0)
           .End()
           .End()
           .bytes,
       18},
      {"size and offset overflow together",
       ByteBuilder()
           .Header(72)
           .Entry(u"~", u"", 0, -1, 0, 1)
           .Entry(u"x", u"", 0, 0x7FFFFFF0, 0x7FFFFFF0, 0)
           .End()
           .End()
           .bytes,
       18},
      {"tree deeper than the limit", deepTree(ZAF_DATA_FILE_MAX_DEPTH + 1), 18},
      {"name with a zero character",
       ByteBuilder()
           .Header(72)
           .Entry(u"~", u"", 0, -1, 0, 1)
           .Entry(std::u16string(u"a\0", 2), u"", 0, -1, 0, 1)
           .End()
           .End()
           .bytes,
       18},
      {"name with the separator",
       ByteBuilder()
           .Header(72)
           .Entry(u"~", u"", 0, -1, 0, 1)
           .Entry(u"a~b", u"", 0, -1, 0, 1)
           .End()
           .End()
           .bytes,
       18},
      {"name that reads as the parent",
       ByteBuilder()
           .Header(72)
           .Entry(u"~", u"", 0, -1, 0, 1)
           .Entry(u"..", u"", 0, -1, 0, 1)
           .End()
           .End()
           .bytes,
       18},
      {"end marks missing", Bytes(good.bytes.begin(), good.bytes.end() - 2), 16},
      {"string count beyond the file",
       ByteBuilder().Header(72).Entry(u"~", u"", 0, -1, 0, 1).U16(0x7FFF).Raw({'a', 'b'}).bytes, 16},
      {"wide string cut in a character",
       ByteBuilder().Header(72).Entry(u"~", u"", 0, -1, 0, 1).U16(0x8002).Raw({'a', 0, 'b'}).bytes, 16},
  };
  TemporaryFolder folder;
  const std::string path = (folder.path / "bad.znc").string();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFileBytes(path, c.bytes);
    ZafStorage storage(ZafFromUtf8(path).c_str(), 0);
    EXPECT_EQ(storage.Error(), c.error);
    ASSERT_NE(storage.Root(), nullptr);
    EXPECT_EQ(storage.Root()->children.Count(), 0);
    EXPECT_EQ(storage.Open(u"x", ZAF_FILE_READ, nullptr, 0), nullptr);
  }
  // The deepest tree allowed still opens.
  WriteFileBytes(path, deepTree(ZAF_DATA_FILE_MAX_DEPTH));
  ZafStorage deepest(ZafFromUtf8(path).c_str(), 0);
  EXPECT_EQ(deepest.Error(), 0);
}

TEST(ZafDataFileFormat, TreeWrittenAndReadBackKeepsEveryField) {
  ZafDirectoryElement root(u"~", 1);
  auto* child = new ZafDirectoryElement(u"\u0100wide", 0);
  child->SetStringID(u"Latin\u00E9");
  child->SetNumberID(0x8001);
  child->dataOffset = 72;
  child->dataSize = 2;
  child->parent = &root;
  root.children.Add(child);

  ZafStorageFile out(nullptr, nullptr, 0);
  ZafWriteDataFileHeader(out, 74);
  out.WriteData("zz", 2);
  ASSERT_GT(ZafWriteDirectoryTree(out, root, [](const ZafDirectoryElement& e) { return e.dataOffset; }), 0);
  std::unique_ptr<ZafDirectoryElement> back;
  ASSERT_EQ(ZafReadDirectoryTree(out, 74, back), 0);
  auto* read = static_cast<ZafDirectoryElement*>(back->children.First());
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(std::u16string(read->Name()), u"\u0100wide");
  EXPECT_EQ(std::u16string(read->StringID()), u"Latin\u00E9");
  EXPECT_EQ(read->NumberID(), 0x8001);
  EXPECT_EQ(read->dataOffset, 72);
  EXPECT_EQ(read->dataSize, 2);
  EXPECT_EQ(read->type, 0);
  EXPECT_EQ(read->holder, &out);
}

}  // namespace
