// A palette map as a data object: the (palette type, state) → palette entries a window object draws with.
// It may stand on a static table compiled into the program, which is copied at the first change and never
// freed or written to.
#ifndef FRAMEWORK_DATA_ZAFPALETTEDATA_H
#define FRAMEWORK_DATA_ZAFPALETTEDATA_H

#include <vector>

#include "framework/data/zafdata.h"
#include "framework/data/zafpalettestruct.h"

class ZafFile;

class ZafPaletteData : public ZafData {
 public:
  // No table (every lookup gives the unset palette).
  explicit ZafPaletteData(bool staticTable = false);
  // The table up to and including its end row: used as it stands when static, else copied.
  ZafPaletteData(const ZafPaletteMap* table, bool staticTable);
  // Shares a static table, copies any other.
  ZafPaletteData(const ZafPaletteData& other);
  // Reads the named map (storage type 0: ~ZafPaletteData~name~objectData); a failure leaves no table and
  // the error set.
  ZafPaletteData(const ZafIChar* name, ZafDataPersistence& persistence);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafData* Duplicate() override;
  ZafDataConstructor ReadFunction() const override;
  // Record: a 32-bit row count (the end row included), then per row a 16-bit type, a 16-bit state and the
  // seven palette bytes (line style, fill pattern, foreground, background, reserved colours 1 and 2, font).
  // Native colours are not stored; reading sets them to "not set".
  ZafError Write(ZafDataPersistence& persistence) override;
  // Empties the table; observers hear of it.
  void Clear() override;

  // Sets one entry, or removes it when `palette` is unset. A new type goes last; a new state of a known
  // type goes before the type's state-0 row. A static table is copied first. Returns 0.
  int SetPalette(uint16_t type, uint16_t state, const ZafPaletteStruct& palette);
  // The entry of (type, state), or the unset palette.
  ZafPaletteStruct GetPalette(uint16_t type, uint16_t state) const;
  // Takes a whole table (see the constructor); null empties the map. Returns 0.
  virtual int SetPalettes(const ZafPaletteMap* table);
  // Switching the flag off copies a static table. Returns the flag.
  virtual bool SetStaticTable(bool staticTable);

  // The rows, the end row included (null and 0 without a table).
  const ZafPaletteMap* Table() const { return table; }
  int RowCount() const { return rowCount; }
  bool StaticTable() const { return staticTable; }

 protected:
  int StorageType() const override;

 private:
  // Makes the object's own copy of the rows.
  void TakeRows(std::vector<ZafPaletteMap> rows);
  ZafError ReadRows(ZafFile& file);

  bool staticTable = false;
  int rowCount = 0;
  const ZafPaletteMap* table = nullptr;
  std::vector<ZafPaletteMap> ownRows;
};

#endif
