#pragma once
// One captured image of a leg: a sequence of frames (lines) from one camera, kept as 16000-byte blocks in a
// block file beside the event document, with the camera settings that describe the frames, the views that
// show it, an optional list of cuts and a reference frame. Its record lives inside the event document (in
// its leg's per-camera image list); reading and writing the record also opens, checks and rewrites the
// block file. The record and the block file are described in docs/event-document.md and docs/image-file.md.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "foundation/kfile.h"
#include "foundation/kmessage.h"
#include "foundation/kpoint.h"
#include "foundation/krect.h"
#include "foundation/ksparsearray.h"
#include "foundation/kstring.h"
#include "imaging/ybitmappiece.h"
#include "imaging/ycamera.h"
#include "imaging/ydisplaytables.h"
#include "imaging/yimageblocks.h"
#include "imaging/yimagecuts.h"
#include "model/ylegimage.h"
#include "model/ytime.h"

class QvEvent;
class QvResultFilter;
class YImageBlock;
class YImageView;

class YImage : public YLegImage, public KMessageObject {
 public:
  static constexpr uint32_t kVersionWord = 0x20009;
  static constexpr int32_t kBlockBytes = 16000;
  // The block file's first unit is reserved; block n lies at kFirstUnitBytes + kBlockBytes * n.
  static constexpr int32_t kFirstUnitBytes = 16000;
  static constexpr int32_t kDisplayTableBytes = 256;
  // Flag bits.
  static constexpr uint32_t kCreated = 1;
  static constexpr uint32_t kCapturing = 2;
  // The display table is an enhanced one: it is kept as read instead of being rebuilt after reading.
  static constexpr uint32_t kEnhancedTables = 4;
  // A raw frame ends in its 4-byte time stamp, which is no pixel.
  static constexpr int32_t kRawStampBytes = 4;

  // An empty image owned by `owner` (its leg, or none), registered with the global block pool when there
  // is one.
  explicit YImage(KMessageObject* owner = nullptr, int32_t id = -1);
  YImage(const YImage&) = delete;
  YImage& operator=(const YImage&) = delete;
  // Gives the blocks back and leaves the pool; an open block file is deleted when temporary, else cut back
  // to its saved size (dropping blocks captured since; a shorter file is never extended). Never throws: a
  // failing file is logged.
  ~YImage() override;

  uint32_t Flags() const { return flags; }
  YCamera& Camera() { return camera; }
  const YCamera& Camera() const { return camera; }
  // The view with that number, made on demand when `create` is set; null otherwise.
  YImageView* View(int32_t number, bool create);
  int32_t ViewCount() const { return views.Count(); }
  const KSparseArray& Views() const { return views; }
  const KString& Extension() const { return extension; }
  void SetExtension(const KString& text) { extension = text; }
  const KFile& File() const { return file; }
  bool IsTemporary() const { return temporary; }
  YImageBlocks& Blocks() { return blocks; }
  YImageCuts& Cuts() { return cuts; }

