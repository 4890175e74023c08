// The data objects that the program's windows share by name: the manager keeps each one it is given until
// it is taken back, and deletes those still held when the framework shuts down. One manager is the shared
// one at a time.
#ifndef FRAMEWORK_CORE_ZAFDATAMANAGER_H
#define FRAMEWORK_CORE_ZAFDATAMANAGER_H

#include "framework/data/zaflist.h"
#include "framework/data/zaftypes.h"

class ZafData;

class ZafDataManager {
 public:
  // Becomes the shared manager.
  ZafDataManager();
  ZafDataManager(const ZafDataManager&) = delete;
  ZafDataManager& operator=(const ZafDataManager&) = delete;
  // Deletes the data still held and stops being the shared manager.
  ~ZafDataManager();

  // The manager owns the data from now on; data already in a list is refused (null).
  ZafData* Add(ZafData* data);
  // Gives the data back to the caller without deleting it; null when the manager does not hold it.
  ZafData* Subtract(ZafData* data);
  // The first data held under that string ID, or null.
  ZafData* Get(const ZafIChar* name) const;

  // The shared manager, or null when the framework has none.
  static ZafDataManager* DataManager() { return dataManager; }

 private:
  ZafList data;
  static ZafDataManager* dataManager;
};

#endif
