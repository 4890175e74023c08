#include "model/qvresults.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "foundation/kpersistent.h"
#include "foundation/kstream.h"
#include "foundation/kx.h"
#include "model/qvchange.h"
#include "model/qvnotification.h"
#include "model/yleg.h"

QvResults::QvResults(KMessageObject* owner) : KMessageObject(owner), name(u"Results") {
  views.push_back(std::make_unique<QvResultsView>(this));
}

int32_t QvResults::Count(const QvResultFilter* filter) const {
  (void)filter;
  return results.Count();
}

std::vector<QvResult*> QvResults::Ordered(const QvResultFilter* filter, int32_t sortKey) const {
  std::vector<QvResult*> ordered;
  ordered.reserve(static_cast<size_t>(results.Count()));
  for (KListItem* item = results.Next(nullptr); item != nullptr; item = results.Next(item)) {
    ordered.push_back(static_cast<QvResult*>(item));
  }
  if (filter == nullptr && sortKey == QvResultFilter::kOwnOrder) {
    return ordered;
  }
  // A list without a filter still orders by an explicit key through the first view's rules. The sort is
  // stable, so equivalent results keep their list order.
  const QvResultFilter& rules = filter != nullptr ? *filter : *views.front();
  std::stable_sort(ordered.begin(), ordered.end(),
                   [&](const QvResult* a, const QvResult* b) { return rules.Compare(*a, *b, sortKey) < 0; });
  return ordered;
}

QvResult* QvResults::GetNth(int32_t row, const QvResultFilter* filter, int32_t unused,
                            int32_t sortKey) const {
  (void)unused;
  if (row < 0 || row >= results.Count()) {
    return nullptr;
  }
  return Ordered(filter, sortKey)[static_cast<size_t>(row)];
}

QvResult* QvResults::Iterate(const QvResult* result, const QvResultFilter* filter, int32_t unused,
                             int32_t sortKey) const {
  (void)unused;
  const std::vector<QvResult*> ordered = Ordered(filter, sortKey);
  if (result == nullptr) {
    return ordered.empty() ? nullptr : ordered.front();
  }
  const auto found = std::find(ordered.begin(), ordered.end(), result);
  return found == ordered.end() || found + 1 == ordered.end() ? nullptr : *(found + 1);
}

int32_t QvResults::IterateSorted(const QvResult* result, const QvResultFilter* filter, int32_t unused,
                                 int32_t sortKey) const {
  (void)unused;
  const std::vector<QvResult*> ordered = Ordered(filter, sortKey);
  const auto found = std::find(ordered.begin(), ordered.end(), result);
  return found == ordered.end() ? -1 : static_cast<int32_t>(found - ordered.begin());
}

QvResult* QvResults::Previous(const QvResult* result) const {
  if (result != nullptr && result->OwnerList() != &results) {
    return nullptr;
  }
  return static_cast<QvResult*>(results.Prev(result));
}

QvResult* QvResults::NextInOrder(const QvResult* result, int32_t sortKey) const {
  return Iterate(result, nullptr, 0, sortKey);
}

QvResult* QvResults::FindByField(int32_t field, const KString& text, int32_t unused) const {
  (void)unused;
  for (KListItem* item = results.Next(nullptr); item != nullptr; item = results.Next(item)) {
    QvResult* result = static_cast<QvResult*>(item);
    if (result->AthleteField(field) == text) {
      return result;
    }
  }
  return nullptr;
}

QvResult* QvResults::NewResult() {
  if (results.Count() >= kMaxResults) {
    return nullptr;
  }
  QvChange change(this, kQvResultAdded);
  auto* result = new QvResult(this);
  results.Add(result);
  return result;
}

QvResult* QvResults::FindAroundTime(const YTime& time) const {
  QvResult* nearest = nullptr;
  int64_t nearestDistance = 0;
  for (KListItem* item = results.Next(nullptr); item != nullptr; item = results.Next(item)) {
    QvResult* result = static_cast<QvResult*>(item);
    const YTime& main = result->GetMainTime(nullptr);
    if (!main.HasResolution()) {
      continue;
    }
    const int64_t distance = std::abs(main.Units() - time.Units());
    if (nearest == nullptr || distance < nearestDistance) {
      nearest = result;
      nearestDistance = distance;
    }
  }
  return nearest;
}

bool QvResults::IsTimeClose(const QvResult* result, const YTime& time) const {
  for (KListItem* item = results.Next(nullptr); item != nullptr; item = results.Next(item)) {
    const QvResult* other = static_cast<const QvResult*>(item);
    const YTime& main = other->GetMainTime(nullptr);
    if (other != result && main.HasResolution() && std::abs(main.Units() - time.Units()) < kCloseUnits) {
      return true;
    }
  }
  return false;
}

QvResult* QvResults::FindNextMatching(const QvResult* result, const KListItem* image,
                                      const QvResultFilter* view) const {
  if (result != nullptr && result->OwnerList() != &results) {
    return nullptr;
  }
  for (KListItem* item = results.Next(result); item != nullptr; item = results.Next(item)) {
    QvResult* candidate = static_cast<QvResult*>(item);
    if (candidate->IsSelected(image, view)) {
      return candidate;
    }
  }
  return nullptr;
}

void QvResults::SelectAll(bool on, const KListItem* image, const QvResultFilter* view) {
  for (KListItem* item = results.Next(nullptr); item != nullptr; item = results.Next(item)) {
    static_cast<QvResult*>(item)->SetSelected(on, image, view);
  }
}

