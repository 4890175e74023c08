#include "imaging/yimageview.h"

#include <algorithm>

#include "foundation/kstream.h"
#include "foundation/kx.h"
#include "imaging/yimage.h"
#include "imaging/yimageviewwindow.h"
#include "imaging/ynotification.h"
#include "model/qvevent.h"
#include "model/qvsettings.h"

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

YImageView::~YImageView() {
  if (itsWindow != nullptr) {
    itsWindow->ViewGone();
  }
}

YImage* YImageView::Image() const {
  return dynamic_cast<YImage*>(Owner());
}

QvEvent* YImageView::Document() const {
  const YImage* image = Image();
  return image != nullptr ? image->Document() : nullptr;
}

void YImageView::UpdateWindow(int32_t kind) {
  if (itsWindow != nullptr) {
    itsWindow->Update(kind);
  }
}

void YImageView::SetFrozen(uint32_t word) {
  frozen = word;
  if (frozen == 0) {
    UpdateWindow(0);
  }
}

void YImageView::SetFlag(bool shown) {
  positionShown = shown;
  if (frozen == 0) {
    UpdateWindow(0);
  }
}

void YImageView::SetShowLines(bool shown) {
  marksShown = shown;
  if (frozen == 0) {
    UpdateWindow(0);
  }
}

int32_t YImageView::FrameCount() const {
  const YImage* image = Image();
  return image != nullptr ? image->FramesShown(*this) : 0;
}

int32_t YImageView::BlockCount() const {
  const YImage* image = Image();
  return image != nullptr ? image->PixelsShown(*this) : 0;
}

KRect YImageView::Extent() const {
  return KRect(0, 0, FrameCount() - 1, BlockCount() - 1);
}

bool YImageView::IsSelectionShown() {
  if (!Extent().Contains(position)) {
    positionShown = false;
  }
  return positionShown;
}

bool YImageView::UpdateHash() {
  if (!Extent().ContainsRect(marks) || marks.Area() <= 0) {
    marksShown = false;
  }
  return marksShown;
}

void YImageView::ClipToImage() {
  const KRect extent = Extent();
  position.x = std::clamp(position.x, 0, std::max(extent.right, 0));
  position.y = std::clamp(position.y, 0, std::max(extent.bottom, 0));
  marks.Clip(extent);
  objectRect.Clip(extent);
}

bool YImageView::FindNextObject() {
  YImage* image = Image();
  if (image == nullptr) {
    return false;
  }
  KRect found = objectRect;
  // Without an object found last, the search starts at the first frame.
  objectFound = image->NextObject(found, *this, !objectFound, nullptr, -1);
  if (objectFound) {
    objectRect = found;
  }
  return objectFound;
}

YTime YImageView::TimeAt(int32_t x) const {
  YImage* image = Image();
  return image != nullptr ? image->TimeAt(image->ViewXToFrame(x, *this), false) : YTime();
}

void YImageView::TimeTrackSetting() {
  // 0 off, 1 the views of the same image follow, 2 also the views of the same document.
  const int32_t level =
      QvSettings::Int(u"\\Event\\Image\\Hash\\TimeTrack", 0, {0, 2, QvSettings::Outside::kNearestEnd});
  if (level == 0) {
    return;
  }
  YTimeTrackRecord record{level, TimeAt(position.x)};
  KMessage message;
  Send(this, Message(message, kYViewTimeTrack, reinterpret_cast<intptr_t>(&record), this));
}

void YImageView::ShowLinesSetting(int32_t line) {
  if (QvSettings::Int(u"\\Event\\Image\\Hash\\ShowLines", 0, QvSettings::kSwitch) == 0) {
    return;
  }
  KMessage message;
  Send(this, Message(message, kYViewLine, line, this));
}

bool YImageView::FromOwnImage(const KMessageObject* sender) const {
  YImage* image = Image();
  return image != nullptr && sender != nullptr && image->Match(sender->Id()) == sender;
}

