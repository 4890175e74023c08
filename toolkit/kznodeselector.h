// The settings editor's tree list: one row for each visible node of the edited settings group, indented by
// its depth, a "+" or "-" before each group that a click on the current row's sign expands or collapses,
// and deleted nodes in grey. Moving to another row first lets the editor commit the value being edited.
#ifndef TOOLKIT_KZNODESELECTOR_H
#define TOOLKIT_KZNODESELECTOR_H

#include <cstdint>

#include "toolkit/kzselector.h"

class KRNode;
class KRTreeWalker;
class KZRegistryDialog;

class KZNodeSelector : public KZSelector {
 public:
  // Pixels a row moves right for each level of depth, the width of a group's sign column, and where the
  // name starts after the indent: past the sign for a group, near the edge for any other node.
  static constexpr int32_t kIndent = 18;
  static constexpr int32_t kSignWidth = 14;
  static constexpr int32_t kGroupNameOffset = 15;
  static constexpr int32_t kValueNameOffset = 2;

  // The rows are the walker's visible nodes; both the owner and the walker stay the caller's.
  KZNodeSelector(KZRegistryDialog* owner, KRTreeWalker* walker, int32_t left, int32_t top, int32_t width,
                 int32_t height);
  ~KZNodeSelector() override;

  // The node of a row, null past the end.
  KRNode* NodeAt(int32_t row) const;

  // The sign column and the name column.
  int32_t ColumnCount(KPoint cell) override;
  void ColumnRegion(KPoint cell, int32_t column, KRect& rect, int32_t mode) override;
  void CellText(KPoint cell, int32_t column, KString& text, uint32_t& textFlags) override;
  // A press on the sign of the current row's group expands or collapses it.
  bool EditCell(KPoint pixel, int32_t how) override;
  // The owner commits the value being edited first, and shows the new current row's node after.
  bool SetCurrentCell(KPoint cell) override;
  // Counts the visible rows again and takes them as the contents.
  void Refresh() override;

 private:
  // The node's depth below the edited group: 0 for the group's own children.
  int32_t IndentLevel(const KRNode& node) const;

  KZRegistryDialog* itsOwner;
  KRTreeWalker* itsWalker;
};

#endif