bool QvResults::IsSorted() const {
  const YTime* previous = nullptr;
  for (KListItem* item = results.Next(nullptr); item != nullptr; item = results.Next(item)) {
    const YTime& main = static_cast<const QvResult*>(item)->GetMainTime(nullptr);
    if (!main.HasResolution()) {
      continue;
    }
    if (previous != nullptr && main < *previous) {
      return false;
    }
    previous = &main;
  }
  return true;
}

void QvResults::ForEach(QvResult& result) const {
  for (const auto& view : views) {
    view->ShowResult(result);
  }
}

void QvResults::MarkFalseStarts() {
  // A lane not in use has no competitor: its time (one read from an older file, or taken before the lane
  // was given up) charges nobody and keeps nobody from the charge.
  const auto competing = [](const QvResult& result) {
    return !result.IsStatus7() && result.GetReactionTime().HasResolution();
  };
  const YTime* lowest = nullptr;
  for (KListItem* item = results.Next(nullptr); item != nullptr; item = results.Next(item)) {
    const QvResult& result = *static_cast<const QvResult*>(item);
    if (competing(result) && (lowest == nullptr || result.GetReactionTime().Units() < lowest->Units())) {
      lowest = &result.GetReactionTime();
    }
  }
  for (KListItem* item = results.Next(nullptr); item != nullptr; item = results.Next(item)) {
    QvResult* result = static_cast<QvResult*>(item);
    if (result->IsStatus7()) {
      result->SetFalseStart(false);
      result->SetFalseStartCharged(false);
      continue;
    }
    if (!competing(*result)) {
      continue;
    }
    const int64_t units = result->GetReactionTime().Units();
    const bool falseStart = units < kFalseStartLimit;
    result->SetFalseStart(falseStart);
    result->SetFalseStartCharged(falseStart && units == lowest->Units());
  }
}

QvEvent* QvResults::GetEvent() const {
  const auto* leg = dynamic_cast<const YLeg*>(Owner());
  return leg != nullptr ? leg->GetEvent() : nullptr;
}

QvResultsView* QvResults::View(int32_t index) const {
  return index >= 0 && index < ViewCount() ? views[static_cast<size_t>(index)].get() : nullptr;
}

void QvResults::Deliver(const KMessage& message) {
  if ((message.code & KMessage::kAfter) != 0) {
    changeCount.fetch_add(1, std::memory_order_acq_rel);
  }
  for (const auto& view : views) {
    view->Deliver(message);
  }
  FollowLaneUse(message);
}

void QvResults::FollowLaneUse(const KMessage& message) {
  if ((message.code & KMessage::kWhatMask) != kQvResultStatus) {
    return;
  }
  const auto* result = dynamic_cast<const QvResult*>(message.sender);
  if (result == nullptr || result->Owner() != this) {
    return;
  }
  // Before the change the result still has its old status; the message carries the new one.
  if ((message.code & KMessage::kBefore) != 0) {
    laneUseChanging = result->IsStatus7() != (message.argument == QvResult::kLaneNotUsed);
  } else if ((message.code & KMessage::kAfter) != 0 && std::exchange(laneUseChanging, false)) {
    MarkFalseStarts();
  }
}

int32_t QvResults::Receive(KMessage& message) {
  Deliver(message);
  return 0;
}

void QvResults::Write(KStream& stream) const {
  KPersistent::WriteVersion(stream, KPersistent::kFamilyModel, kVersion);
  name.Write(stream);
  stream.WriteInt32(ViewCount());
  for (const auto& view : views) {
    stream.WriteInt32(view->GetSortKey());
    view->GetRange1().Write(stream);
    view->GetRange2().Write(stream);
  }
  results.Write(stream);
}

void QvResults::Read(KStream& stream) {
  KPersistent::ReadVersion(stream, KPersistent::kFamilyModel, kVersion, kVersion);
  KString newName;
  newName.Read(stream);
  // A view state is a sort key and two points: 20 bytes.
  const int32_t viewCount = KPersistent::ReadCount(stream, 20, kMaxViews);
  if (viewCount < 1) {
    throw KXPersistent(kErrFileContents);
  }
  std::vector<std::unique_ptr<QvResultsView>> newViews;
  for (int32_t i = 0; i < viewCount; ++i) {
    auto view = std::make_unique<QvResultsView>(this);
    view->SetSortKey(stream.ReadInt32());
    KPoint range;
    range.Read(stream);
    view->SetRange1(range);
    range.Read(stream);
    view->SetRange2(range);
    newViews.push_back(std::move(view));
  }
  KList newResults;
  newResults.Read(
      stream, [this] { return new QvResult(this); }, kMaxResults);
  name = newName;
  views = std::move(newViews);
  results.Clear();
  results.TakeAll(newResults);
}

bool QvResults::SameContents(const QvResults& other) const {
  if (!(name == other.name) || results.Count() != other.results.Count() || ViewCount() != other.ViewCount()) {
    return false;
  }
  for (int32_t i = 0; i < ViewCount(); ++i) {
    const QvResultsView& a = *views[static_cast<size_t>(i)];
    const QvResultsView& b = *other.views[static_cast<size_t>(i)];
    if (a.GetSortKey() != b.GetSortKey() || a.GetRange1() != b.GetRange1() ||
        a.GetRange2() != b.GetRange2()) {
      return false;
    }
  }
  for (int32_t i = 0; i < results.Count(); ++i) {
    if (!static_cast<QvResult*>(results.Item(i))
             ->SameContents(*static_cast<QvResult*>(other.results.Item(i)))) {
      return false;
    }
  }
  return true;
}
