// The base of every data object: a value that window objects show and observe. It carries an error word, a
// change counter and the flag that lets the window objects using it delete it when the last of them lets go.
// Every change is bracketed by BeginChange and EndChange, so that observers hear of it once, at the end of
// the outermost change.
#ifndef FRAMEWORK_DATA_ZAFDATA_H
#define FRAMEWORK_DATA_ZAFDATA_H

#include "framework/data/zafelement.h"
#include "framework/data/zafnotification.h"

class ZafData;
class ZafDataPersistence;

// Builds a data object from the stored object of that name.
using ZafDataConstructor = ZafData* (*)(const ZafIChar* name, ZafDataPersistence& persistence);

class ZafData : public ZafElement, public ZafNotification {
 public:
  ZafData() = default;
  // Copies the IDs; the copy has no observers, error 0, no change under way, and is destroyable.
  ZafData(const ZafData& other);
  // The start of a data object read from storage under `name`; the derived class reads its fields.
  explicit ZafData(const ZafIChar* name);
  ZafData& operator=(const ZafData&) = delete;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;

  // A new object of the same class and value (delete it).
  virtual ZafData* Duplicate() = 0;
  // Enters a persistence level under the object's class name and ID and opens its object file for writing;
  // the class then writes its fields into persistence.File(), and the caller leaves the level with
  // PopLevel. Returns the persistence error.
  virtual ZafError Write(ZafDataPersistence& persistence);
  // This object when its number ID, or its string ID, is the one asked for; else null.
  virtual ZafData* FindObject(ZafNumberID numberID);
  virtual ZafData* FindObjectByName(const ZafIChar* name);
  virtual ZafData* FindObjectByNarrowName(const char* name);
  // Back to the class's empty value.
  virtual void Clear() = 0;
  // The function that builds an object of this class from storage, for the persistence's constructor
  // tables; null for a class whose objects are not read on their own.
  virtual ZafDataConstructor ReadFunction() const;

  // Raises the change counter; returns it.
  int BeginChange();
  // Lowers the counter (never below 0); when it falls from 1 to 0 and `notify` is set, tells every observer
  // (kind 2). Returns the counter.
  int EndChange(bool notify = true);
  int ChangeCount() const { return changeCount; }

  ZafError Error() const { return error; }
  // Stores the error; returns it (0 clears).
  ZafError SetError(ZafError value);

  bool Destroyable() const { return destroyable; }
  bool SetDestroyable(bool value);

 protected:
  // The storage type of the class's stored objects (3, inside another object, unless a class says so).
  virtual int StorageType() const;

  // For the constructors from storage: enters the level of the stored object and opens its file for
  // reading. Returns `name`, so that a class whose base reads the first part of the record can call it in
  // the base's initialiser.
  static const ZafIChar* EnterReadLevel(const ZafIChar* name, ZafDataPersistence& persistence,
                                        const ZafIChar* className, ZafClassID classID, int storageType);
  // Leaves that level. The error of opening, else `readError`, becomes the object's error.
  void LeaveReadLevel(ZafDataPersistence& persistence, ZafError readError);
  // Copies the context's error after a Write into the object and returns it.
  ZafError FinishWrite(ZafDataPersistence& persistence);

 private:
  ZafError error = ZAF_ERROR_NONE;
  int changeCount = 0;
  bool destroyable = true;
};

#endif
