#include "native/print/printerblocks.h"

#include <cstring>
#include <limits>
#include <vector>

namespace native {

namespace {

// Copies the block's bytes out under its lock, so nothing is read past what the block holds.
std::optional<std::vector<char>> blockBytes(HGLOBAL block) {
  std::size_t size = GlobalSize(block);
  void* bytes = GlobalLock(block);
  if (bytes == nullptr) {
    return std::nullopt;
  }
  const char* start = static_cast<const char*>(bytes);
  std::vector<char> copy(start, start + size);
  GlobalUnlock(block);
  return copy;
}

HGLOBAL blockOf(const void* bytes, std::size_t size) {
  HGLOBAL block = GlobalAlloc(GHND, size);
  void* target = GlobalLock(block);
  if (target == nullptr) {
    GlobalFree(block);
    return nullptr;
  }
  std::memcpy(target, bytes, size);
  GlobalUnlock(block);
  return block;
}

// The terminated name at `offset`; none when it starts or runs outside the bytes.
std::optional<std::string> nameAt(const std::vector<char>& bytes, std::size_t offset) {
  if (offset < sizeof(DEVNAMES) || offset >= bytes.size()) {
    return std::nullopt;
  }
  const char* start = bytes.data() + offset;
  const void* end = std::memchr(start, '\0', bytes.size() - offset);
  if (end == nullptr) {
    return std::nullopt;
  }
  return std::string(start, static_cast<const char*>(end));
}

}  // namespace

HGLOBAL PrinterBlocks::writeNames(const DeviceNames& names) {
  std::vector<char> bytes(sizeof(DEVNAMES));
  DEVNAMES header{};
  auto append = [&bytes](const std::string& name, WORD* offset) {
    if (bytes.size() > std::numeric_limits<WORD>::max()) {
      return false;
    }
    *offset = static_cast<WORD>(bytes.size());
    bytes.insert(bytes.end(), name.begin(), name.end());
    bytes.push_back('\0');
    return true;
  };
  if (!append(names.driver, &header.wDriverOffset) || !append(names.device, &header.wDeviceOffset) ||
      !append(names.output, &header.wOutputOffset)) {
    return nullptr;
  }
  header.wDefault = names.isDefault ? DN_DEFAULTPRN : 0;
  std::memcpy(bytes.data(), &header, sizeof header);
  return blockOf(bytes.data(), bytes.size());
}

std::optional<DeviceNames> PrinterBlocks::readNames(HGLOBAL block) {
  std::optional<std::vector<char>> bytes = blockBytes(block);
  if (!bytes || bytes->size() < sizeof(DEVNAMES)) {
    return std::nullopt;
  }
  DEVNAMES header;
  std::memcpy(&header, bytes->data(), sizeof header);
  std::optional<std::string> driver = nameAt(*bytes, header.wDriverOffset);
  std::optional<std::string> device = nameAt(*bytes, header.wDeviceOffset);
  std::optional<std::string> output = nameAt(*bytes, header.wOutputOffset);
  if (!driver || !device || !output) {
    return std::nullopt;
  }
  return DeviceNames{*driver, *device, *output, (header.wDefault & DN_DEFAULTPRN) != 0};
}

HGLOBAL PrinterBlocks::writeDevMode(const DEVMODE& mode) {
  return blockOf(&mode, sizeof mode);
}

std::optional<DEVMODE> PrinterBlocks::readDevMode(HGLOBAL block) {
  std::optional<std::vector<char>> bytes = blockBytes(block);
  if (!bytes || bytes->size() < sizeof(DEVMODE)) {
    return std::nullopt;
  }
  DEVMODE mode;
  std::memcpy(&mode, bytes->data(), sizeof mode);
  // The name is used as a string: it must end inside its field.
  mode.dmDeviceName[CCHDEVICENAME - 1] = '\0';
  return mode;
}

}  // namespace native