void YImageView::FollowTime(const KMessage& message) {
  auto* sender = dynamic_cast<YImageView*>(message.sender);
  if (sender == nullptr || sender == this || message.argument == 0 || !itsWindow->HasNativeWindow() ||
      !itsWindow->HasPane()) {
    return;
  }
  const auto& record = *reinterpret_cast<const YTimeTrackRecord*>(message.argument);
  const YImage* image = Image();
  if (record.level >= 1 && image != nullptr && sender->Image() == image) {
    const int32_t senderHeight = sender->BlockCount();
    const int64_t line = senderHeight > 0 ? int64_t{sender->Origin().y} * BlockCount() / senderHeight : -1;
    itsWindow->ShowTime(record.time, static_cast<int32_t>(line));
  } else if (record.level >= 2 && Document() != nullptr && sender->Document() == Document()) {
    itsWindow->ShowTime(record.time, -1);
  }
}

int32_t YImageView::Receive(KMessage& message) {
  zoom.Receive(message);
  const uint32_t what = message.code & KMessage::kWhatMask;
  // Clipping follows the zoom even while no window shows the view.
  if (what == kYZoomChanged && message.sender == &zoom) {
    ClipToImage();
  }
  if (itsWindow == nullptr) {
    return 0;
  }
  const bool fromImage = message.sender != nullptr && message.sender == Image();
  switch (what) {
    case kYCameraSetup:
    case kYCameraParameter:
    case kYCameraLanes:
      if (FromOwnImage(message.sender)) {
        if (what == kYCameraLanes) {
          itsWindow->PaneAction();
        } else {
          itsWindow->Update(what == kYCameraSetup ? 1 : 0);
        }
      }
      break;
    case kYImageGeometry:
    case kYImageContents:
      if (fromImage) {
        itsWindow->Update(what == kYImageGeometry ? 1 : 0);
      }
      break;
    case kYImageZoom:
      if (fromImage) {
        itsWindow->ZoomRequest();
      }
      break;
    case kYImageBlockAdded:
      if (fromImage) {
        itsWindow->ObjectSearchRequest();
      }
      break;
    case kYViewRedraw:
      if (message.sender == this) {
        itsWindow->Update(1);
      }
      break;
    case kYViewTimeTrack:
      FollowTime(message);
      break;
    case kYImageShowTime:
      if (itsWindow->HasPane() && message.sender != nullptr && message.sender == Document() &&
          message.argument != 0) {
        itsWindow->ShowTime(*reinterpret_cast<const YTime*>(message.argument), -1);
      }
      break;
    case kYViewLine:
      if (itsWindow->HasPane() && dynamic_cast<YImageView*>(message.sender) != nullptr &&
          message.sender != this) {
        itsWindow->RedrawLine(static_cast<int32_t>(message.argument));
      }
      break;
    case kYZoomChanged:
      if (message.sender == &zoom) {
        itsWindow->Update(1);
      }
      break;
    default:
      break;
  }
  return 0;
}

void YImageView::SetObject(const KRect& rectangle, bool found) {
  objectRect = rectangle;
  objectFound = found;
}

void YImageView::KeepPlaces(bool trueFrames) {
  YImage* image = Image();
  if (image == nullptr) {
    return;
  }
  keptPosition = image->ViewToPoint(position, *this, trueFrames);
  keptMarks = image->MapRect(marks, *this, false, trueFrames);
  keptObject = image->MapRect(objectRect, *this, false, trueFrames);
}

void YImageView::RestorePlaces(bool trueFrames) {
  YImage* image = Image();
  if (image == nullptr) {
    return;
  }
  position = image->PointToView(keptPosition, *this, trueFrames);
  marks = image->MapRect(keptMarks, *this, true, trueFrames);
  objectRect = image->MapRect(keptObject, *this, true, trueFrames);
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
