// Reads fuzzed bytes as the stored record of each data class (string, real, scroll, palette, mouse and
// language data, bitmaps and icons) and writes what was read back again. A bad record must leave the object
// empty with its error set; a good one must read back the same after it was written.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "framework/data/zafbitmapdata.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafdatapersistence.h"
#include "framework/data/zaffile.h"
#include "framework/data/zaficondata.h"
#include "framework/data/zaflanguagedata.h"
#include "framework/data/zafmousedata.h"
#include "framework/data/zafpalettedata.h"
#include "framework/data/zafrealdata.h"
#include "framework/data/zafscrolldata.h"
#include "framework/data/zafstorage.h"
#include "framework/data/zafstringdata.h"
#include "framework/data/zafutf8.h"

namespace {

// One storage for the whole run; destroyed at exit, it deletes its edit file.
ZafStorage& Storage() {
  static ZafStorage storage(
      ZafFromUtf8(std::string(getenv("TMPDIR") && *getenv("TMPDIR") ? getenv("TMPDIR") : "/tmp") +
                  "/zafdatarecords_fuzz_" + std::to_string(getpid()) + ".znc")
          .c_str(),
      ZAF_STORAGE_CREATE);
  return storage;
}

// Puts the bytes where the class's reader looks for the object "fuzz".
void Store(ZafDataPersistence& persistence, const ZafIChar* className, ZafClassID classID, int storageType,
           const uint8_t* data, std::size_t size) {
  persistence.PushLevel(className, classID, storageType);
  if (persistence.CurrentFile(u"fuzz", ZAF_PERSIST_WRITE) == 0) {
    persistence.File()->WriteData(data, static_cast<int>(size));
  }
  persistence.PopLevel();
}

// Reads the object, writes it back and reads it again; `same` compares the two readings.
template <typename Data, typename Same>
void Check(const ZafIChar* className, ZafClassID classID, int storageType, const uint8_t* data,
           std::size_t size, Same same) {
  ZafDataPersistence persistence(&Storage());
  Store(persistence, className, classID, storageType, data, size);
  Data first(u"fuzz", persistence);
  if (persistence.Level() != 0) {
    std::abort();
  }
  if (first.Error() != 0) {
    return;
  }
  first.Write(persistence);
  persistence.PopLevel();
  Data second(u"fuzz", persistence);
  if (second.Error() != 0 || !same(first, second)) {
    std::abort();
  }
}

// Two pictures with the same size and pixels. A picture without pixels (0 wide or high) may or may not
// keep an empty array: both draw nothing.
bool SameImage(const ZafImageData& a, const ZafImageData& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) {
    return false;
  }
  const std::size_t count = static_cast<std::size_t>(a.Width()) * static_cast<std::size_t>(a.Height());
  if (count == 0) {
    return true;
  }
  if ((a.Pixels() == nullptr) != (b.Pixels() == nullptr)) {
    return false;
  }
  return a.Pixels() == nullptr || std::memcmp(a.Pixels(), b.Pixels(), count) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 0x10000) {
    return 0;
  }
  Check<ZafStringData>(u"ZafStringData", ID_ZAF_STRING_DATA, ZAF_STORAGE_TYPE_DATA, data, size,
                       [](const ZafStringData& a, const ZafStringData& b) {
                         return a.Compare(b.Text()) == 0 && a.MaxLength() == b.MaxLength();
                       });
  Check<ZafRealData>(u"ZafRealData", ID_ZAF_REAL_DATA, ZAF_STORAGE_TYPE_DATA, data, size,
                     [](const ZafRealData& a, const ZafRealData& b) {
                       return a.Value() == b.Value() || (a.Value() != a.Value() && b.Value() != b.Value());
                     });
  Check<ZafScrollData>(
      u"ZafScrollData", ID_ZAF_SCROLL_DATA, ZAF_STORAGE_TYPE_DATA, data, size,
      [](const ZafScrollData& a, const ZafScrollData& b) { return a.Scroll() == b.Scroll(); });
  Check<ZafPaletteData>(u"ZafPaletteData", ID_ZAF_PALETTE_DATA, ZAF_STORAGE_TYPE_NAMED, data, size,
                        [](const ZafPaletteData& a, const ZafPaletteData& b) {
                          if (a.RowCount() != b.RowCount()) {
                            return false;
                          }
                          for (int index = 0; index < a.RowCount(); ++index) {
                            if (!(a.Table()[index].palette == b.Table()[index].palette)) {
                              return false;
                            }
                          }
                          return true;
                        });
  Check<ZafMouseData>(u"ZafMouseData", ID_ZAF_MOUSE_DATA, ZAF_STORAGE_TYPE_NAMED, data, size,
                      [](const ZafMouseData& a, const ZafMouseData& b) {
                        return a.Width() == b.Width() && a.Height() == b.Height() &&
                               a.HotSpotX() == b.HotSpotX() &&
                               (a.Pixels() == nullptr) == (b.Pixels() == nullptr);
                      });
  Check<ZafLanguageData>(
      u"ZafLanguageData", ID_ZAF_LANGUAGE_DATA, ZAF_STORAGE_TYPE_NAMED, data, size,
      [](const ZafLanguageData& a, const ZafLanguageData& b) { return a.Count() == b.Count(); });
  Check<ZafBitmapData>(u"ZafBitmapData", ID_ZAF_BITMAP_DATA, ZAF_STORAGE_TYPE_NAMED, data, size, SameImage);
  Check<ZafIconData>(u"ZafIconData", ID_ZAF_ICON_DATA, ZAF_STORAGE_TYPE_NAMED, data, size, SameImage);
  return 0;
}
