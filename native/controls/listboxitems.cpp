#include "native/controls/listboxitems.h"

#include <algorithm>

namespace native {

namespace {

char16_t folded(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

// Negative, zero or positive as `a` sorts before, with or after `b`, ignoring the case of ASCII letters.
int compareFolded(std::u16string_view a, std::u16string_view b) {
  auto [left, right] = std::mismatch(a.begin(), a.end(), b.begin(), b.end(),
                                     [](char16_t x, char16_t y) { return folded(x) == folded(y); });
  if (left == a.end()) {
    return right == b.end() ? 0 : -1;
  }
  if (right == b.end()) {
    return 1;
  }
  return folded(*left) < folded(*right) ? -1 : 1;
}

// An index after an entry went in at `inserted`.
int shiftedUp(int index, int inserted) {
  return index >= inserted ? index + 1 : index;
}

// An index after the entry at `erased` went, with `remaining` entries left.
int shiftedDown(int index, int erased, int remaining) {
  if (index > erased) {
    return index - 1;
  }
  return std::min(index, remaining - 1);
}

}  // namespace

const ListBoxItem* ListBoxItems::at(int index) const {
  return contains(index) ? &items_[static_cast<std::size_t>(index)] : nullptr;
}

ListBoxItem* ListBoxItems::at(int index) {
  return contains(index) ? &items_[static_cast<std::size_t>(index)] : nullptr;
}

int ListBoxItems::insert(int index, ListBoxItem item) {
  if (index == -1) {
    index = count();
  }
  if (index < 0 || index > count()) {
    return -1;
  }
  items_.insert(items_.begin() + index, std::move(item));
  // A list with entries always has a caret, on the first entry to begin with.
  caret_ = caret_ < 0 ? 0 : shiftedUp(caret_, index);
  anchor_ = anchor_ < 0 ? anchor_ : shiftedUp(anchor_, index);
  return index;
}

int ListBoxItems::sortedIndexFor(std::u16string_view text) const {
  auto place = std::upper_bound(
      items_.begin(), items_.end(), text,
      [](std::u16string_view t, const ListBoxItem& e) { return compareFolded(t, e.text) < 0; });
  return static_cast<int>(place - items_.begin());
}

int ListBoxItems::findExact(std::u16string_view text, int after) const {
  int start = contains(after) ? after + 1 : 0;
  for (int step = 0; step < count(); ++step) {
    int index = (start + step) % count();
    if (compareFolded(text, items_[static_cast<std::size_t>(index)].text) == 0) {
      return index;
    }
  }
  return -1;
}

bool ListBoxItems::erase(int index) {
  if (!contains(index)) {
    return false;
  }
  items_.erase(items_.begin() + index);
  caret_ = caret_ < 0 ? caret_ : shiftedDown(caret_, index, count());
  anchor_ = anchor_ < 0 ? anchor_ : shiftedDown(anchor_, index, count());
  return true;
}

void ListBoxItems::clear() {
  items_.clear();
  caret_ = -1;
  anchor_ = -1;
}

bool ListBoxItems::setSelected(int index, bool selected) {
  if (index == -1) {
    for (ListBoxItem& item : items_) {
      item.selected = selected;
    }
    return true;
  }
  ListBoxItem* item = at(index);
  if (item == nullptr) {
    return false;
  }
  item->selected = selected;
  return true;
}

void ListBoxItems::selectOnly(int index) {
  for (int i = 0; i < count(); ++i) {
    items_[static_cast<std::size_t>(i)].selected = i == index;
  }
}

void ListBoxItems::setRange(int from, int to, bool selected) {
  int first = std::max(0, std::min(from, to));
  int last = std::min(count() - 1, std::max(from, to));
  for (int i = first; i <= last; ++i) {
    items_[static_cast<std::size_t>(i)].selected = selected;
  }
}

int ListBoxItems::selectedCount() const {
  return static_cast<int>(
      std::count_if(items_.begin(), items_.end(), [](const ListBoxItem& item) { return item.selected; }));
}

std::vector<int> ListBoxItems::selectedIndices() const {
  std::vector<int> indices;
  for (int i = 0; i < count(); ++i) {
    if (items_[static_cast<std::size_t>(i)].selected) {
      indices.push_back(i);
    }
  }
  return indices;
}

std::vector<bool> ListBoxItems::selection() const {
  std::vector<bool> flags;
  flags.reserve(items_.size());
  for (const ListBoxItem& item : items_) {
    flags.push_back(item.selected);
  }
  return flags;
}

void ListBoxItems::restore(const std::vector<bool>& selection) {
  for (std::size_t i = 0; i < items_.size() && i < selection.size(); ++i) {
    items_[i].selected = selection[i];
  }
}

}  // namespace native
