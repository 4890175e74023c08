#pragma once
// The layout model of the hardware list: it links the hardware manager to the windows that show it (the
// hardware list, the alignment window, the hardware tool bar), passes the manager's notifications on to
// them, and keeps the list's scroll position, current cell and six column edges, fitted to the list's
// width. It lives as long as the manager; the windows register themselves while they exist.

#include <array>
#include <cstdint>

#include "foundation/kmessage.h"

class KStream;
class YHardware;

class YHardwareView : public KMessageObject {
 public:
  // A window that shows the view; it is told of the notifications meant for it, and when the view goes.
  class Client {
   public:
    virtual ~Client() = default;
    virtual void HardwareNotification(int32_t code) = 0;
    virtual void ViewDestroyed() = 0;
  };

  // Notifications of the hardware manager.
  static constexpr int32_t kAlignmentChanged = 21;
  static constexpr int32_t kAlignmentImage = 22;
  static constexpr int32_t kHardwareList = 23;
  static constexpr int32_t kAlignmentState = 24;
  static constexpr int32_t kArmedEventsChanged = 40;

  static constexpr int32_t kColumnCount = 6;
  static constexpr int32_t kEdgeCount = kColumnCount + 1;
  static constexpr uint32_t kRecordTag = 0x2000E;

  // characterWidth: the display's character width in pixels, which the designed columns are measured in.
  YHardwareView(YHardware* owner, int32_t characterWidth);
  ~YHardwareView() override;
  YHardwareView(const YHardwareView&) = delete;
  YHardwareView& operator=(const YHardwareView&) = delete;

  YHardware* Owner() const { return itsHardware; }

  void SetHardwareWindow(Client* window) { hardwareWindow = window; }
  void SetAlignWindow(Client* window) { alignWindow = window; }
  void SetToolBar(Client* bar) { toolBar = bar; }
  Client* HardwareWindow() const { return hardwareWindow; }
  Client* AlignWindow() const { return alignWindow; }
  Client* ToolBar() const { return toolBar; }

  // 21, 22 and 24 go to the alignment window, 23 to the hardware list, 40 to the tool bar; each only when
  // that window is registered.
  int32_t Receive(KMessage& message) override;

  // 6 for a row of the list (0 to the manager's interface count - 1), else 0.
  int32_t ColumnCount(int32_t row) const;
  // The fitted left edge and width of a column; 0 for a row or column outside the list.
  int32_t Column(int32_t row, int32_t column) const;
  int32_t ColumnWidth(int32_t row, int32_t column) const;
  // Fits the columns to a total width: extra width goes in equal fifths to columns 5, 4, 3 and 2 and the
  // rest to column 1; a deficit is taken from the last column backwards. With `keep` the fitted edges
  // become the designed ones. Widths below 0 count as 0, widths beyond any list as the widest list.
  void SetColumnWidth(int32_t row, int32_t width, bool keep);
  // Moves an inner designed edge (1 to 5), clamped between its neighbours; true when it moved, and the
  // next fit then recomputes the fitted edges.
  bool SetColumnEdge(int32_t row, int32_t edge, int32_t position);
  void SetSize1(int32_t column, int32_t row) { scrollPosition = {column, row}; }
  void SetSize2(int32_t column, int32_t row) { currentCell = {column, row}; }
  std::array<int32_t, 2> Size1() const { return scrollPosition; }
  std::array<int32_t, 2> Size2() const { return currentCell; }
  int32_t DesignedEdge(int32_t edge) const { return designed.at(edge); }
  int32_t FittedEdge(int32_t edge) const { return fitted.at(edge); }

  // The record: tag 0x2000E, the id, the scroll position, the current cell, 1, the edge count 7 and the
  // seven designed edges, each a 32-bit word. Reading throws KXPersistent 3009 for another tag, 3010 for
  // edges that go backwards, begin below 0 or span more than any list could be wide, and leaves the view
  // unchanged on any failure.
  void Write(KStream& stream) const;
  void Read(KStream& stream);

 private:
  bool IsRow(int32_t row) const;
  void MarkUnfitted();

  YHardware* itsHardware;
  Client* hardwareWindow = nullptr;
  Client* alignWindow = nullptr;
  Client* toolBar = nullptr;
  std::array<int32_t, 2> scrollPosition = {0, 0};
  std::array<int32_t, 2> currentCell = {0, 0};
  std::array<int32_t, kEdgeCount> designed{};
  std::array<int32_t, kEdgeCount> fitted{};
};
