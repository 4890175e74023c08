#include "framework/data/zafobjectpersistence.h"

namespace {

template <typename Pointer>
void FillTable(ZafRegistrationTable<Pointer>& table, const ZafNamedEntry<Pointer>* rows) {
  table.Clear();
  for (; rows && rows->name; ++rows) {
    table.Add(rows->name, 0, rows->pointer);
  }
}

}  // namespace

ZafObjectPersistence::ZafObjectPersistence(ZafFileSystem* fileSystem,
                                           const ZafDataConstructorEntry* dataConstructorTable,
                                           const ZafObjectConstructorEntry* objectConstructorTable,
                                           const ZafUserFunctionEntry* userFunctionTable,
                                           const ZafCompareFunctionEntry* compareFunctionTable,
                                           const ZafUserObjectEntry* userObjectTable)
    : ZafDataPersistence(fileSystem, dataConstructorTable) {
  SetObjectConstructors(objectConstructorTable);
  SetCompareFunctions(compareFunctionTable);
  SetUserFunctions(userFunctionTable);
  SetUserObjects(userObjectTable);
}

ZafObjectPersistence::ZafObjectPersistence(const ZafObjectPersistence& other) : ZafDataPersistence(other) {
  ImportTables(other);
}

void ZafObjectPersistence::ImportTables(const ZafObjectPersistence& other) {
  other.objectConstructors.ForEach(
      [this](const ZafIChar* name, ZafClassID classID, ZafObjectConstructor function) {
        AddObjectConstructor(name, classID, function);
      });
  other.compareFunctions.ForEach([this](const ZafIChar* name, ZafClassID, ZafCompareFunction function) {
    AddCompareFunction(name, function);
  });
  other.userFunctions.ForEach([this](const ZafIChar* name, ZafClassID, ZafUserFunction function) {
    AddUserFunction(name, function);
  });
  other.userObjects.ForEach(
      [this](const ZafIChar* name, ZafClassID, void* object) { AddUserObject(name, object); });
}

void ZafObjectPersistence::Import(ZafDataPersistence& other) {
  ZafDataPersistence::Import(other);
  if (const auto* objectPersistence = dynamic_cast<const ZafObjectPersistence*>(&other)) {
    ImportTables(*objectPersistence);
  }
}

bool ZafObjectPersistence::AddCompareFunction(const ZafIChar* name, ZafCompareFunction function) {
  return compareFunctions.Add(name, 0, function);
}

bool ZafObjectPersistence::AddObjectConstructor(const ZafIChar* className, ZafClassID classID,
                                                ZafObjectConstructor constructor) {
  return objectConstructors.Add(className, classID, constructor);
}

bool ZafObjectPersistence::AddUserFunction(const ZafIChar* name, ZafUserFunction function) {
  return userFunctions.Add(name, 0, function);
}

bool ZafObjectPersistence::AddUserObject(const ZafIChar* name, void* object) {
  return userObjects.Add(name, 0, object);
}

void ZafObjectPersistence::ClearCompareFunctions() {
  compareFunctions.Clear();
}

void ZafObjectPersistence::ClearObjectConstructors() {
  objectConstructors.Clear();
}

void ZafObjectPersistence::ClearUserFunctions() {
  userFunctions.Clear();
}

void ZafObjectPersistence::ClearUserObjects() {
  userObjects.Clear();
}

ZafCompareFunction ZafObjectPersistence::CompareFunction(const ZafIChar* name) const {
  return compareFunctions.Find(name);
}

ZafObjectConstructor ZafObjectPersistence::ObjectConstructor(ZafClassID classID,
                                                             const ZafIChar* className) const {
  return objectConstructors.Find(classID, className);
}

ZafUserFunction ZafObjectPersistence::UserFunction(const ZafIChar* name) const {
  return userFunctions.Find(name);
}

void* ZafObjectPersistence::UserObject(const ZafIChar* name) const {
  return userObjects.Find(name);
}

int ZafObjectPersistence::SetCompareFunctions(const ZafCompareFunctionEntry* table) {
  FillTable(compareFunctions, table);
  return 1;
}

int ZafObjectPersistence::SetObjectConstructors(const ZafObjectConstructorEntry* table) {
  ClearObjectConstructors();
  for (; table && table->classID != ZAF_END_OF_TABLE; ++table) {
    AddObjectConstructor(table->className, table->classID, table->constructor);
  }
  return 1;
}

int ZafObjectPersistence::SetUserFunctions(const ZafUserFunctionEntry* table) {
  FillTable(userFunctions, table);
  return 1;
}

int ZafObjectPersistence::SetUserObjects(const ZafUserObjectEntry* table) {
  FillTable(userObjects, table);
  return 1;
}

int ZafObjectPersistence::SubtractCompareFunction(const ZafIChar* name) {
  return compareFunctions.Subtract(0, name) ? 1 : 0;
}

int ZafObjectPersistence::SubtractObjectConstructor(ZafClassID classID, const ZafIChar* className) {
  return objectConstructors.Subtract(classID, className) ? 1 : 0;
}

int ZafObjectPersistence::SubtractUserFunction(const ZafIChar* name) {
  return userFunctions.Subtract(0, name) ? 1 : 0;
}

int ZafObjectPersistence::SubtractUserObject(const ZafIChar* name) {
  return userObjects.Subtract(0, name) ? 1 : 0;
}

const ZafIChar* ZafObjectPersistence::ClassNameByID(ZafClassID classID) const {
  return RegisteredClassName(classID);
}

const ZafIChar* ZafObjectPersistence::CompareFunctionName(ZafCompareFunction function) const {
  return compareFunctions.NameOfPointer(function);
}

const ZafIChar* ZafObjectPersistence::UserFunctionName(ZafUserFunction function) const {
  return userFunctions.NameOfPointer(function);
}

const ZafIChar* ZafObjectPersistence::UserObjectName(void* object) const {
  return userObjects.NameOfPointer(object);
}

ZafClassID ZafObjectPersistence::RegisteredClassID(const ZafIChar* className) const {
  const ZafClassID id = objectConstructors.ClassIDOf(className);
  return id != 0 ? id : ZafDataPersistence::RegisteredClassID(className);
}

const ZafIChar* ZafObjectPersistence::RegisteredClassName(ZafClassID classID) const {
  const ZafIChar* name = objectConstructors.NameOf(classID);
  return name ? name : ZafDataPersistence::RegisteredClassName(classID);
}
