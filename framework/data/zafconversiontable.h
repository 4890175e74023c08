// The registration table of printf or scanf conversions: rows of (conversion character, handler) in
// registration order, searched from the first row so that the first handler registered for a character
// wins. Like the framework's other registration tables it starts with room for 5 rows and grows by 5.
#ifndef FRAMEWORK_DATA_ZAFCONVERSIONTABLE_H
#define FRAMEWORK_DATA_ZAFCONVERSIONTABLE_H

#include <vector>

#include "framework/data/zaftypes.h"

template <typename Handler>
class ZafConversionTable {
 public:
  void Add(ZafIChar conversion, Handler handler) {
    if (rows.size() == rows.capacity()) {
      rows.reserve(rows.size() + kGrowth);
    }
    rows.push_back({conversion, handler});
  }

  // Null when no row has the character.
  Handler Find(ZafIChar conversion) const {
    for (const Row& row : rows) {
      if (row.conversion == conversion) {
        return row.handler;
      }
    }
    return nullptr;
  }

  int Count() const { return static_cast<int>(rows.size()); }

 private:
  static constexpr std::size_t kGrowth = 5;

  struct Row {
    ZafIChar conversion;
    Handler handler;
  };
  std::vector<Row> rows;
};

#endif
