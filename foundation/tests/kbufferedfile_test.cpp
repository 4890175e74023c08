#include "foundation/kbufferedfile.h"

#include "foundation/kx.h"
#include "foundation/tests/kstringtestsupport.h"
#include "foundation/tests/ktempfolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace {

std::string ReadWholeFile(const KString& path) {
  std::ifstream in(path.ToUtf8(), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Applies the same random mix of writes, reads, seeks and truncations to a plain and a buffered file and
// checks that every answer and the final contents agree.
void CompareWithPlainFile(const KTempFolder& folder, int32_t bufferSize, uint32_t seed) {
  KFile plain(folder.File("plain.bin"));
  KBufferedFile buffered(bufferSize, folder.File("buffered.bin"));
  plain.Open(KFile::kReadWrite, true);
  buffered.Open(KFile::kReadWrite, true);
  std::mt19937 random(seed);
  auto below = [&random](int32_t n) { return static_cast<int32_t>(random() % static_cast<uint32_t>(n)); };
  for (int32_t step = 0; step < 400; ++step) {
    SCOPED_TRACE(step);
    switch (below(6)) {
      case 0:
      case 1: {
        std::vector<uint8_t> bytes(static_cast<size_t>(below(3 * bufferSize + 3)));
        for (auto& b : bytes) {
          b = static_cast<uint8_t>(random());
        }
        plain.Write(bytes.data(), static_cast<int32_t>(bytes.size()));
        buffered.Write(bytes.data(), static_cast<int32_t>(bytes.size()));
        break;
      }
      case 2: {
        const int32_t count = below(3 * bufferSize + 3);
        std::vector<uint8_t> fromPlain(static_cast<size_t>(count));
        std::vector<uint8_t> fromBuffered(static_cast<size_t>(count));
        int32_t gotPlain = 0;
        int32_t gotBuffered = 0;
        // Reads may come in pieces; gather until the end or the count.
        for (int32_t n;
             gotPlain < count && (n = plain.Read(fromPlain.data() + gotPlain, count - gotPlain)) > 0;) {
          gotPlain += n;
        }
        for (int32_t n; gotBuffered < count &&
                        (n = buffered.Read(fromBuffered.data() + gotBuffered, count - gotBuffered)) > 0;) {
          gotBuffered += n;
        }
        ASSERT_EQ(gotPlain, gotBuffered);
        ASSERT_EQ(fromPlain, fromBuffered);
        break;
      }
      case 3: {
        const int32_t origin = below(3);
        const int64_t size = plain.Size();
        const int64_t current = plain.Seek(0, KFile::kFromCurrent);
        const int64_t base = origin == KFile::kFromStart ? 0 : origin == KFile::kFromCurrent ? current : size;
        const int64_t offset = below(static_cast<int32_t>(size) + 6) - base;
        ASSERT_EQ(plain.Seek(offset, origin), buffered.Seek(offset, origin));
        break;
      }
      case 4:
        if (below(4) == 0) {
          plain.Truncate();
          buffered.Truncate();
        }
        break;
      default:
        ASSERT_EQ(plain.Size(), buffered.Size());
        ASSERT_EQ(plain.Seek(0, KFile::kFromCurrent), buffered.Seek(0, KFile::kFromCurrent));
        break;
    }
  }
  plain.Close();
  buffered.Close();
  EXPECT_EQ(ReadWholeFile(plain.Name()), ReadWholeFile(buffered.Name()));
}

}  // namespace

TEST(KBufferedFile, GivesTheSameBytesAsAPlainFile) {
  for (int32_t bufferSize : {1, 3, 16, 4096}) {
    for (uint32_t seed : {1u, 2u, 3u}) {
      SCOPED_TRACE("buffer " + std::to_string(bufferSize) + " seed " + std::to_string(seed));
      KTempFolder folder;
      ASSERT_TRUE(folder.IsValid());
      CompareWithPlainFile(folder, bufferSize, seed);
    }
  }
}

TEST(KBufferedFile, RecordsAndLinesThroughTheBuffer) {
  KTempFolder folder;
  ASSERT_TRUE(folder.IsValid());
  const KString path = folder.File("records.bin");
  {
    KBufferedFile out(4096, path);
    out.Open(KFile::kReadWrite, true);
    for (int32_t i = 0; i < 3000; ++i) {
      out.WriteInt32(i);
    }
    out.SetWriteMode(KStream::kEncodingLocal);
    out.SetWriteLineMode(KStream::kLineCrLf);
    out.WriteString(KString("last line\n"));
    EXPECT_EQ(out.Size(), 3000 * 4 + 11);
  }  // the destructor flushes
  KBufferedFile in(4096, path);
  in.Open(KFile::kRead);
  for (int32_t i = 0; i < 3000; ++i) {
    ASSERT_EQ(in.ReadInt32(), i);
  }
  KString line;
  EXPECT_EQ(in.ReadLine(line), 10);
  EXPECT_EQ(line, KString("last line"));
  EXPECT_EQ(in.Remaining(), 0);
  EXPECT_THROW(in.ReadByte(), KXStream);
}

TEST(KBufferedFile, WritesToAReadOnlyOpenFailAtOnce) {
  KTempFolder folder;
  ASSERT_TRUE(folder.IsValid());
  const KString path = folder.File("r.bin");
  std::ofstream(path.ToUtf8()) << "abc";
  KBufferedFile file(4096, path);
  file.Open(KFile::kRead);
  EXPECT_THROW(file.WriteByte(1), KXStream);
  file.Close();
  EXPECT_EQ(ReadWholeFile(path), "abc");
}
