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
#include "model/ytime.h"

class KStream;
class QvEvent;
class YImage;
class YImageViewWindow;

// What a view publishes with notification 36: the level of the time-track setting and the view's time.
struct YTimeTrackRecord {
  int32_t level;
  YTime time;
};

class YImageView : public KSparseArrayItem {
 public:
  static constexpr uint32_t kVersionWord = 0x2000C;
  static constexpr uint32_t kOlderVersionWord = 0x2000B;

  // A view of the image (or of none) with its number; a numbered view's zoom takes a fresh id from the
  // root of the message chain.
  YImageView(YImage* image, int32_t number);
  YImageView(const YImageView&) = delete;
  YImageView& operator=(const YImageView&) = delete;
  // A window that still shows the view is told that it shows none any more.
  ~YImageView() override;

  // The window that shows the view (not owned; null for none).
  using KMessageObject::SetOwner;
  void SetOwner(YImageViewWindow* window) { itsWindow = window; }
  YImageViewWindow* Window() const { return itsWindow; }
  YImage* Image() const;
  // The document that holds the view's image, null when none.
  QvEvent* Document() const;
  uint32_t Flags() const { return flags; }
  const KPoint& Anchor() const { return anchor; }
  void SetOriginPair(const KPoint& point) { anchor = point; }
  YZoom& Zoom() { return zoom; }
  const YZoom& Zoom() const { return zoom; }
  uint32_t Frozen() const { return frozen; }
  // While frozen, the shown flags do not update the window; unfreezing updates it.
  void SetFrozen(uint32_t word);
  const KPoint& Origin() const { return position; }
  void SetOrigin(const KPoint& point) { position = point; }
  bool PositionShown() const { return positionShown; }
  void SetFlag(bool shown);
  // Whether the position is shown; a position outside the image is shown no longer.
  bool IsSelectionShown();
  const KRect& Marks() const { return marks; }
  void SetMarks(const KRect& rectangle) { marks = rectangle; }
  bool MarksShown() const { return marksShown; }
  void SetShowLines(bool shown);
  // Whether the marks are shown; marks not wholly inside the image, or of no area, are shown no longer.
  bool UpdateHash();
  const KRect& ObjectRect() const { return objectRect; }
  bool ObjectFound() const { return objectFound; }
  void SetObject(const KRect& rectangle, bool found);

  // The image's extent in this view: 0,0 to (FrameCount - 1, BlockCount - 1).
  int32_t FrameCount() const;
  int32_t BlockCount() const;
  KRect Extent() const;
  // Brings the position inside the image and clips both rectangles to it.
  void ClipToImage();
  // Searches the image for the next moving object, from the last object's right edge when one was found,
  // else from the first frame; true when one was found (the object rectangle holds it).
  bool FindNextObject();
  // The time of view column x (the empty time without an image); the view's time is that of its position.
  YTime TimeAt(int32_t x) const;
  // Publish the view's time (36) or a line position (38) to the views of the document's images, when
  // the settings "\Event\Image\Hash\TimeTrack" and "\Event\Image\Hash\ShowLines" ask for it.
  void TimeTrackSetting();
  void ShowLinesSetting(int32_t line);
  // The zoom first; then notifications 22 to 39 become requests to the window.
  int32_t Receive(KMessage& message) override;

  // The brackets around a change of the zoom (`trueFrames` false) or of the image's shown frames (true):
  // the position and both rectangles are taken to image coordinates (true frames for the second) before
  // the change and back after it, so that they go on denoting the same part of the image.
  void KeepPlaces(bool trueFrames);
  void RestorePlaces(bool trueFrames);

  // The zoom first, then the view itself.
  KMessageObject* Match(int32_t wantedId) override;
  bool SameState(const YImageView& other) const;

  const char* ClassName() const override { return "YImageView"; }
  void Write(KStream& stream) const override;
  // Reads version 0x2000C, or 0x2000B (which has no flags and index: flags become 1 and the number the
  // position of the image in its list); any other version throws KXPersistent 3009.
  void Read(KStream& stream) override;

 private:
  void UpdateWindow(int32_t kind);
  // True when the sender is part of this view's image (its camera, say).
  bool FromOwnImage(const KMessageObject* sender) const;
  void FollowTime(const KMessage& message);

  YImageViewWindow* itsWindow = nullptr;
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
  // The places in image coordinates while a bracket is open.
  KPoint keptPosition;
  KRect keptMarks;
  KRect keptObject;
};
