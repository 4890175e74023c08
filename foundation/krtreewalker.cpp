#include "foundation/krtreewalker.h"

#include "foundation/krgroup.h"

KRTreeWalker::KRTreeWalker(KRGroup* root) : itsRoot(root) {
  Recount();
}

void KRTreeWalker::Recount() {
  rowCount = 0;
  for (const KRNode* node = NextVisible(nullptr); node != nullptr; node = NextVisible(node)) {
    ++rowCount;
  }
}

KRNode* KRTreeWalker::At(int32_t row) const {
  if (row < 0) {
    return nullptr;
  }
  KRNode* node = NextVisible(nullptr);
  for (; node != nullptr && row > 0; --row) {
    node = NextVisible(node);
  }
  return node;
}

KRNode* KRTreeWalker::NextVisible(const KRNode* node) const {
  if (itsRoot == nullptr) {
    return nullptr;
  }
  if (node == nullptr) {
    return itsRoot->NextChild(nullptr);
  }
  if (const auto* group = dynamic_cast<const KRGroup*>(node); group != nullptr && group->IsExpanded()) {
    if (KRNode* child = group->NextChild(nullptr)) {
      return child;
    }
  }
  // Past the last child of a group, go on after the group, up to the root.
  for (; node != itsRoot && node->Parent() != nullptr; node = node->Parent()) {
    if (KRNode* next = node->Parent()->NextChild(node)) {
      return next;
    }
  }
  return nullptr;
}
