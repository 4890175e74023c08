#include "framework/data/zaflanguagedata.h"

#include <memory>

#include "framework/data/zafclassid.h"
#include "framework/data/zafdatapersistence.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafstrlib.h"

namespace {

// The fixed part of a stored row: number, word, hot-key character, hot-key index and the text's count.
constexpr int kStoredRowBytes = 2 + 4 + 2 + 4 + 2;

}  // namespace

ZafLanguageData::ZafLanguageData(const ZafLanguageStruct* table) {
  for (; table && table->numberID != 0; ++table) {
    rows.push_back(Row{table->text ? table->text : u"", table->numberID, table->word, table->hotKeyChar,
                       table->hotKeyIndex});
  }
}

ZafLanguageData::ZafLanguageData(const ZafLanguageData& other) : ZafData(other), rows(other.rows) {}

ZafLanguageData::ZafLanguageData(const ZafIChar* name, ZafDataPersistence& persistence) : ZafData(name) {
  EnterReadLevel(name, persistence, u"ZafLanguageData", ID_ZAF_LANGUAGE_DATA, ZAF_STORAGE_TYPE_NAMED);
  if (ZafFile* file = persistence.File()) {
    ReadRows(*file);
  }
  LeaveReadLevel(persistence, Error());
}

void ZafLanguageData::ReadRows(ZafFile& file) {
  uint16_t count = 0;
  file.ReadUInt16(count);
  // Each row takes at least its fixed part, so the object file's length bounds the count.
  const int64_t left = static_cast<int64_t>(file.Length()) - file.Tell();
  if (file.Error() != ZAF_ERROR_NONE || static_cast<int64_t>(count) * kStoredRowBytes > left) {
    SetError(ZAF_ERROR_READ);
    return;
  }
  std::vector<Row> stored;
  for (int index = 0; index < count; ++index) {
    Row row{};
    uint16_t number = 0;
    uint16_t hotKey = 0;
    file.ReadUInt16(number);
    file.ReadUInt32(row.word);
    file.ReadUInt16(hotKey);
    file.ReadInt32(row.hotKeyIndex);
    ZafIChar* text = nullptr;
    file.ReadString(text);
    std::unique_ptr<ZafIChar[]> owned(text);
    if (file.Error() != ZAF_ERROR_NONE || number == 0) {
      SetError(ZAF_ERROR_READ);
      return;
    }
    row.numberID = number;
    row.hotKeyChar = hotKey;
    row.text = text ? text : u"";
    // A hot-key index must point into the text; anything else means no hot key.
    if (row.hotKeyIndex < -1 || row.hotKeyIndex >= static_cast<int32_t>(row.text.size())) {
      row.hotKeyIndex = -1;
    }
    stored.push_back(std::move(row));
  }
  rows = std::move(stored);
}

ZafClassID ZafLanguageData::ClassID() const {
  return ID_ZAF_LANGUAGE_DATA;
}

const ZafIChar* ZafLanguageData::ClassName() const {
  return u"ZafLanguageData";
}

bool ZafLanguageData::IsA(ZafClassID id) const {
  return id == ID_ZAF_LANGUAGE_DATA || ZafData::IsA(id);
}

bool ZafLanguageData::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafLanguageData") == 0) || ZafData::IsAName(name);
}

ZafData* ZafLanguageData::Duplicate() {
  return new ZafLanguageData(*this);
}

ZafDataConstructor ZafLanguageData::ReadFunction() const {
  return [](const ZafIChar* name, ZafDataPersistence& persistence) -> ZafData* {
    return new ZafLanguageData(name, persistence);
  };
}

int ZafLanguageData::StorageType() const {
  return ZAF_STORAGE_TYPE_NAMED;
}

ZafError ZafLanguageData::Write(ZafDataPersistence& persistence) {
  ZafData::Write(persistence);
  if (ZafFile* file = persistence.File()) {
    const std::size_t count = std::min<std::size_t>(rows.size(), UINT16_MAX);
    file->WriteUInt16(static_cast<uint16_t>(count));
    for (std::size_t index = 0; index < count; ++index) {
      const Row& row = rows[index];
      file->WriteUInt16(row.numberID);
      file->WriteUInt32(row.word);
      file->WriteUInt16(row.hotKeyChar);
      file->WriteInt32(row.hotKeyIndex);
      file->WriteString(row.text.c_str());
    }
  }
  return FinishWrite(persistence);
}

void ZafLanguageData::Clear() {
  BeginChange();
  rows.clear();
  SetError(ZAF_ERROR_NONE);
  EndChange(true);
}

const ZafIChar* ZafLanguageData::GetMessage(ZafNumberID number, bool emptyWhenMissing, ZafIChar* hotKeyChar,
                                            int32_t* hotKeyIndex) const {
  for (const Row& row : rows) {
    if (row.numberID == number) {
      if (hotKeyChar) {
        *hotKeyChar = row.hotKeyChar;
      }
      if (hotKeyIndex) {
        *hotKeyIndex = row.hotKeyIndex;
      }
      return row.text.c_str();
    }
  }
  if (hotKeyChar) {
    *hotKeyChar = 0;
  }
  if (hotKeyIndex) {
    *hotKeyIndex = -1;
  }
  return emptyWhenMissing ? u"" : nullptr;
}
