#include "tools/kestrove-pack/datafilepacker.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>

#include "framework/data/zafbitmapdata.h"
#include "framework/data/zaficondata.h"
#include "framework/data/zafobjectpersistence.h"
#include "framework/data/zafstorage.h"
#include "framework/data/zafutf8.h"
#include "tools/kestrove-pack/textpicture.h"

namespace {

[[noreturn]] void Refuse(const std::string& subject, const std::string& reason) {
  throw std::runtime_error(subject + ": " + reason);
}

// Why the storage failed: the system's reason when it left one in errno (cleared before the call), else the
// storage's error code.
std::string WhyStorageFailed(const ZafStorage& storage) {
  const int reason = errno;
  return reason != 0 ? std::strerror(reason) : "error " + std::to_string(storage.Error());
}

TextPicture ReadSource(const PictureEntry& entry, const std::filesystem::path& folder) {
  const std::filesystem::path source = folder / (entry.name + kPictureExtension);
  std::ifstream text(source);
  if (!text) {
    Refuse(source.string(), "cannot be read");
  }
  TextPicture picture;
  try {
    picture = ReadTextPicture(text);
  } catch (const std::runtime_error& failure) {
    Refuse(source.string(), failure.what());
  }
  if (picture.width != entry.width || picture.height != entry.height) {
    Refuse(source.string(), std::to_string(picture.width) + " x " + std::to_string(picture.height) +
                                " pixels, the table says " + std::to_string(entry.width) + " x " +
                                std::to_string(entry.height));
  }
  return picture;
}

// A source file nobody packs is a picture the program would never get: refuse it rather than drop it.
void RefuseSourcesWithoutEntry(const std::vector<PictureEntry>& table, const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const PictureEntry& entry : table) {
    names.insert(entry.name + kPictureExtension);
  }
  for (const auto& file : std::filesystem::directory_iterator(folder)) {
    const std::string name = file.path().filename().string();
    if (file.path().extension() == kPictureExtension && !names.contains(name)) {
      Refuse(file.path().string(), "has no line in the picture table");
    }
  }
}

std::unique_ptr<ZafImageData> MakeImage(const PictureEntry& entry, const TextPicture& picture) {
  if (entry.kind == PictureEntry::Kind::Icon) {
    return std::make_unique<ZafIconData>(picture.width, picture.height, picture.pixels.data());
  }
  return std::make_unique<ZafBitmapData>(picture.width, picture.height, picture.pixels.data());
}

}  // namespace

void PackDataFile(const std::vector<PictureEntry>& table, const std::filesystem::path& folder,
                  const std::filesystem::path& output) {
  RefuseSourcesWithoutEntry(table, folder);
  std::vector<TextPicture> pictures;
  for (const PictureEntry& entry : table) {
    pictures.push_back(ReadSource(entry, folder));
  }
  const std::u16string outputName = ZafFromUtf8(output.string());
  errno = 0;
  ZafStorage storage(outputName.c_str(), ZAF_STORAGE_READWRITE | ZAF_STORAGE_CREATE);
  if (storage.Error() != 0) {
    Refuse(output.string(), "cannot be created: " + WhyStorageFailed(storage));
  }
  ZafObjectPersistence persistence(&storage);
  for (std::size_t index = 0; index < table.size(); ++index) {
    const PictureEntry& entry = table[index];
    std::unique_ptr<ZafImageData> image = MakeImage(entry, pictures[index]);
    const std::u16string name = ZafFromUtf8(entry.name);
    image->SetStringID(name.c_str());
    const ZafError written = image->Write(persistence);
    persistence.PopLevel();
    if (written != 0) {
      Refuse(entry.name, "cannot be stored (error " + std::to_string(written) + ")");
    }
  }
  errno = 0;
  if (storage.Save(0) != 0) {
    Refuse(output.string(), "cannot be saved: " + WhyStorageFailed(storage));
  }
}
