// The scrolled pane that shows one captured line-scan image through an image view: the image strip by
// strip at the view's zoom, a time cursor, a marked rectangle, lines at the times of the leg's results,
// overlay pictures pinned to the image, and the lane bar beside it. Time runs along x (one unit per view
// column) and the image's rows along y. The mouse and the arrow keys move the cursor and mark rectangles;
// the marked rectangle can be exported as a bitmap.
#ifndef IMAGING_UI_YZIMAGEPANE_H
#define IMAGING_UI_YZIMAGEPANE_H

#include <cstdint>

#include "foundation/klist.h"
#include "foundation/kpoint.h"
#include "foundation/krect.h"
#include "foundation/kstring.h"
#include "toolkit/kzscroller.h"

class KSparseArray;
class QvResult;
class QvResults;
class YImage;
class YImageView;
class YTime;
class YZLaneBar;
class YZPrinter;

class YZImagePane : public KZScroller {
 public:
  // Commands the pane serves.
  static constexpr ZafEventType kAdjustments = 10254;
  static constexpr ZafEventType kWhiteBalance = 10257;
  static constexpr ZafEventType kOverlayMenu = 10258;
  static constexpr ZafEventType kClearOverlays = 10259;
  static constexpr ZafEventType kFirstOverlay = 10260;
  static constexpr ZafEventType kLastOverlay = 10359;
  static constexpr ZafEventType kExportBitmap = 10360;
  static constexpr ZafEventType kPageSetup = 10361;
  static constexpr ZafEventType kPrintSetup = 10362;
  static constexpr ZafEventType kPrint = 10363;
  // The items of the selection pop-up.
  static constexpr ZafEventType kCropSelection = 10373;
  static constexpr ZafEventType kEnhanceSelection = 10374;
  static constexpr ZafEventType kWhiteBalanceSelection = 10375;
  static constexpr ZafEventType kExportSelection = 10376;
  static constexpr ZafEventType kPrintSelection = 10377;

  // The right button held while moving and released, and the arrow keys, as the toolkit maps them.
  static constexpr ZafEventType kRightDragged = 1007;
  static constexpr ZafEventType kRightReleased = 1008;
  static constexpr ZafEventType kUpKey = 1050;
  static constexpr ZafEventType kDownKey = 1051;
  static constexpr ZafEventType kLeftKey = 1052;
  static constexpr ZafEventType kRightKey = 1053;

  // Drag states, kept in the view's frozen word.
  static constexpr uint32_t kIdle = 0;
  static constexpr uint32_t kCursorDrag = 1;
  static constexpr uint32_t kMarkDrag = 2;

  // The image window that holds the pane: told after every move of the cursor, and asked for the pop-up
  // that enters a result at a time.
  class Owner {
   public:
    virtual ~Owner() = default;
    virtual void PaneUpdate() = 0;
    // Opens the result-entry pop-up at a screen point; false when it cannot.
    virtual bool EnterResultPopup(KPoint screen) = 0;
  };

  // An overlay pinned to the image: its number in the overlay table and the image point it is centred on.
  class YOverlayLocation : public KListItem {
   public:
    YOverlayLocation(int32_t number, KPoint position) : number(number), position(position) {}
    const int32_t number;
    const KPoint position;
  };

  YZImagePane(Owner* owner, YImageView* view);
  ~YZImagePane() override;

  // Shows another view (or none); nothing happens for the view shown.
  void SetView(YImageView* view);
  YImageView* View() const { return view; }
  YImage* Image() const { return image; }
  YZLaneBar* LaneBar() const { return laneBar; }
  const KList& OverlayLocations() const { return overlayLocations; }

  // Keeps the lane bar, the right alignment of a mirrored image and the extent in step, then redraws.
  void Refresh() override;
  // The scroller's position, kept as the view's anchor; the lane bar follows.
  bool SetPosition(KPoint newPosition) override;
  // The view reports more frames: new columns are drawn (for a mirrored image the picture moves right).
  void ExtentChanged();
  // Another view of the image moved its cursor to `time`; row -1 keeps the cursor's row.
  bool ShowImage(const YTime& time, int32_t row);
  // A line at the time (another view's cursor).
  void DrawResultLine(const YTime& time);

  // Moves the cursor to a unit point (clipped to the image) and scrolls it into view; false when it is
  // shown there already.
  bool SetCursor(KPoint point);
  // Only while the cursor is shown: moves it and publishes the view's time.
  bool MoveCursorBy(int32_t dx, int32_t dy);

  // A quarter of the visible columns or rows, at least 1.
  int32_t LineStepX() override;
  int32_t LineStepY() override;
  // 300 units a second for the first 1499 ms outside the pane, 500 after.
  int32_t AutoScrollRate(int32_t elapsed) override;
  // Image strips, overlays, cursor, result lines and marks.
  void DrawCells(const KRect& units) override;
  ZafEventType Event(const ZafEventRecord& event) override;

  // Class set-up: the overlays of the program's folder (none with "-nooverlay"), the export file (starting
  // in the data-out folder) and the shared printer. Clean-up lets them go.
  static void InitClass(const KString& programFolder, const KString& dataOutFolder, bool noOverlay);
  static void ExitClass();
  static KSparseArray& Overlays();
  static YZPrinter* Printer();
  // The file the bitmap export offers first; it remembers the last choice.
  static KString& ExportFile();

 protected:
  // Runs the selection pop-up (crop, enhance, export, print) at a screen point.
  virtual void ShowSelectionPopup(KPoint screen);

 private:
  // ---- Drawing (yzimagepanedrawing.cpp) ----
  void DrawImage(const KRect& units);
  void DrawOverlays(const KRect& units);
  void DrawCursor();
  void EraseCursor();
  void DrawMarks();
  void EraseMarks();
  void DrawResultLines();
  // A vertical line over the visible rows at view column x, in a palette colour.
  void DrawColumnLine(int32_t x, uint8_t colour, int32_t top, int32_t bottom);
  void DrawResultAt(const YTime& time);
  // The last row that cursor and result lines reach: the page's, or the image's when it is shorter.
  int32_t LastImageRow();
  QvResults* Results() const;
  // The frame of a result's main time, -1 for none.
  int32_t ResultColumn(const QvResult& result);

  // ---- Mouse and keys (yzimagepanemouse.cpp) ----
  ZafEventType PointerEvent(ZafEventType code, const ZafEventRecord& event);
  void LeftPressed(KPoint unit, const ZafEventRecord& event);
  bool ToggleResultAt(KPoint unit);
  void CursorDrag(ZafEventType code, KPoint unit);
  void RightPressed(KPoint unit);
  void MarkDrag(ZafEventType code, KPoint unit, KPoint screen);
  void SelectMarkedResults();
  void ArrowKey(ZafEventType code);
  void TellOwner();
  KPoint ClampToExtent(KPoint unit) const;

  // ---- Commands ----
  void UpdateMenu();
  void RunAdjustments();
  void PlaceOverlay(int32_t number);
  void ClearOverlays();
  void ExportMarkedRectangle();
  void SynchroniseLaneBar();
  uint32_t DragState() const;
  void SetDragState(uint32_t state);
  bool OrientationRight() const;

  Owner* itsOwner;
  YImage* image = nullptr;
  YImageView* view = nullptr;
  YZLaneBar* laneBar;
  KList overlayLocations;
  bool cursorDirty = false;
  int32_t cursorReach = 0;
  ZafEventType lastArrow = 0;
  uint32_t lastArrowTick = 0;
  uint32_t arrowRunStart = 0;
  KPoint markStart;
  KPoint markCorner;
  bool resultsSelected = false;
};

#endif
