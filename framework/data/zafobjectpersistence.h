// The persistence context of window objects: the data context plus the tables a stored window refers to by
// name: window-object constructors, compare functions, user functions and user objects.
#ifndef FRAMEWORK_DATA_ZAFOBJECTPERSISTENCE_H
#define FRAMEWORK_DATA_ZAFOBJECTPERSISTENCE_H

#include "framework/data/zafdatapersistence.h"
#include "framework/data/zaflist.h"

class ZafObjectPersistence;
class ZafWindowObject;
class ZafEventRecord;

// Builds a window object from the stored object of that name.
using ZafObjectConstructor = ZafWindowObject* (*)(const ZafIChar* name, ZafObjectPersistence& persistence);
using ZafObjectConstructorEntry = ZafConstructorEntry<ZafObjectConstructor>;
// A window object's user function: (object, copy of the event, event code) → the event's result.
using ZafUserFunction = ZafLong (*)(ZafWindowObject* object, ZafEventRecord& event, ZafLong code);

// A row of a named-pointer table handed to the context; a table ends with a row without a name.
template <typename Pointer>
struct ZafNamedEntry {
  const ZafIChar* name;
  Pointer pointer;
};
using ZafCompareFunctionEntry = ZafNamedEntry<ZafCompareFunction>;
using ZafUserFunctionEntry = ZafNamedEntry<ZafUserFunction>;
using ZafUserObjectEntry = ZafNamedEntry<void*>;

class ZafObjectPersistence : public ZafDataPersistence {
 public:
  // Any table may be null.
  explicit ZafObjectPersistence(ZafFileSystem* fileSystem = nullptr,
                                const ZafDataConstructorEntry* dataConstructors = nullptr,
                                const ZafObjectConstructorEntry* objectConstructors = nullptr,
                                const ZafUserFunctionEntry* userFunctions = nullptr,
                                const ZafCompareFunctionEntry* compareFunctions = nullptr,
                                const ZafUserObjectEntry* userObjects = nullptr);
  ZafObjectPersistence(const ZafObjectPersistence& other);

  // Each Add keeps an existing row of the same name and answers false then.
  virtual bool AddCompareFunction(const ZafIChar* name, ZafCompareFunction function);
  virtual bool AddObjectConstructor(const ZafIChar* className, ZafClassID classID,
                                    ZafObjectConstructor constructor);
  virtual bool AddUserFunction(const ZafIChar* name, ZafUserFunction function);
  virtual bool AddUserObject(const ZafIChar* name, void* object);
  virtual void ClearCompareFunctions();
  virtual void ClearObjectConstructors();
  virtual void ClearUserFunctions();
  virtual void ClearUserObjects();
  // The pointer registered under the name, or null.
  virtual ZafCompareFunction CompareFunction(const ZafIChar* name) const;
  virtual ZafObjectConstructor ObjectConstructor(ZafClassID classID, const ZafIChar* className) const;
  virtual ZafUserFunction UserFunction(const ZafIChar* name) const;
  virtual void* UserObject(const ZafIChar* name) const;
  // Each replaces its table with the rows of `table` up to its end row. Returns 1.
  virtual int SetCompareFunctions(const ZafCompareFunctionEntry* table);
  virtual int SetObjectConstructors(const ZafObjectConstructorEntry* table);
  virtual int SetUserFunctions(const ZafUserFunctionEntry* table);
  virtual int SetUserObjects(const ZafUserObjectEntry* table);
  // 1 when a row went, else 0.
  virtual int SubtractCompareFunction(const ZafIChar* name);
  virtual int SubtractObjectConstructor(ZafClassID classID, const ZafIChar* className);
  virtual int SubtractUserFunction(const ZafIChar* name);
  virtual int SubtractUserObject(const ZafIChar* name);
  // The class name of a window-object row with that ID, else of a data row; null when none.
  virtual const ZafIChar* ClassNameByID(ZafClassID classID) const;
  // The name under which a pointer is registered, or null.
  virtual const ZafIChar* CompareFunctionName(ZafCompareFunction function) const;
  virtual const ZafIChar* UserFunctionName(ZafUserFunction function) const;
  virtual const ZafIChar* UserObjectName(void* object) const;

  // Also takes over the other context's window-object, compare-function, user-function and user-object rows
  // when it is an object persistence.
  void Import(ZafDataPersistence& other) override;

 protected:
  ZafClassID RegisteredClassID(const ZafIChar* className) const override;
  const ZafIChar* RegisteredClassName(ZafClassID classID) const override;

 private:
  void ImportTables(const ZafObjectPersistence& other);

  ZafRegistrationTable<ZafObjectConstructor> objectConstructors;
  ZafRegistrationTable<ZafCompareFunction> compareFunctions;
  ZafRegistrationTable<ZafUserFunction> userFunctions;
  ZafRegistrationTable<void*> userObjects;
};

#endif
