#pragma once
// A group of the settings tree: it owns its children in their order and carries the expanded mark that
// the settings editor shows. Groups have no value of their own.

#include <cstdint>
#include <memory>

#include "foundation/krnode.h"

class KRGroup : public KRNode {
 public:
  KRGroup() = default;
  ~KRGroup() override;

  // The first child for null, else the child after `child`; null at the end.
  KRNode* NextChild(const KRNode* child) const;
  // Makes this group the node's parent and inserts the node before `before`, or at the end when `before`
  // is null or not a child of this group. Returns the node, null when none was given.
  KRNode* AddChild(std::unique_ptr<KRNode> node, KRNode* before = nullptr);
  // The child with that name, ignoring case; null when there is none.
  KRNode* Child(const KString& childName) const;
  // Parses one settings line (see docs/settings-format.md) relative to this group, creating the groups
  // and the node it names when they are missing and setting the node's value. Returns the node, or null
  // when the line is refused (then nothing was created or changed).
  KRNode* Find(const KString& line);

  bool IsExpanded() const { return expanded; }
  void SetExpanded(bool flag) { expanded = flag; }

  const char16_t* TypeName() const override { return u"Group"; }
  void AppendValue(KString& text) const override { (void)text; }
  // A group has no value: only the empty text is accepted.
  bool ParseValue(const KString& text) override { return text.IsEmpty(); }
  std::unique_ptr<KRNode> CreateNode() const override { return std::make_unique<KRGroup>(); }

 private:
  KRNode* firstChild = nullptr;
  KRNode* lastChild = nullptr;
  // Groups start collapsed so that the settings editor first shows the top level only.
  bool expanded = false;
};