  int32_t FrameCount() const { return frameCount; }
  // Frames held, cut ones included.
  int32_t TrueFrameCount() const { return frameCount + cuts.LastOffset(); }
  int32_t BlockCount() const { return blockCount; }
  int32_t SavedBlockCount() const { return savedBlockCount; }
  int32_t SavedFrameCount() const { return savedFrameCount; }
  int32_t ReferenceFrame() const { return referenceFrame; }
  void SetReferenceFrame(int32_t frame) { referenceFrame = frame; }
  const std::array<uint8_t, kDisplayTableBytes>& DisplayTable() const { return tables.Display(); }
  std::array<uint8_t, kDisplayTableBytes>& DisplayTable() { return tables.Display(); }
  // Entry `level` of the display table and of the drawing table derived from it (see YDisplayTables).
  int32_t DisplayEntry(int32_t level) const { return tables.DisplayEntry(IsColour(), level); }
  int32_t DrawingEntry(int32_t level) const { return tables.DrawingEntry(IsColour(), level); }
  // Resets the display table to the identity (no longer enhanced), rebuilds the drawing table and sends 31.
  void BuildColourTables();
  // The drawing factors (camera parameters 24, 25 and 22); setting one rebuilds the drawing table.
  double Gain() const { return camera.GainFactor(); }
  double Offset() const { return camera.OffsetFactor(); }
  double ScaleFactor() const { return camera.ScaleFactor(); }
  void SetGain(double value);
  void SetOffset(double value);
  void SetScaleFactor(double value);
  // Histogram equalisation over a view rectangle of 1 to 8,000,000 pixels: the display table spreads the
  // levels found there evenly and is marked enhanced; sends 31.
  void Enhance(const KRect& rect, const YImageView& view);
  // Colour images: sets the balance parameters (19 to 21) so that the rectangle (1 to 8,000,000 pixels)
  // comes out neutral, and sends the settings to the camera.
  void WhiteBalance(const KRect& rect, const YImageView& view);
  // Colour images: shows the fractions of the view's pixels whose red, green and blue are 0.
  void ChannelStats(const YImageView& view);
  // 3, 4 or 5 for the display kinds 1, 2 and 3; -1 otherwise.
  int32_t DisplayDepth() const;
  // The thresholds of the object search, per mille of full scale: a tile that changes by `change` from one
  // group of frames to the next marks movement, by `activity` keeps an object open. 50 and 25, or from
  // "\Event\Image\AutoCrop" (0 to 100) ten times its value and half that.
  struct Thresholds {
    int32_t change;
    int32_t activity;
  };
  static Thresholds SearchThresholds();
  // Searches for the next moving object from the rectangle's right edge (from the first frame with
  // `fromStart`); true when one was found, its extent (view coordinates) then in `rect`. `status` gets 0,
  // 1 when the break key stopped the search, 2 when a frame could not be read. A `progressBase` of -1
  // shows the search's own status text and progress; another value measures the progress from frame
  // -progressBase (the frames an automatic crop has removed so far).
  bool NextObject(KRect& rect, const YImageView& view, bool fromStart, int32_t* status, int32_t progressBase);
  // Cuts the frames between the moving objects, from the reference frame on (from the first frame with
  // `fromStart`), keeping 16 frames before each object.
  void AutoCrop(bool fromStart);
  // Print options: smoothing at fractional zooms, and a time scale in the margins of each frame.
  static constexpr uint32_t kPrintSmoothing = 1;
  static constexpr uint32_t kPrintTimeScale = 2;
  // Starts a print run of a view rectangle: the results that the leg's list selects for this image under
  // `selection` are marked at the view columns of their main times, and with kPrintTimeScale the margin
  // (a twentieth of the rectangle's height) and the tick lengths are kept. Returns true.
  bool BeginPrinting(const KRect& rect, const QvResultFilter* selection, const YImageView& view,
                     uint32_t options);
  void EndPrinting();
  bool IsPrinting() const { return print.printing; }
  const std::vector<int32_t>& PrintMarks() const { return print.marks; }
  int32_t PrintMargin() const { return print.margin; }
  // The pixel value of print marks by "\Event\Image\Selection\PrintLineColor" (0 to 3): gray 0, 128,
  // 255, 128; colour black, red, white, green. 0 when the setting is absent or outside 0 to 3.
  int32_t PrintLineValue() const;
  // The time-scale tick of view column x during a print run: the margin when a whole second begins at its
  // frame, the long tick for a tenth, the short one for a hundredth, else 0.
  int32_t PrintLineAt(const YImageView& view, int32_t x);
  // Class set-up step of the image print settings: the print-line colour setting is read from now on;
  // ForgetSettings (at shutdown) lets it go.
  static void LoadSettings();
  static void ForgetSettings();

  // The notifications of the leg or the document: the camera, then every view.
  int32_t Receive(KMessage& message) override;
  void Deliver(KMessage& message) override { Receive(message); }

  // The display kind (camera parameter 18, 0 to 3); setting -1 steps to the next kind.
  int32_t DisplayKind() const { return camera.Parameter(18); }
  bool SetDisplayKind(int32_t kind);
  // 8 for gray images, 15 for colour (camera parameter 27), else 0.
  int32_t BitsPerPixel() const;
  int32_t BytesPerPixel() const { return (BitsPerPixel() + 1) / 8; }
  bool IsColour() const { return BitsPerPixel() == 15; }

