#include "framework/core/zafgeometrymanager.h"

#include <algorithm>
#include <vector>

#include "framework/core/zafwindow.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zaffile.h"
#include "framework/data/zafstrlib.h"

namespace {

// Every manager alive, so that a deleted window object can be dropped from all their constraints: a
// constraint may refer to an object that has already left its window. Never destroyed, so that objects
// deleted during the program's exit still find it.
std::vector<ZafGeometryManager*>& Managers() {
  static auto* managers = new std::vector<ZafGeometryManager*>;
  return *managers;
}

}  // namespace

ZafGeometryManager::ZafGeometryManager() : ZafWindowObject(0, 0, 0, 0) {
  MakeManager();
}

ZafGeometryManager::ZafGeometryManager(const ZafGeometryManager& other) : ZafWindowObject(other) {
  MakeManager();
  for (auto* element = other.FirstConstraint(); element;
       element = static_cast<ZafConstraint*>(element->Next())) {
    constraints.Add(element->Duplicate());
  }
}

ZafGeometryManager::ZafGeometryManager(const ZafIChar* name, ZafObjectPersistence& persistence)
    : ZafWindowObject(name, persistence, u"ZafGeometryManager", ID_ZAF_GEOMETRY_MANAGER) {
  MakeManager();
  ReadConstraints(persistence);
  LeaveReadLevel(persistence);
}

ZafGeometryManager::~ZafGeometryManager() {
  auto& managers = Managers();
  managers.erase(std::remove(managers.begin(), managers.end(), this), managers.end());
}

void ZafGeometryManager::MakeManager() {
  SetNumberID(ZAF_NUMID_GEOMETRY);
  SetStringID(u"ZAF_NUMID_GEOMETRY");
  supportObject = true;
  ownNativeWindow = false;
  nonCurrent = true;
  Managers().push_back(this);
}

ZafClassID ZafGeometryManager::ClassID() const {
  return ID_ZAF_GEOMETRY_MANAGER;
}

const ZafIChar* ZafGeometryManager::ClassName() const {
  return u"ZafGeometryManager";
}

bool ZafGeometryManager::IsA(ZafClassID id) const {
  return id == ID_ZAF_GEOMETRY_MANAGER || ZafWindowObject::IsA(id);
}

bool ZafGeometryManager::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafGeometryManager") == 0) || ZafWindowObject::IsAName(name);
}

ZafWindowObject* ZafGeometryManager::Duplicate() {
  return new ZafGeometryManager(*this);
}

bool ZafGeometryManager::SetSupportObject(bool) {
  supportObject = true;
  return true;
}

ZafEventType ZafGeometryManager::Event(const ZafEventRecord& event) {
  if (event.type != FitEvent) {
    return ZafWindowObject::Event(event);
  }
  PlaceChildren();
  return event.type;
}

void ZafGeometryManager::PlaceChildren() {
  if (!parent || !parent->IsA(ID_ZAF_WINDOW)) {
    return;
  }
  auto& window = static_cast<ZafWindow&>(*parent);
  const ZafEventRecord fit(FitEvent, 0);
  for (ZafElement* element = constraints.First(); element;) {
    // Taken first: a constraint's own handling may take it out of the manager.
    ZafElement* next = element->Next();
    auto* constraint = static_cast<ZafConstraint*>(element);
    constraint->FindObjects(window);
    if (constraint->Object() && constraint->Object()->Parent() == parent) {
      constraint->Event(fit);
    }
    element = next;
  }
}

ZafConstraint* ZafGeometryManager::AddConstraint(ZafConstraint* constraint) {
  return constraint ? static_cast<ZafConstraint*>(constraints.Add(constraint)) : nullptr;
}

ZafConstraint* ZafGeometryManager::SubtractConstraint(ZafConstraint* constraint) {
  return static_cast<ZafConstraint*>(constraints.Subtract(constraint));
}

void ZafGeometryManager::ForgetObject(const ZafWindowObject* gone) {
  for (ZafGeometryManager* manager : Managers()) {
    for (ZafElement* element = manager->constraints.First(); element; element = element->Next()) {
      static_cast<ZafConstraint*>(element)->ForgetObject(gone);
    }
  }
}

// ---- Storage ----

ZafError ZafGeometryManager::Write(ZafObjectPersistence& persistence) {
  if (BeginWrite(persistence) && persistence.Error() == ZAF_ERROR_NONE) {
    ZafFile& file = *persistence.File();
    file.WriteUInt16(static_cast<uint16_t>(constraints.Count()));
    for (auto* constraint = FirstConstraint(); constraint;
         constraint = static_cast<ZafConstraint*>(constraint->Next())) {
      constraint->Write(file);
    }
  }
  return EndWrite(persistence);
}

void ZafGeometryManager::ReadConstraints(ZafObjectPersistence& persistence) {
  ZafFile* file = persistence.File();
  if (!file || persistence.Error() != ZAF_ERROR_NONE || file->Error() != ZAF_ERROR_NONE) {
    return;
  }
  uint16_t count = 0;
  file->ReadUInt16(count);
  // Each record is read whole before the next; the first bad one ends the list, so a count larger than
  // the file holds costs nothing.
  for (uint16_t index = 0; index < count && file->Error() == ZAF_ERROR_NONE; ++index) {
    if (ZafConstraint* constraint = ZafConstraint::Read(*file)) {
      constraints.Add(constraint);
    }
  }
  if (file->Error() != ZAF_ERROR_NONE) {
    persistence.SetError(ZAF_ERROR_READ);
  }
}

ZafObjectConstructor ZafGeometryManager::ReadFunction() const {
  return &ZafGeometryManager::Read;
}

ZafWindowObject* ZafGeometryManager::Read(const ZafIChar* name, ZafObjectPersistence& persistence) {
  return new ZafGeometryManager(name, persistence);
}
