#pragma once
// The state of one view onto an image: its zoom, an anchor, a position in image coordinates with its shown
// flag, the marked rectangle and the rectangle of the last object search, each with its flag. A view is an
// item of its image's views, keyed by its number, and a message object owned by the image. Its number in
// the image serves as its message id too (one value, set at construction or by reading). Drawing and the
// window side come with the image windows.

#include <cstdint>

#include "foundation/kpoint.h"
#include "foundation/krect.h"
#include "foundation/ksparsearray.h"
#include "imaging/yzoom.h"

class KStream;
class YImage;

class YImageView : public KSparseArrayItem {
 public:
  static constexpr uint32_t kVersionWord = 0x2000C;
  static constexpr uint32_t kOlderVersionWord = 0x2000B;

  // A view of the image (or of none) with its number; a numbered view's zoom takes a fresh id from the
  // root of the message chain.
  YImageView(YImage* image, int32_t number);

  YImage* Image() const;
  uint32_t Flags() const { return flags; }
  const KPoint& Anchor() const { return anchor; }
  void SetOriginPair(const KPoint& point) { anchor = point; }
  YZoom& Zoom() { return zoom; }
  const YZoom& Zoom() const { return zoom; }
  uint32_t Frozen() const { return frozen; }
  void SetFrozen(uint32_t word) { frozen = word; }
  const KPoint& Origin() const { return position; }
  void SetOrigin(const KPoint& point) { position = point; }
  bool PositionShown() const { return positionShown; }
  void SetFlag(bool shown) { positionShown = shown; }
  const KRect& Marks() const { return marks; }
  void SetMarks(const KRect& rectangle) { marks = rectangle; }
  bool MarksShown() const { return marksShown; }
  void SetShowLines(bool shown) { marksShown = shown; }
  const KRect& ObjectRect() const { return objectRect; }
  bool ObjectFound() const { return objectFound; }
  void SetObject(const KRect& rectangle, bool found);

  // The zoom first, then the view itself.
  KMessageObject* Match(int32_t wantedId) override;
  bool SameState(const YImageView& other) const;

  const char* ClassName() const override { return "YImageView"; }
  void Write(KStream& stream) const override;
  // Reads version 0x2000C, or 0x2000B (which has no flags and index: flags become 1 and the number the
  // position of the image in its list); any other version throws KXPersistent 3009.
  void Read(KStream& stream) override;

 private:
  uint32_t flags = 0;
  KPoint anchor;
  YZoom zoom;
  uint32_t frozen = 0;
  KPoint position;
  bool positionShown = false;
  KRect marks{0, 0, 0, 0};
  bool marksShown = false;
  KRect objectRect{0, 0, 0, 0};
  bool objectFound = false;
};