  // The capture hooks, served by the registered capture service (the hardware manager); without one they
  // answer false and change nothing. The camera is the one numbered by camera parameter 2.
  // Takes `settings` when given and has the camera set up with the image's settings; true when it is ready.
  bool Capture(const YCamera* settings = nullptr);
  // Capture, then starts the camera capturing into this image. On success the image is capturing, its
  // frame layout and colour (parameters 5, 6, 7 and 27) are locked, and `blockFile`, when given, is named
  // after the image's block file.
  bool StartCapture(KFile* blockFile = nullptr, const YCamera* settings = nullptr);
  // Ends capturing (unlocking the frame layout again when no block arrived) and stops the camera; the
  // service's answer.
  bool StopCapture();
  // Under automatic gain (parameter 11 is 0), records the gain the camera reports; true when it stored.
  bool QueryCamera();
  // Copies the settings into `copy` (YCamera::Assign with `copyFlags`); while a capture waits for its first
  // block the frame layout is copied unlocked, so that it can still be chosen.
  void GetCamera(YCamera& copy, int32_t copyFlags = YCamera::kCopyFlags);
  // Takes `settings` when given, locks the parameters that identify the camera and its frames (0, 1, 2, 4,
  // 26 and 28 to 31) and rebuilds the level tables.
  void Setup(const YCamera* settings = nullptr);

  // Leaves out `frames` shown frames from shown frame `start` on (after every earlier cut); the frame count
  // drops by as many. False, with nothing changed, for a range outside the shown frames or before the last
  // cut.
  bool AddCut(int32_t start, int32_t frames);
  // Cuts the view columns from..to (from < to, within the image) out of the shown frames; a coded image
  // keeps its blockettes whole, and within one block cuts no less than a key blockette's words. With
  // `refresh` the views keep their places through the change. Sends 31; returns the frames removed.
  int32_t CutFrames(int32_t from, int32_t to, const YImageView& view, bool refresh);
  // Shows every frame again (the reference frame kept at or before the first cut) and sends 31.
  void RemoveCuts();
  // The words of a key blockette of one frame.
  int32_t KeyBlocketteWords() const;

  // The cut mapping between shown and true frame numbers.
  int32_t TrueFrame(int32_t shown) { return cuts.TrueFrame(shown); }
  int32_t ShownFrame(int32_t trueFrame) { return cuts.ShownFrame(trueFrame, frameCount); }

  // Coordinates. Image coordinates are shown frames (x) and pixels along a frame (y); a view's zoom scales
  // frames by its x ratio, rounding up, and pixels by its y ratio, rounding to the nearest, the inverse
  // ratios rounding the same way back. With `remainder` the quotient is rounded down and the remainder of
  // the division given instead. Results are limited to 32 bits. A mirrored image (motion direction, camera
  // parameter 16, above 0; unset counts as 0) numbers its view columns from the other end.
  bool IsMirrored() const;
  // Pixels per frame: the frame length, less the time stamp of a raw frame (at most a frame buffer).
  int32_t FrameLength() const;
  // The view columns and rows the image covers (0 for an image without frames or pixels).
  int32_t FramesShown(const YImageView& view) const;
  int32_t PixelsShown(const YImageView& view) const;
  int32_t FrameToViewX(int32_t frame, const YImageView& view, int32_t* remainder = nullptr) const;
  int32_t ViewXToFrame(int32_t x, const YImageView& view, int32_t* remainder = nullptr) const;
  int32_t PixelToViewY(int32_t pixel, const YImageView& view, int32_t* remainder = nullptr) const;
  int32_t ViewYToPixel(int32_t y, const YImageView& view, int32_t* remainder = nullptr) const;
  // Points and rectangles; with `trueFrames` the image side counts true frames (through the cuts).
  // Rectangles come out ordered (left <= right, top <= bottom).
  KPoint PointToView(const KPoint& point, const YImageView& view, bool trueFrames);
  KPoint ViewToPoint(const KPoint& point, const YImageView& view, bool trueFrames);
  KRect RectToView(const KRect& rect, const YImageView& view);
  KRect ViewToRect(const KRect& rect, const YImageView& view);
  KRect FrameToScreen(const KRect& trueRect, const YImageView& view);
  KRect ScreenToFrame(const KRect& rect, const YImageView& view);
  // The general form: to the view (or back from it), in true frames or shown ones.
  KRect MapRect(const KRect& rect, const YImageView& view, bool toView, bool trueFrames);

  // The time of a shown frame: empty without a time resolution (camera parameter 4), a block or a time
  // word. With `interpolate`, a stamp out of step with both neighbours becomes their midpoint.
  YTime TimeAt(int32_t frame, bool interpolate);
  // The view column of the frame whose time brackets `time`, or -1: a galloping search from the frame
  // found last. With `refine`, a frame further than one frame period (camera parameter 8, frames per
  // second) from the time gives -1.
  int32_t FrameOfTime(const YTime& time, const YImageView& view, bool refine);

