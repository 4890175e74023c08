#pragma once
// The entries of a list box and their selection: each entry's text, data word, height and selected flag, the
// caret (the entry with the focus mark) and the anchor (where an extended selection with Shift starts). Both
// indices follow the entries as others are inserted or deleted before them; -1 means none (for the caret,
// only while the list is empty).

#include <string>
#include <string_view>
#include <vector>

#include "native/user/nativetypes.h"

namespace native {

struct ListBoxItem {
  std::u16string text;
  ULONG_PTR data = 0;
  int height = 0;  // in pixels; used by lists whose owner measures each entry
  bool selected = false;
};

class ListBoxItems {
 public:
  int count() const { return static_cast<int>(items_.size()); }
  bool contains(int index) const { return index >= 0 && index < count(); }
  // Null for an index outside the list.
  const ListBoxItem* at(int index) const;
  ListBoxItem* at(int index);

  // Inserts before `index`, or at the end for -1; answers the new entry's index, -1 when `index` lies
  // beyond the end.
  int insert(int index, ListBoxItem item);
  // Where a text goes in a sorted list: after every entry that compares less or equal, ignoring case.
  int sortedIndexFor(std::u16string_view text) const;
  // The first entry whose text equals `text` ignoring case, from `after` + 1 on round to `after`; -1 when
  // none does.
  int findExact(std::u16string_view text, int after) const;
  bool erase(int index);
  void clear();

  int caret() const { return caret_; }
  void setCaret(int index) { caret_ = contains(index) ? index : caret_; }
  int anchor() const { return anchor_; }
  void setAnchor(int index) { anchor_ = contains(index) ? index : anchor_; }

  // Selection. `index` -1 in setSelected means every entry.
  bool setSelected(int index, bool selected);
  // Selects the one entry (none for -1) and clears the others.
  void selectOnly(int index);
  // Sets the entries between `from` and `to`, in either order, both included.
  void setRange(int from, int to, bool selected);
  int selectedCount() const;
  // Ascending.
  std::vector<int> selectedIndices() const;
  // The selected flags, for putting a selection back as it was.
  std::vector<bool> selection() const;
  void restore(const std::vector<bool>& selection);

 private:
  std::vector<ListBoxItem> items_;
  int caret_ = -1;
  int anchor_ = -1;
};

}  // namespace native
