// The observer list of one data object. Window objects that show a data object register here; when the data
// object finishes a change the list calls their update functions. The same list tells whether anybody still
// uses a shared data object, which decides who deletes it.
//
// Delivery is safe against what observers do meanwhile: an observer may subtract itself or others, add rows
// or delete the data object from inside its update function. Rows subtracted during a delivery are no longer
// called, rows added during it wait for the next one, and a deleted list ends the delivery at once.
#ifndef FRAMEWORK_DATA_ZAFNOTIFICATION_H
#define FRAMEWORK_DATA_ZAFNOTIFICATION_H

#include <memory>

#include "framework/data/zaftypes.h"

class ZafElement;

// The kinds of notification: 1 asks the observers to put what they show into the data object, 2 tells them
// that the value changed. A row's data word is a mask of the kinds it wants (bit 0 kind 1, bit 1 kind 2).
using ZafUpdateType = int;
inline constexpr ZafUpdateType ZAF_UPDATE_DATA = 1;
inline constexpr ZafUpdateType ZAF_UPDATE_OBJECTS = 2;
inline constexpr ZafULong ZAF_UPDATE_ALL = 3;
// Told to every observer, whatever kinds it wants, when the data object is being deleted: it must let go.
inline constexpr ZafUpdateType ZAF_UPDATE_RELEASED = 3;

// Called with the observing object and the kind; the list ignores the result.
using ZafUpdateFunction = ZafLong (*)(ZafElement* object, ZafUpdateType kind);

class ZafNotification {
 public:
  ZafNotification() = default;
  ZafNotification(const ZafNotification&) = delete;
  ZafNotification& operator=(const ZafNotification&) = delete;
  virtual ~ZafNotification();

  // Bit 0 opens kind 1, bit 1 kind 2. Returns the state stored.
  virtual ZafULong SetState(ZafULong state);
  // Sets the data word of the object's first row; 0 when it has none.
  virtual ZafULong SetData(ZafElement* object, ZafULong data);

  // Appends a row unless one with the same object and function exists. Returns the object.
  ZafElement* Add(ZafElement* object, ZafUpdateFunction function, ZafULong data);
  // Removes the object's first row with that function (any function when null).
  void Subtract(ZafElement* object, ZafUpdateFunction function);
  int Count() const { return live; }
  // The data word of the object's first row; 0 when none.
  ZafULong Data(ZafElement* object) const;
  void Reset();
  ZafULong State() const { return state; }
  // Rows the current table has room for, its end row included (0 without a table). The table starts with 5
  // and grows by 5 whenever a row is added while the rows in use plus one make a multiple of 5.
  int TableSize() const { return tableSize; }

  // Deliver kind 2 or kind 1, to every row or only to the rows of `object`. 1 when nothing could be
  // delivered (no table, or the kind closed), else 0. A kind raised again while it is being delivered is
  // dropped.
  int UpdateObjects(ZafElement* object = nullptr);
  int UpdateData(ZafElement* object = nullptr);
  // Empties the list, then tells each observer it had that the object goes away (ZAF_UPDATE_RELEASED).
  void ReleaseObservers();

 private:
  struct Row {
    ZafElement* object = nullptr;
    ZafUpdateFunction function = nullptr;
    ZafULong data = 0;
    // Subtracted while a delivery was running; taken out when the last delivery ends.
    bool removed = false;
  };
  // One per delivery in progress, innermost first, so that the destructor can tell each of them.
  struct Delivery {
    Delivery* outer;
    bool listDeleted = false;
  };

  int Deliver(ZafUpdateType kind, ZafElement* object);
  Row* FindRow(ZafElement* object, ZafUpdateFunction function, bool anyFunction) const;
  void RemoveRow(int index);
  void Compact();
  void FreeTable();

  ZafULong state = ZAF_UPDATE_ALL;
  std::unique_ptr<Row[]> rows;
  int tableSize = 0;
  // Rows in the table, removed ones included; `live` counts the others.
  int used = 0;
  int live = 0;
  Delivery* deliveries = nullptr;
};

#endif
