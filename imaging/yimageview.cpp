#include "imaging/yimageview.h"

#include "foundation/kstream.h"
#include "foundation/kx.h"
#include "imaging/yimage.h"

namespace {

// A fresh id from the root of a message chain, which keeps the counter of the ids it hands out.
int32_t FreshId(KMessageObject* object) {
  KMessageObject* root = object;
  while (root->Owner() != nullptr) {
    root = root->Owner();
  }
  root->SetId(root->Id() + 1);
  return root->Id();
}

}  // namespace

YImageView::YImageView(YImage* image, int32_t number) : KSparseArrayItem(image), zoom(this) {
  SetId(number);
  if (number != -1) {
    zoom.SetId(FreshId(this));
  }
}

YImage* YImageView::Image() const {
  return dynamic_cast<YImage*>(Owner());
}

void YImageView::SetObject(const KRect& rectangle, bool found) {
  objectRect = rectangle;
  objectFound = found;
}

KMessageObject* YImageView::Match(int32_t wantedId) {
  if (KMessageObject* found = zoom.Match(wantedId)) {
    return found;
  }
  return KMessageObject::Match(wantedId);
}

bool YImageView::SameState(const YImageView& other) const {
  return Id() == other.Id() && flags == other.flags && anchor == other.anchor && zoom == other.zoom &&
         position == other.position && positionShown == other.positionShown && marks == other.marks &&
         marksShown == other.marksShown && objectRect == other.objectRect && objectFound == other.objectFound;
}

void YImageView::Write(KStream& stream) const {
  stream.WriteUInt32(kVersionWord);
  stream.WriteInt32(Id());
  anchor.Write(stream);
  zoom.Write(stream);
  position.Write(stream);
  stream.WriteInt32(positionShown ? 1 : 0);
  marks.Write(stream);
  stream.WriteInt32(marksShown ? 1 : 0);
  objectRect.Write(stream);
  stream.WriteInt32(objectFound ? 1 : 0);
  stream.WriteUInt32(flags);
  stream.WriteInt32(Id());
}

void YImageView::Read(KStream& stream) {
  const uint32_t version = stream.ReadUInt32();
  if (version != kVersionWord && version != kOlderVersionWord) {
    throw KXPersistent(kErrFileVersion);
  }
  // The id word is the view's number written once more; the index word (or the image's position) rules.
  stream.ReadInt32();
  anchor.Read(stream);
  zoom.Read(stream);
  position.Read(stream);
  positionShown = stream.ReadInt32() != 0;
  marks.Read(stream);
  marksShown = stream.ReadInt32() != 0;
  objectRect.Read(stream);
  objectFound = stream.ReadInt32() != 0;
  if (version == kVersionWord) {
    flags = stream.ReadUInt32();
    SetId(stream.ReadInt32());
  } else {
    flags = 1;
    const YImage* image = Image();
    SetId(image != nullptr && image->Index() >= 0 ? image->Index() : 0);
  }
}
