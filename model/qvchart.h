#pragma once
// A chart of a leg: its lines (views), each shown by one chart window.

#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/klist.h"
#include "foundation/kmessage.h"
#include "model/qvchartview.h"

class QvChart : public KListItem, public KMessageObject {
 public:
  static constexpr int32_t kMaxLines = 16;
  static constexpr uint16_t kVersion = 1;

  explicit QvChart(KMessageObject* owner = nullptr) : KMessageObject(owner) {}

  int32_t LineCount() const { return static_cast<int32_t>(lines.size()); }
  // The view of that index; with `create`, the views up to it are made when missing (at most 16). Null
  // when there is none.
  QvChartView* GetLine(int32_t index, bool create);
  // Passes a message to every line.
  void Deliver(const KMessage& message) const;

  const char* ClassName() const override { return "QvChart"; }
  // The line count and each line's scroll position.
  void Write(KStream& stream) const override;
  void Read(KStream& stream) override;
  bool SameContents(const QvChart& other) const;

 private:
  std::vector<std::unique_ptr<QvChartView>> lines;
};
