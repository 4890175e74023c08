#include "framework/core/zafattachment.h"

#include <memory>

#include "framework/core/zafwindow.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zaffile.h"

namespace {

// Bits of the stored options byte.
constexpr uint8_t kFacing = 0x01;
constexpr uint8_t kStretch = 0x02;

}  // namespace

ZafAttachment::ZafAttachment(ZafWindowObject* object, ZafWindowObject* reference, int32_t side,
                             int32_t offset)
    : ZafConstraint(object),
      reference(reference),
      toSibling(reference != nullptr),
      side(ValidSide(side) ? side : ZAF_SIDE_LEFT),
      offset(offset) {}

ZafAttachment::ZafAttachment(const ZafAttachment& other)
    : ZafConstraint(other),
      reference(nullptr),
      toSibling(other.toSibling),
      referenceName(other.reference ? NameOf(other.reference) : other.referenceName),
      side(other.side),
      offset(other.offset),
      facing(other.facing),
      stretch(other.stretch) {}

ZafClassID ZafAttachment::ClassID() const {
  return ID_ZAF_ATTACHMENT;
}

const ZafIChar* ZafAttachment::ClassName() const {
  return u"ZafAttachment";
}

bool ZafAttachment::IsA(ZafClassID id) const {
  return id == ID_ZAF_ATTACHMENT || ZafConstraint::IsA(id);
}

ZafConstraint* ZafAttachment::Duplicate() const {
  return new ZafAttachment(*this);
}

ZafWindowObject* ZafAttachment::SetReference(ZafWindowObject* newReference) {
  reference = newReference;
  toSibling = newReference != nullptr;
  referenceName.clear();
  return reference;
}

int32_t ZafAttachment::SetSide(int32_t newSide) {
  if (ValidSide(newSide)) {
    side = newSide;
  }
  return side;
}

int32_t ZafAttachment::SetOffset(int32_t newOffset) {
  offset = newOffset;
  return offset;
}

bool ZafAttachment::SetFacing(bool flag) {
  facing = flag;
  return facing;
}

bool ZafAttachment::SetStretch(bool flag) {
  stretch = flag;
  return stretch;
}

void ZafAttachment::ForgetObject(const ZafWindowObject* gone) {
  ZafConstraint::ForgetObject(gone);
  if (reference == gone) {
    reference = nullptr;
  }
}

void ZafAttachment::FindObjects(ZafWindow& window) {
  ZafConstraint::FindObjects(window);
  if (toSibling && !reference && !referenceName.empty()) {
    reference = FindChild(window, referenceName);
  }
}

bool ZafAttachment::Place(ZafRegionStruct& region, const ZafRegionStruct& area) {
  const bool lowSide = side == ZAF_SIDE_LEFT || side == ZAF_SIDE_TOP;
  int64_t edge = 0;
  if (!toSibling) {
    edge = Edge(area, side);
  } else {
    if (!reference || reference == Object() || reference->Parent() != Object()->Parent()) {
      return false;
    }
    ZafRegionStruct sibling = reference->Region();
    reference->ConvertRegion(sibling, ZAF_PIXEL);
    if (!facing) {
      edge = Edge(sibling, side);
    } else {
      // The sibling's opposite side, one pixel beyond it.
      const int32_t opposite = (side + 2) % 4;
      edge = int64_t{Edge(sibling, opposite)} + (lowSide ? 1 : -1);
    }
  }
  MoveEdge(region, side, edge + (lowSide ? offset : -int64_t{offset}), stretch);
  return true;
}

void ZafAttachment::WriteFields(ZafFile& file) const {
  const std::u16string name = reference ? NameOf(reference) : referenceName;
  file.WriteString(toSibling ? name.c_str() : nullptr);
  file.WriteInt32(side);
  file.WriteInt32(offset);
  file.WriteUInt8((facing ? kFacing : 0) | (stretch ? kStretch : 0));
}

bool ZafAttachment::ReadFields(ZafFile& file) {
  ZafIChar* text = nullptr;
  file.ReadString(text);
  const std::unique_ptr<ZafIChar[]> name(text);
  uint8_t options = 0;
  file.ReadInt32(side);
  file.ReadInt32(offset);
  file.ReadUInt8(options);
  toSibling = name && name[0] != 0;
  referenceName = toSibling ? name.get() : u"";
  facing = options & kFacing;
  stretch = options & kStretch;
  return ValidSide(side) && (options & ~(kFacing | kStretch)) == 0;
}
