#include "foundation/krnode.h"

#include "foundation/krgroup.h"

void KRNode::SetName(const KString& text) {
  if (itsParent != nullptr) {
    itsParent->RenameChild(*this, text);  // the group finds its children by name
    return;
  }
  name.Append(text);
}

void KRNode::AppendPath(KString& text) const {
  if (itsParent == nullptr) {
    return;
  }
  itsParent->AppendPath(text);
  text.AppendChar(u'\\');
  text.Append(name);
}

int32_t KRNode::Depth() const {
  int32_t depth = 0;
  for (const KRGroup* group = itsParent; group != nullptr; group = group->Parent()) {
    ++depth;
  }
  return depth;
}
