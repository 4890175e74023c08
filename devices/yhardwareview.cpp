#include "devices/yhardwareview.h"

#include <algorithm>

#include "devices/yhardware.h"
#include "foundation/kstream.h"
#include "foundation/kx.h"

namespace {

// The designed column edges in characters: columns 10, 4, 6, 7, 7 and 6 characters wide.
constexpr std::array<int32_t, YHardwareView::kEdgeCount> kDesignedCharacters = {0, 10, 14, 20, 27, 34, 40};
constexpr int32_t kUnfitted = -1;
// Far wider than any list in pixels. Edges and widths stay within it, so the fitting arithmetic (at most
// the first edge plus a width) cannot overflow.
constexpr int32_t kLargestWidth = 1 << 24;
constexpr uint32_t kCellCount = 1;

}  // namespace

YHardwareView::YHardwareView(YHardware* owner, int32_t characterWidth) : itsHardware(owner) {
  for (int32_t edge = 0; edge < kEdgeCount; ++edge) {
    designed[edge] = kDesignedCharacters[edge] * characterWidth;
  }
  MarkUnfitted();
}

YHardwareView::~YHardwareView() {
  for (Client* client : {hardwareWindow, alignWindow, toolBar}) {
    if (client != nullptr) {
      client->ViewDestroyed();
    }
  }
}

void YHardwareView::MarkUnfitted() {
  fitted.fill(kUnfitted);
  fitted[0] = 0;
}

int32_t YHardwareView::Receive(KMessage& message) {
  const int32_t code = static_cast<int32_t>(message.code & KMessage::kWhatMask);
  Client* target = nullptr;
  switch (code) {
    case kAlignmentChanged:
    case kAlignmentImage:
    case kAlignmentState:
      target = alignWindow;
      break;
    case kHardwareList:
      target = hardwareWindow;
      break;
    case kArmedEventsChanged:
      target = toolBar;
      break;
    default:
      break;
  }
  if (target != nullptr) {
    target->HardwareNotification(code);
  }
  return 0;
}

bool YHardwareView::IsRow(int32_t row) const {
  return itsHardware != nullptr && row >= 0 && row < itsHardware->Flag4342();
}

int32_t YHardwareView::ColumnCount(int32_t row) const {
  return IsRow(row) ? kColumnCount : 0;
}

int32_t YHardwareView::Column(int32_t row, int32_t column) const {
  return IsRow(row) && column >= 0 && column < kColumnCount ? fitted[column] : 0;
}

int32_t YHardwareView::ColumnWidth(int32_t row, int32_t column) const {
  return IsRow(row) && column >= 0 && column < kColumnCount ? fitted[column + 1] - fitted[column] : 0;
}

void YHardwareView::SetColumnWidth(int32_t row, int32_t width, bool keep) {
  (void)row;  // every row has the same layout
  width = std::clamp(width, 0, kLargestWidth);
  if (width == fitted[kColumnCount] - fitted[0]) {
    return;
  }
  const int32_t designedTotal = designed[kColumnCount] - designed[0];
  if (width == designedTotal) {
    fitted = designed;
  } else {
    std::array<int32_t, kColumnCount> widths{};
    for (int32_t column = 0; column < kColumnCount; ++column) {
      widths[column] = designed[column + 1] - designed[column];
    }
    if (width > designedTotal) {
      const int32_t extra = width - designedTotal;
      for (int32_t column = 2; column < kColumnCount; ++column) {
        widths[column] += extra / 5;
      }
      widths[1] += extra - 4 * (extra / 5);
    } else {
      int32_t deficit = designedTotal - width;
      for (int32_t column = kColumnCount - 1; column >= 0 && deficit > 0; --column) {
        const int32_t taken = std::min(std::max(widths[column], 0), deficit);
        widths[column] -= taken;
        deficit -= taken;
      }
    }
    fitted[0] = designed[0];
    for (int32_t column = 0; column < kColumnCount; ++column) {
      fitted[column + 1] = fitted[column] + widths[column];
    }
  }
  if (keep) {
    designed = fitted;
  }
}

bool YHardwareView::SetColumnEdge(int32_t row, int32_t edge, int32_t position) {
  (void)row;  // every row has the same layout
  if (edge < 1 || edge >= kColumnCount) {
    return false;
  }
  position = std::clamp(position, designed[edge - 1], std::max(designed[edge - 1], designed[edge + 1]));
  if (position == designed[edge]) {
    return false;
  }
  designed[edge] = position;
  MarkUnfitted();
  return true;
}

void YHardwareView::Write(KStream& stream) const {
  stream.WriteUInt32(kRecordTag);
  stream.WriteInt32(Id());
  for (const int32_t value : {scrollPosition[0], scrollPosition[1], currentCell[0], currentCell[1]}) {
    stream.WriteInt32(value);
  }
  stream.WriteUInt32(kCellCount);
  stream.WriteUInt32(kEdgeCount);
  for (const int32_t edge : designed) {
    stream.WriteInt32(edge);
  }
}

void YHardwareView::Read(KStream& stream) {
  if (stream.ReadUInt32() != kRecordTag) {
    throw KXPersistent(3009);
  }
  const int32_t id = stream.ReadInt32();
  std::array<int32_t, 4> cells{};
  for (int32_t& value : cells) {
    value = stream.ReadInt32();
  }
  // The cell and edge counts are always 1 and 7; they are read past, not trusted.
  stream.ReadUInt32();
  stream.ReadUInt32();
  std::array<int32_t, kEdgeCount> edges{};
  for (int32_t& edge : edges) {
    edge = stream.ReadInt32();
  }
  // Edges that go backwards would make negative column widths; a first edge or a total width beyond any
  // list would overflow the fitting.
  if (!std::is_sorted(edges.begin(), edges.end()) || edges.front() < 0 || edges.front() > kLargestWidth ||
      static_cast<int64_t>(edges.back()) - edges.front() > kLargestWidth) {
    throw KXPersistent(3010);
  }
  SetId(id);
  scrollPosition = {cells[0], cells[1]};
  currentCell = {cells[2], cells[3]};
  designed = edges;
  MarkUnfitted();
}
