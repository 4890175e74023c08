// The messages of one class in the current language: rows of (text, number, word, hot-key character,
// hot-key index). Classes keep a built-in table in English; the language manager gives them the table of
// the current language from the i18n data file when it has one.
#ifndef FRAMEWORK_DATA_ZAFLANGUAGEDATA_H
#define FRAMEWORK_DATA_ZAFLANGUAGEDATA_H

#include <cstdint>
#include <string>
#include <vector>

#include "framework/data/zafdata.h"

class ZafFile;

// A row of a built-in table; the table ends with a row of number 0.
struct ZafLanguageStruct {
  const ZafIChar* text;
  ZafNumberID numberID;
  ZafULong word;
  ZafIChar hotKeyChar;
  int32_t hotKeyIndex;  // -1 when the text has no hot key
};

class ZafLanguageData : public ZafData {
 public:
  // The rows of a built-in table up to its end row (none: no rows).
  explicit ZafLanguageData(const ZafLanguageStruct* table = nullptr);
  ZafLanguageData(const ZafLanguageData& other);
  // Reads the named table (storage type 0: ~ZafLanguageData~name~objectData, with the language as suffix
  // when the context has one); a failure leaves no rows and the error set.
  ZafLanguageData(const ZafIChar* name, ZafDataPersistence& persistence);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafData* Duplicate() override;
  ZafDataConstructor ReadFunction() const override;
  // Record: a 16-bit row count, then per row a 16-bit number, a 32-bit word, a 16-bit hot-key character,
  // a 32-bit hot-key index and the text as a string.
  ZafError Write(ZafDataPersistence& persistence) override;
  void Clear() override;

  // The text of the row with that number, with its hot-key character and index when asked. A missing row
  // gives null, or the empty text when `emptyWhenMissing` is set (for callers that print the answer).
  const ZafIChar* GetMessage(ZafNumberID number, bool emptyWhenMissing = false,
                             ZafIChar* hotKeyChar = nullptr, int32_t* hotKeyIndex = nullptr) const;
  int Count() const { return static_cast<int>(rows.size()); }

  // The users of a table handed out by the language manager.
  int UseCount() const { return useCount; }
  int AddUse() { return ++useCount; }
  int RemoveUse() { return useCount > 0 ? --useCount : 0; }

 protected:
  int StorageType() const override;

 private:
  struct Row {
    std::u16string text;
    ZafNumberID numberID;
    ZafULong word;
    ZafIChar hotKeyChar;
    int32_t hotKeyIndex;
  };
  void ReadRows(ZafFile& file);

  std::vector<Row> rows;
  int useCount = 0;
};

#endif
