#pragma once
// One node of the settings tree: a name, a place in its group, the "not saved" and "deleted" marks, and
// the operations every node type has (its type name, its value as text and from text, and a fresh node of
// the same type, which lets a registered prototype make new nodes).

#include <cstdint>
#include <memory>

#include "foundation/kstring.h"

class KRGroup;

class KRNode {
 public:
  KRNode() = default;
  KRNode(const KRNode&) = delete;
  KRNode& operator=(const KRNode&) = delete;
  virtual ~KRNode() = default;

  const KString& Name() const { return name; }
  // Appends the text to the name: a new node starts nameless and is named once.
  void SetName(const KString& text);
  KRGroup* Parent() const { return itsParent; }
  // The full path from the top of the tree: the parent's path, a backslash and the name. The top of the
  // tree (a node without a parent) adds nothing.
  void AppendPath(KString& text) const;
  // The number of ancestors: 0 for the top of the tree.
  int32_t Depth() const;

  // A node marked not saved is left out of every save together with everything below it.
  bool IsSaved() const { return saved; }
  void SetSaved(bool flag) { saved = flag; }
  // A deleted node stays in the tree (the settings editor can undelete it) and is left out when written.
  bool IsDeleted() const { return deleted; }
  void SetDeleted(bool flag) { deleted = flag; }

  // The type name as the settings text writes it ("Group", "Bool", "Int", "Rat", "Float", "String").
  virtual const char16_t* TypeName() const = 0;
  // Appends the value in its text form.
  virtual void AppendValue(KString& text) const = 0;
  // Sets the value from its text form; false, with the value unchanged, when the text does not fit the
  // type or the node's range.
  virtual bool ParseValue(const KString& text) = 0;
  // A new, nameless node of the same type with the type's default value.
  virtual std::unique_ptr<KRNode> CreateNode() const = 0;

 private:
  // Group membership is kept by KRGroup, which links its children through these fields.
  friend class KRGroup;

  KString name;
  KRGroup* itsParent = nullptr;
  KRNode* nextSibling = nullptr;
  KRNode* previousSibling = nullptr;
  bool saved = true;
  bool deleted = false;
};
