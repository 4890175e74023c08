#include "foundation/krgroup.h"

#include <algorithm>
#include <cstring>
#include <iterator>

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
  AddToIndex(added);
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
  const auto [first, last] = childrenByName.equal_range(IndexKey(childName));
  if (first == last) {
    return nullptr;
  }
  if (std::next(first) == last) {
    return first->second;
  }
  // Several children share the name: the first of them in the group's order is the one.
  for (KRNode* child = firstChild; child != nullptr; child = child->nextSibling) {
    if (KString::EqualsNoCase(child->Name(), childName)) {
      return child;
    }
  }
  return nullptr;
}

bool KRGroup::KeyOrder::operator()(const std::u16string& a, const std::u16string& b) const {
  if (a.size() != b.size()) {
    return a.size() < b.size();
  }
  return std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) < 0;
}

std::u16string KRGroup::IndexKey(const KString& name) {
  std::u16string key(name.Data(), static_cast<size_t>(name.Length()));
  std::transform(key.begin(), key.end(), key.begin(), KString::FoldCase);
  return key;
}

void KRGroup::AddToIndex(KRNode* child) {
  childrenByName.emplace(IndexKey(child->name), child);
}

void KRGroup::RemoveFromIndex(KRNode* child) {
  auto [first, last] = childrenByName.equal_range(IndexKey(child->name));
  for (auto entry = first; entry != last; ++entry) {
    if (entry->second == child) {
      childrenByName.erase(entry);
      return;
    }
  }
}

void KRGroup::RenameChild(KRNode& child, const KString& text) {
  RemoveFromIndex(&child);
  child.name.Append(text);
  AddToIndex(&child);
}

KRNode* KRGroup::Find(const KString& line) {
  return KRegistry::AddLine(this, line);
}
