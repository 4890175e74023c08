#include "model/qvchart.h"

#include "foundation/kpersistent.h"
#include "foundation/kstream.h"

QvChartView* QvChart::GetLine(int32_t index, bool create) {
  if (index < 0 || index >= kMaxLines) {
    return nullptr;
  }
  while (create && index >= LineCount()) {
    lines.push_back(std::make_unique<QvChartView>(this));
  }
  return index < LineCount() ? lines[static_cast<size_t>(index)].get() : nullptr;
}

void QvChart::Deliver(const KMessage& message) const {
  for (const auto& line : lines) {
    line->Receive(message);
  }
}

void QvChart::Write(KStream& stream) const {
  KPersistent::WriteVersion(stream, KPersistent::kFamilyModel, kVersion);
  stream.WriteInt32(LineCount());
  for (const auto& line : lines) {
    line->GetRange().Write(stream);
  }
}

void QvChart::Read(KStream& stream) {
  KPersistent::ReadVersion(stream, KPersistent::kFamilyModel, kVersion, kVersion);
  const int32_t count = KPersistent::ReadCount(stream, 8, kMaxLines);
  std::vector<std::unique_ptr<QvChartView>> newLines;
  for (int32_t i = 0; i < count; ++i) {
    auto line = std::make_unique<QvChartView>(this);
    KPoint range;
    range.Read(stream);
    line->SetRange(range);
    newLines.push_back(std::move(line));
  }
  lines = std::move(newLines);
}

bool QvChart::SameContents(const QvChart& other) const {
  if (LineCount() != other.LineCount()) {
    return false;
  }
  for (int32_t i = 0; i < LineCount(); ++i) {
    if (lines[static_cast<size_t>(i)]->GetRange() != other.lines[static_cast<size_t>(i)]->GetRange()) {
      return false;
    }
  }
  return true;
}