  // The most bytes a piece of GetBitmap takes, its staging rows and its output together, unless a single
  // column (or row) alone is more.
  static constexpr int64_t kMaxPieceBytes = 192000;
  // Renders the next piece of a view rectangle (clipped to the image) as the options word asks (see
  // YBitmapOptions); the caller asks again for what is left of the rectangle. Nothing for a rectangle
  // outside the image. Frames that cannot be read draw blank.
  std::optional<YBitmapPiece> GetBitmap(const KRect& rect, const YImageView& view, uint32_t options);
  // True when the drawing table changes nothing: no enhanced display table, gain 0, offset 0 and scale 1.
  bool DrawsPlain() const;

  // The block numbered n, loaded from the block file when not in memory; null outside 0 to the block count
  // or when it cannot be had.
  YImageBlock* Block(int32_t n);
  // The block that holds a true frame, null when none does.
  YImageBlock* FrameBlock(int32_t trueFrame);
  // The pixels of a shown frame; a blank frame when it cannot be decoded; null outside the frames.
  const uint8_t* FramePixels(int32_t shown);
  // The pixels of a shown frame; null outside the frames or when it cannot be had.
  const uint8_t* ReadFrame(int32_t shown);

  // Appends a captured block, unsaved. False (the block left to the caller) for none, or for one the
  // collection refuses.
  bool AddBlock(YImageBlock* block);
  // Appends a block from this image's camera (its camera byte equals parameter 2), writes it to the block
  // file and sends 34; false (nothing done, the block left to the caller) for a block of another camera or
  // one that cannot be added. A block the file does not take is logged and kept as unsaved, so that the
  // next save writes it.
  bool AddCapturedBlock(YImageBlock* block);
  // Writes up to `count` unsaved blocks to the block file; returns the count left.
  int32_t WriteUnsaved(int32_t count);
  // Builds the next block of the image as it is shown (cuts applied) into `dst` (or only counts, for null),
  // starting over when `restart` is set. False when every frame is placed. Throws KX 3003 when a source
  // block cannot be read and 3010 when a frame cannot be placed.
  bool CreateBlock(YImageBlock* dst, bool restart, int32_t* sourceOut = nullptr);
  // True when the block file is open under the name the holding document gives it now.
  bool CheckImageFile() const;

  // Reads the record and opens the block file beside the document; counts that disagree with the file are
  // settled in its favour. An image without saved blocks whose block file is missing opens without one.
  // Throws 3009 for a wrong tag, 3010 for damaged contents (among them an extension that names the
  // document itself or another image's block file, and frames that are not coded whose count does not
  // fill exactly the recorded blocks), 33001 when the block file cannot be opened.
  void Import(KStream& stream);
  // Writes the record and brings the block file up to date (or, when the document was opened with
  // QvEvent::kImagesHeaderOnly, writes the record with the saved counts and leaves the blocks alone). A
  // block file written whole (first save, another name, cuts) goes to a new file that replaces the old
  // one only once complete; a failing save leaves every existing file as it was.
  void Export(KStream& stream);
  void Read(KStream& stream) override { Import(stream); }
  // Writing the record also rewrites the block file, which changes the image's file state: the document
  // writes through a const path, so the write goes on through a non-const one.
  void Write(KStream& stream) const override { const_cast<YImage*>(this)->Export(stream); }
  const char* ClassName() const override { return "YImage"; }
  // Nothing to settle once the leg is read: the block file was opened and checked while reading.
  void OnLegLoaded(YLeg& leg) override;

  // The camera when its id matches, else the first view that matches, else the image itself.
  KMessageObject* Match(int32_t wantedId) override;

  // The event document that holds the image (through its leg), null when none.
  QvEvent* Document() const;

  // Class set-up and clean-up: the frame pool, and the image factory of the legs.
  static void InitClass();
  static void ExitClass();

