#include "toolkit/kznodeselector.h"

#include "foundation/krgroup.h"
#include "foundation/krtreewalker.h"
#include "toolkit/kzregistrydialog.h"

namespace {

constexpr int32_t kSignColumn = 0;
constexpr int32_t kColumns = 2;

const KRGroup* AsGroup(const KRNode* node) {
  return dynamic_cast<const KRGroup*>(node);
}

}  // namespace

KZNodeSelector::KZNodeSelector(KZRegistryDialog* owner, KRTreeWalker* walker, int32_t left, int32_t top,
                               int32_t width, int32_t height)
    : KZSelector(left, top, width, height), itsOwner(owner), itsWalker(walker) {
  ChangeExtent({1, itsWalker->rowCount});
}

KZNodeSelector::~KZNodeSelector() = default;

KRNode* KZNodeSelector::NodeAt(int32_t row) const {
  return itsWalker->At(row);
}

int32_t KZNodeSelector::IndentLevel(const KRNode& node) const {
  return node.Depth() - itsOwner->Group()->Depth() - 1;
}

int32_t KZNodeSelector::ColumnCount(KPoint) {
  return kColumns;
}

void KZNodeSelector::ColumnRegion(KPoint cell, int32_t column, KRect& rect, int32_t mode) {
  if (const KRNode* node = NodeAt(cell.y)) {
    const int32_t indented = rect.left + kIndent * IndentLevel(*node);
    if (column == kSignColumn) {
      rect.left = indented;
      rect.right = indented + kSignWidth - 1;
    } else {
      rect.left = indented + (AsGroup(node) ? kGroupNameOffset : kValueNameOffset);
    }
  }
  KZSelector::ColumnRegion(cell, column, rect, mode);
}

void KZNodeSelector::CellText(KPoint cell, int32_t column, KString& text, uint32_t& textFlags) {
  const KRNode* node = NodeAt(cell.y);
  if (!node) {
    return;
  }
  if (column == kSignColumn) {
    if (const KRGroup* group = AsGroup(node)) {
      text.AppendChar(group->IsExpanded() ? u'-' : u'+');
      textFlags = kTextCentred;
    }
    return;
  }
  text.Append(node->Name());
  if (node->IsDeleted()) {
    textFlags = kTextDisabled;
  }
}

bool KZNodeSelector::EditCell(KPoint pixel, int32_t) {
  int32_t column = -1;
  const KPoint cell = CellFromPoint(pixel, &column);
  auto* group = dynamic_cast<KRGroup*>(NodeAt(cell.y));
  if (!group || column != kSignColumn) {
    return false;
  }
  group->SetExpanded(!group->IsExpanded());
  Refresh();
  return true;
}

bool KZNodeSelector::SetCurrentCell(KPoint cell) {
  itsOwner->ProcessResult(0);
  const bool changed = KZSelector::SetCurrentCell(cell);
  itsOwner->ShowNode();
  return changed;
}

void KZNodeSelector::Refresh() {
  itsWalker->Recount();
  ChangeExtent({1, itsWalker->rowCount});
  KZSelector::Refresh();
}
