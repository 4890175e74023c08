#pragma once
// The result list of a leg: its results in the order they were made, the results views that windows show
// it through (the first serves the results window), a change counter that readers on other threads compare
// with the value they last saw, and the false-start rule.

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/klist.h"
#include "foundation/kmessage.h"
#include "foundation/kstring.h"
#include "model/qvresult.h"
#include "model/qvresultsview.h"

class QvEvent;

class QvResults : public KMessageObject {
 public:
  // More results than this make no leg; a file claiming more is damaged.
  static constexpr int32_t kMaxResults = 100;
  static constexpr int32_t kMaxViews = 16;
  // Reaction times below this are false starts.
  static constexpr int64_t kFalseStartLimit = 100 * YTime::kUnitsPerMillisecond;
  // Two main times closer than this (0.01 s) are too close to tell apart on an image.
  static constexpr int64_t kCloseUnits = 800;
  static constexpr uint16_t kVersion = 1;

  explicit QvResults(KMessageObject* owner = nullptr);

  const KString& Name() const { return name; }
  void SetName(const KString& text) { name = text; }

  // The number of results a filter shows (every filter shows every result).
  int32_t Count(const QvResultFilter* filter = nullptr) const;
  // The result at `row` in the order of `sortKey` (kOwnOrder: the filter's; a null filter: list order);
  // null outside the list.
  QvResult* GetNth(int32_t row, const QvResultFilter* filter, int32_t unused = 0,
                   int32_t sortKey = QvResultFilter::kOwnOrder) const;
  // The result after `result` (null: the first) in that order; null at the end or for a stranger.
  QvResult* Iterate(const QvResult* result, const QvResultFilter* filter, int32_t unused = 0,
                    int32_t sortKey = QvResultFilter::kOwnOrder) const;
  // The row of `result` in that order; -1 when it is not in the list.
  int32_t IterateSorted(const QvResult* result, const QvResultFilter* filter, int32_t unused = 0,
                        int32_t sortKey = QvResultFilter::kOwnOrder) const;
  // In list order: the result before `result`, the last for null; null before the first.
  QvResult* Previous(const QvResult* result) const;
  // The result after `result` (null: the first) in the order of a sort key.
  QvResult* NextInOrder(const QvResult* result, int32_t sortKey) const;

  // The first result whose athlete field equals the text; null when none does.
  QvResult* FindByField(int32_t field, const KString& text, int32_t unused = 0) const;
  // Makes a result, appends it and returns it; null when the list is full.
  QvResult* NewResult();

  // The result whose main time is nearest to the time; null when no result has one.
  QvResult* FindAroundTime(const YTime& time) const;
  // True when a result other than `result` has a main time within 0.01 s of the time.
  bool IsTimeClose(const QvResult* result, const YTime& time) const;
  // The next result after `result` (null: from the first) selected for the image in the view.
  QvResult* FindNextMatching(const QvResult* result, const KListItem* image,
                             const QvResultFilter* view) const;
  void SelectAll(bool on, const KListItem* image, const QvResultFilter* view);
  // True when the results with a main time stand in the order of their main times.
  bool IsSorted() const;

  // Every view passes the result to its window, which redraws its row.
  void ForEach(QvResult& result) const;
  // Marks false starts: every result with a reaction time below 100 ms (negative ones too) is a false start,
  // charged unless another result has a lower reaction time, so equal lowest times are all charged; the
  // other results with a reaction time lose both marks, results without one are left alone. A lane not in
  // use (status 7) takes no part and is never marked.
  void MarkFalseStarts();

  // The event that owns the list through its leg; null for a free list.
  QvEvent* GetEvent() const;
  // Moves every time a result of the list changes; safe to read from any thread.
  uint32_t ChangeCount() const { return changeCount.load(std::memory_order_acquire); }

  int32_t ViewCount() const { return static_cast<int32_t>(views.size()); }
  QvResultsView* View(int32_t index) const;

  // Passes a message about the list to its views and counts the changes; a result of the list that moves
  // into or out of "not in use" runs the false-start rule once its status is changed.
  void Deliver(const KMessage& message);
  // As the root of its chain (a free list), the list delivers its own messages.
  int32_t Receive(KMessage& message) override;

  // The name, the view states and the results.
  void Write(KStream& stream) const;
  void Read(KStream& stream);
  bool SameContents(const QvResults& other) const;

 private:
  // The results in the order of a sort key.
  std::vector<QvResult*> Ordered(const QvResultFilter* filter, int32_t sortKey) const;
  // Whether a lane is in use decides whether its time takes part in the false-start rule: a lane given up
  // or given back changes the charge of its whole race at once.
  void FollowLaneUse(const KMessage& message);

  KString name;
  KList results;
  std::vector<std::unique_ptr<QvResultsView>> views;
  std::atomic<uint32_t> changeCount{0};
  // Set by the notice before a status change that gives a lane up or back, taken by the notice after it.
  bool laneUseChanging = false;
};
