#include "framework/core/zafconstraint.h"

#include <algorithm>
#include <memory>

#include "framework/core/zafattachment.h"
#include "framework/core/zafdimensionconstraint.h"
#include "framework/core/zafrelativeconstraint.h"
#include "framework/core/zafwindow.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zaffile.h"

ZafConstraint::ZafConstraint(ZafWindowObject* object) : object(object) {}

ZafConstraint::ZafConstraint(const ZafConstraint& other)
    : ZafElement(other),
      object(nullptr),
      objectName(other.object ? NameOf(other.object) : other.objectName) {}

ZafClassID ZafConstraint::ClassID() const {
  return ID_ZAF_CONSTRAINT;
}

const ZafIChar* ZafConstraint::ClassName() const {
  return u"ZafConstraint";
}

bool ZafConstraint::IsA(ZafClassID id) const {
  return id == ID_ZAF_CONSTRAINT || ZafElement::IsA(id);
}

ZafWindowObject* ZafConstraint::SetObject(ZafWindowObject* newObject) {
  object = newObject;
  objectName.clear();
  return object;
}

ZafEventType ZafConstraint::Event(const ZafEventRecord& event) {
  if (event.type != FitEvent) {
    return UnknownEventResult;
  }
  ZafWindowObject* window = object ? object->Parent() : nullptr;
  if (!window || !window->IsA(ID_ZAF_WINDOW)) {
    return 0;
  }
  ZafRegionStruct area = window->ClientRegion(object);
  window->ConvertRegion(area, ZAF_PIXEL);
  ZafRegionStruct region = object->Region();
  object->ConvertRegion(region, ZAF_PIXEL);
  if (!Place(region, area)) {
    return 0;
  }
  object->SetRegion(region);
  return FitEvent;
}

void ZafConstraint::ForgetObject(const ZafWindowObject* gone) {
  if (object == gone) {
    object = nullptr;
  }
}

void ZafConstraint::FindObjects(ZafWindow& window) {
  if (!object && !objectName.empty()) {
    object = FindChild(window, objectName);
  }
}

std::u16string ZafConstraint::NameOf(ZafWindowObject* named) {
  return named ? named->StorageName() : std::u16string();
}

ZafWindowObject* ZafConstraint::FindChild(ZafWindow& window, std::u16string& name) {
  ZafWindowObject* found = nullptr;
  for (ZafElement* element = window.First(); element && !found; element = element->Next()) {
    auto* child = static_cast<ZafWindowObject*>(element);
    if (child->StorageName() == name) {
      found = child;
    }
  }
  name.clear();
  return found;
}

int32_t ZafConstraint::Edge(const ZafRegionStruct& region, int32_t side) {
  switch (side) {
    case ZAF_SIDE_LEFT:
      return region.left;
    case ZAF_SIDE_TOP:
      return region.top;
    case ZAF_SIDE_RIGHT:
      return region.right;
    default:
      return region.bottom;
  }
}

int32_t ZafConstraint::Bounded(int64_t coordinate) {
  return static_cast<int32_t>(std::clamp<int64_t>(coordinate, -ZAF_COORDINATE_LIMIT, ZAF_COORDINATE_LIMIT));
}

void ZafConstraint::MoveEdge(ZafRegionStruct& region, int32_t side, int64_t position, bool stretch) {
  const bool horizontal = side == ZAF_SIDE_LEFT || side == ZAF_SIDE_RIGHT;
  int32_t& low = horizontal ? region.left : region.top;
  int32_t& high = horizontal ? region.right : region.bottom;
  const bool lowSide = side == ZAF_SIDE_LEFT || side == ZAF_SIDE_TOP;
  const int32_t target = Bounded(position);
  if (!stretch) {
    const int32_t size = high - low;
    low = lowSide ? target : Bounded(int64_t{target} - size);
    high = Bounded(int64_t{low} + size);
  } else if (lowSide) {
    // An edge pulled past the opposite one leaves an empty object, never a negative size.
    low = std::min(target, high + 1);
  } else {
    high = std::max(target, low - 1);
  }
}

void ZafConstraint::Write(ZafFile& file) const {
  file.WriteUInt16(static_cast<uint16_t>(ClassID()));
  const std::u16string name = object ? NameOf(object) : objectName;
  file.WriteString(name.c_str());
  WriteFields(file);
}

ZafConstraint* ZafConstraint::Read(ZafFile& file) {
  uint16_t classID = 0;
  ZafIChar* text = nullptr;
  if (file.ReadUInt16(classID) != 2 || file.ReadString(text) < 0) {
    return nullptr;
  }
  const std::unique_ptr<ZafIChar[]> name(text);
  std::unique_ptr<ZafConstraint> constraint;
  switch (classID) {
    case ID_ZAF_ATTACHMENT:
      constraint = std::make_unique<ZafAttachment>(nullptr, nullptr, ZAF_SIDE_LEFT, 0);
      break;
    case ID_ZAF_DIMENSION_CONSTRAINT:
      constraint = std::make_unique<ZafDimensionConstraint>(nullptr, ZAF_DIMENSION_WIDTH);
      break;
    case ID_ZAF_RELATIVE_CONSTRAINT:
      constraint = std::make_unique<ZafRelativeConstraint>(nullptr, ZAF_SIDE_LEFT, 0);
      break;
    default:
      file.SetError(ZAF_ERROR_READ);
      return nullptr;
  }
  if (!constraint->ReadFields(file) || file.Error() != ZAF_ERROR_NONE) {
    file.SetError(ZAF_ERROR_READ);
    return nullptr;
  }
  constraint->objectName = name ? name.get() : u"";
  return constraint.release();
}
