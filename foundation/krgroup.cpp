#include "foundation/krgroup.h"

#include "foundation/kregistry.h"

KRGroup::~KRGroup() {
  KRNode* child = firstChild;
  while (child != nullptr) {
    KRNode* next = child->nextSibling;
    delete child;
    child = next;
  }
}

KRNode* KRGroup::NextChild(const KRNode* child) const {
  if (child == nullptr) {
    return firstChild;
  }
  return child->itsParent == this ? child->nextSibling : nullptr;
}

KRNode* KRGroup::AddChild(std::unique_ptr<KRNode> node, KRNode* before) {
  if (node == nullptr) {
    return nullptr;
  }
  KRNode* added = node.release();
  added->itsParent = this;
  if (before == nullptr || before->itsParent != this) {
    added->previousSibling = lastChild;
    added->nextSibling = nullptr;
    (lastChild != nullptr ? lastChild->nextSibling : firstChild) = added;
    lastChild = added;
    return added;
  }
  added->nextSibling = before;
  added->previousSibling = before->previousSibling;
  (before->previousSibling != nullptr ? before->previousSibling->nextSibling : firstChild) = added;
  before->previousSibling = added;
  return added;
}

KRNode* KRGroup::Child(const KString& childName) const {
  for (KRNode* child = firstChild; child != nullptr; child = child->nextSibling) {
    if (KString::EqualsNoCase(child->Name(), childName)) {
      return child;
    }
  }
  return nullptr;
}

KRNode* KRGroup::Find(const KString& line) {
  return KRegistry::AddLine(this, line);
}
