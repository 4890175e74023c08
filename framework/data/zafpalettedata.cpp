#include "framework/data/zafpalettedata.h"

#include "framework/data/zafclassid.h"
#include "framework/data/zafdatapersistence.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafstrlib.h"

namespace {

// A stored row: type, state and seven palette bytes.
constexpr int kStoredRowBytes = 2 + 2 + 7;

// Rows of a table up to and including its end row.
int CountRows(const ZafPaletteMap* table) {
  int count = 1;
  for (; !table[count - 1].IsEnd(); ++count) {
  }
  return count;
}

}  // namespace

ZafPaletteData::ZafPaletteData(bool isStatic) : staticTable(isStatic) {}

ZafPaletteData::ZafPaletteData(const ZafPaletteMap* rows, bool isStatic) : staticTable(isStatic) {
  SetPalettes(rows);
}

ZafPaletteData::ZafPaletteData(const ZafPaletteData& other) : ZafData(other), staticTable(other.staticTable) {
  SetPalettes(other.table);
}

ZafPaletteData::ZafPaletteData(const ZafIChar* name, ZafDataPersistence& persistence) : ZafData(name) {
  EnterReadLevel(name, persistence, u"ZafPaletteData", ID_ZAF_PALETTE_DATA, ZAF_STORAGE_TYPE_NAMED);
  ZafError readError = ZAF_ERROR_NONE;
  if (ZafFile* file = persistence.File()) {
    readError = ReadRows(*file);
  }
  LeaveReadLevel(persistence, readError);
}

ZafError ZafPaletteData::ReadRows(ZafFile& file) {
  int32_t count = 0;
  file.ReadInt32(count);
  // The count comes from the file: the rows must be there before anything is allocated for them.
  const int64_t left = static_cast<int64_t>(file.Length()) - file.Tell();
  if (file.Error() != ZAF_ERROR_NONE || count < 0 || static_cast<int64_t>(count) * kStoredRowBytes > left) {
    return ZAF_ERROR_READ;
  }
  std::vector<ZafPaletteMap> rows(static_cast<std::size_t>(count));
  for (ZafPaletteMap& row : rows) {
    file.ReadUInt16(row.type);
    file.ReadUInt16(row.state);
    ZafPaletteStruct& palette = row.palette;
    for (uint8_t* byte :
         {&palette.lineStyle, &palette.fillPattern, &palette.colorForeground, &palette.colorBackground,
          &palette.colorReserved1, &palette.colorReserved2, &palette.font}) {
      file.ReadUInt8(*byte);
    }
  }
  if (file.Error() != ZAF_ERROR_NONE) {
    return ZAF_ERROR_READ;
  }
  if (!rows.empty()) {
    // Every walk stops at an end row, so a table that lacks one gets one.
    if (!rows.back().IsEnd()) {
      rows.push_back(ZafPaletteMap{});
    }
    BeginChange();
    TakeRows(std::move(rows));
    EndChange(true);
  }
  return ZAF_ERROR_NONE;
}

ZafClassID ZafPaletteData::ClassID() const {
  return ID_ZAF_PALETTE_DATA;
}

const ZafIChar* ZafPaletteData::ClassName() const {
  return u"ZafPaletteData";
}

bool ZafPaletteData::IsA(ZafClassID id) const {
  return id == ID_ZAF_PALETTE_DATA || ZafData::IsA(id);
}

bool ZafPaletteData::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafPaletteData") == 0) || ZafData::IsAName(name);
}

ZafData* ZafPaletteData::Duplicate() {
  return new ZafPaletteData(*this);
}

ZafDataConstructor ZafPaletteData::ReadFunction() const {
  return [](const ZafIChar* name, ZafDataPersistence& persistence) -> ZafData* {
    return new ZafPaletteData(name, persistence);
  };
}

int ZafPaletteData::StorageType() const {
  return ZAF_STORAGE_TYPE_NAMED;
}

ZafError ZafPaletteData::Write(ZafDataPersistence& persistence) {
  ZafData::Write(persistence);
  if (ZafFile* file = persistence.File()) {
    file->WriteInt32(rowCount);
    for (int index = 0; index < rowCount; ++index) {
      const ZafPaletteMap& row = table[index];
      file->WriteUInt16(row.type);
      file->WriteUInt16(row.state);
      const ZafPaletteStruct& palette = row.palette;
      for (uint8_t byte :
           {palette.lineStyle, palette.fillPattern, palette.colorForeground, palette.colorBackground,
            palette.colorReserved1, palette.colorReserved2, palette.font}) {
        file->WriteUInt8(byte);
      }
    }
  }
  return FinishWrite(persistence);
}

void ZafPaletteData::Clear() {
  BeginChange();
  SetPalettes(nullptr);
  EndChange(true);
}

void ZafPaletteData::TakeRows(std::vector<ZafPaletteMap> rows) {
  ownRows = std::move(rows);
  table = ownRows.data();
  rowCount = static_cast<int>(ownRows.size());
  staticTable = false;
}

int ZafPaletteData::SetPalettes(const ZafPaletteMap* rows) {
  BeginChange();
  if (rows && staticTable) {
    table = rows;
    rowCount = CountRows(rows);
    ownRows.clear();
  } else if (rows) {
    TakeRows(std::vector<ZafPaletteMap>(rows, rows + CountRows(rows)));
  } else {
    // An empty map is its end row alone; a static table is left as it is.
    TakeRows({ZafPaletteMap{}});
  }
  EndChange(true);
  return 0;
}

bool ZafPaletteData::SetStaticTable(bool isStatic) {
  if (isStatic == staticTable) {
    return staticTable;
  }
  if (isStatic) {
    staticTable = true;
  } else if (table) {
    staticTable = false;
    SetPalettes(table);
  } else {
    staticTable = false;
  }
  return staticTable;
}

int ZafPaletteData::SetPalette(uint16_t type, uint16_t state, const ZafPaletteStruct& palette) {
  BeginChange();
  if (!table) {
    TakeRows({ZafPaletteMap{}});
  }
  // The place: the entry itself, else where a new one goes (before the type's state-0 row, else after the
  // type's rows, a new type before the end row).
  int place = 0;
  while (place < rowCount - 1 && !table[place].IsEnd() && table[place].type != type) {
    ++place;
  }
  bool found = false;
  while (place < rowCount - 1 && !table[place].IsEnd() && table[place].type == type) {
    if (table[place].state == state) {
      found = true;
      break;
    }
    if (table[place].state == 0) {
      break;
    }
    ++place;
  }
  if (!found || staticTable) {
    std::vector<ZafPaletteMap> rows(table, table + rowCount);
    if (!found) {
      rows.insert(rows.begin() + place, ZafPaletteMap{type, state, ZafPaletteStruct{}});
    }
    TakeRows(std::move(rows));
  }
  if (palette.IsUnset()) {
    ownRows.erase(ownRows.begin() + place);
    TakeRows(std::move(ownRows));
  } else {
    ownRows[static_cast<std::size_t>(place)].palette = palette;
  }
  EndChange(true);
  return 0;
}

ZafPaletteStruct ZafPaletteData::GetPalette(uint16_t type, uint16_t state) const {
  for (int index = 0; index < rowCount; ++index) {
    const ZafPaletteMap& row = table[index];
    if (row.type == ZAF_PM_END) {
      break;
    }
    if (row.type == type && row.state == state) {
      return row.palette;
    }
    if (row.IsEnd()) {
      break;
    }
  }
  return ZafPaletteStruct{};
}
