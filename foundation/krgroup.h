#pragma once
// A group of the settings tree: it owns its children in their order and carries the expanded mark that
// the settings editor shows. Groups have no value of their own.

#include <cstdint>
#include <map>
#include <memory>
#include <string>

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
  // The first child with that name, ignoring case; null when there is none. Found through an index, so
  // loading a group of many children takes time in proportion to their number.
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
  // A node renames itself through its group, which keeps the index in step.
  friend class KRNode;

  // The name as the index keys it: folded the way KString::EqualsNoCase compares.
  static std::u16string IndexKey(const KString& name);
  void AddToIndex(KRNode* child);
  void RemoveFromIndex(KRNode* child);
  void RenameChild(KRNode& child, const KString& text);

  // Orders index keys by length, then by their bytes: any strict order serves a lookup, and this one
  // compares names of one length with a single block compare.
  struct KeyOrder {
    bool operator()(const std::u16string& a, const std::u16string& b) const;
  };
  // Children by folded name; names that several children share (AddChild takes any name) have an entry
  // each. An ordered map keeps every lookup logarithmic, whatever names a hostile file chooses.
  std::multimap<std::u16string, KRNode*, KeyOrder> childrenByName;
  KRNode* firstChild = nullptr;
  KRNode* lastChild = nullptr;
  // Groups start collapsed so that the settings editor first shows the top level only.
  bool expanded = false;
};
