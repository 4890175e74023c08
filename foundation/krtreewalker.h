#pragma once
// Walks the visible rows of a settings group for the settings editor: the group's nodes in tree order,
// where the children of a collapsed group are not visible. The group itself is not a row.

#include <cstdint>

class KRGroup;
class KRNode;

class KRTreeWalker {
 public:
  explicit KRTreeWalker(KRGroup* root);

  // Counts the visible rows again (after a group was expanded or collapsed, or nodes were added).
  void Recount();
  // The node of a visible row from 0; null for a negative row or one past the end.
  KRNode* At(int32_t row) const;

  // The number of visible rows at the last count.
  int32_t rowCount = 0;

 private:
  // The visible row after `node` (the first for null); null at the end.
  KRNode* NextVisible(const KRNode* node) const;

  KRGroup* itsRoot;
};