 private:
  struct Record;
  void ReadRecord(KStream& stream, Record& record);
  // True when a block file of that extension would be the document itself or another image's block file
  // (the same document's images, compared ignoring case).
  bool NamesAnotherFile(const KString& wanted) const;
  void WriteRecord(KStream& stream, int32_t writtenBlocks, int32_t writtenFrames, int32_t reference) const;
  // The block file's name for the holding document; empty when the document has no file.
  KString BlockFileName() const;
  // Opens the block file under its name: for reading (KXStream 3002 when it is too short to be a block
  // file), or for writing, created when missing and extended to the first unit.
  void OpenBlockFile(bool writing);
  // Reopens the block file, opened for reading with the document, for writing in place.
  void WritableBlockFile();
  void ReconcileWithFile();
  void ExportHeaderOnly(KStream& stream);
  void ExportFull(KStream& stream);
  // Counts the blocks a rebuild gives, showing "Calculating" with its progress.
  int32_t CountRebuiltBlocks();
  // part × 100 / whole, 0 for no whole.
  static int32_t Percent(int64_t part, int64_t whole);
  void WriteRebuiltBlocks(KFile& target, int32_t count);
  // Writes blocks `start` up to `count` (and the block count) to `target`.
  void CopyBlocks(KFile& target, int32_t start, int32_t count);
  void WriteRawWithCuts(KFile& target);
  static void WriteBlockAt(KFile& target, int32_t n, const uint8_t* bytes, int32_t length);
  static void SetLength(KFile& target, int64_t length);
  // Cuts the file to `length` when it is longer; never extends it.
  static void ShrinkTo(KFile& target, int64_t length);
  // Lets the block file go: a temporary one is deleted, any other cut back to its saved size (never
  // extended). Failures are logged with `failureText`, never thrown.
  void ReleaseBlockFile(const char* failureText) noexcept;
  void RebuildDrawingTable();
  void SetLayoutFlags(uint8_t value);
  bool Holds(const YImageBlock* block, int32_t trueFrame) const;
  YTime StoredTime(int32_t frame);
  // The blockette of a coded frame: its block, its words and its first and last shown frames.
  struct BlocketteSpan {
    int32_t block;
    int32_t firstWord;
    int32_t endWord;
    int32_t firstShown;
    int32_t lastShown;
  };
  bool BlocketteBounds(int32_t shown, BlocketteSpan& span);
  // Every view keeps its position and rectangles on the same part of the image through a change of the
  // shown frames: taken to true frames before, and back to shown frames after.
  void BeginGeometryChange();
  void EndGeometryChange();
  // Drawing: the part of `area` one piece covers, the smoothing of a view, the drawing table applied to
  // staging rows, and one piece rendered.
  KRect PieceOf(const KRect& area, uint32_t options, int32_t depth) const;
  bool SmoothsAt(const YImageView& view) const;
  void ApplyDrawingTable(uint8_t* levels, int32_t count) const;
  void ApplyDrawingTable(uint16_t* pixels, int32_t count) const;
  template <typename Pixel>
  void RenderColumns(const KRect& piece, const YImageView& view, bool drawn, YBitmapPiece& out);
  // GetBitmap, with the drawing table left out unless `drawn`.
  std::optional<YBitmapPiece> RenderPiece(const KRect& rect, const YImageView& view, uint32_t options,
                                          bool drawn);
  // The pixels of a view rectangle as stored, counted: by level, and for colour images the channel sums
  // and the pixels whose channel is 0 (red, green, blue).
  struct LevelCounts {
    int64_t pixels = 0;
    std::array<int64_t, YDisplayTables::kGrayTopLevel + 1> histogram{};
    std::array<int64_t, 3> sums{};
    std::array<int64_t, 3> zeros{};
  };
  LevelCounts CountLevels(const KRect& rect, const YImageView& view);
  bool AdjustableArea(const KRect& rect) const;
  // Paints the print marks and the time scale into the staging column of view column x (rows top to
  // top + rows - 1).
  template <typename Pixel>
  void PaintPrintMarks(int32_t x, int32_t top, int32_t rows, const YImageView& view, Pixel* column);
  // The tile sums (per mille of full scale) of the 8 frames from `first`; false when one cannot be read.
  bool SumTiles(int32_t first, int32_t tiles, std::vector<int64_t>& sums);
  int64_t TimeTolerance() const;

  uint32_t flags = kCreated;
  YCamera camera;
  KSparseArray views;
  KString extension;
  KFile file;
  bool temporary = false;
  YImageBlocks blocks;
  int32_t lastBlock = 0;
  int32_t blockCount = 0;
  int32_t savedBlockCount = -1;
  int32_t frameCount = 0;
  int32_t savedFrameCount = -1;
  YImageCuts cuts;
  int32_t referenceFrame = 0;
  YDisplayTables tables;
  // The cursors of CreateBlock, kept between its calls.
  int32_t rebuildSource = 0;
  int32_t rebuildFrame = 0;
  // A print run.
  struct PrintState {
    bool printing = false;
    uint32_t options = 0;
    KRect rect;
    std::vector<int32_t> marks;
    int32_t margin = 0;
    std::array<int32_t, 3> ticks{};
  };
  PrintState print;
  // The frame the last time search found.
  int32_t lastTimeFrame = 0;
};
