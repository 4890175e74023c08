// The image pane's bitmap export: the marked rectangle, rendered as the view shows it at no zoom, written
// to a JPEG or Targa file. Small pictures are rendered in memory first; larger ones (above the
// "MaxMemory" setting, or when memory is short) are rendered in bands of rows while the file is written,
// and only then can the break key stop the export. The file is written under a temporary name and takes
// its place only once complete, so a failed or stopped export leaves no partial file and keeps an earlier
// one.
#include <algorithm>
#include <new>

#include "foundation/kbitmap.h"
#include "foundation/kfile.h"
#include "foundation/kfiledialog.h"
#include "foundation/kx.h"
#include "imaging/ui/yzimagepane.h"
#include "imaging/ui/yzimagepanesettings.h"
#include "imaging/ui/yzpiecewalk.h"
#include "imaging/yimage.h"
#include "imaging/yimagereporter.h"
#include "imaging/yimageview.h"
#include "imaging/yzoom.h"

namespace {

// Pieces rendered in memory: 24 bits, blue, green, red, in packed rows.
constexpr uint32_t kMemoryPieces = YBitmapOptions::kDepth24 | YBitmapOptions::kAlign1;
constexpr int32_t kPieceBytesPerPixel = 3;
// The name offered for an image of a camera without a name.
constexpr const char16_t* kDefaultName = u"Image";

KString LanguageText(const char16_t* key, const char16_t* fallback = u"") {
  return QvSettings::Text(key, fallback);
}

// Grey for a JPEG of a grey image, 24-bit colour for a JPEG of a colour image, 15-bit colour for a Targa.
uint32_t BitmapFormat(bool jpeg, bool greyImage) {
  if (!jpeg) {
    return KBitmap::kRgb15 | KBitmap::kAlign1;
  }
  return (greyImage ? KBitmap::kGrey8 : KBitmap::kRgb24) | KBitmap::kAlign1;
}

// The band options for a bitmap's depth.
uint32_t BandOptions(int32_t bitsPerPixel) {
  const uint32_t depth = bitsPerPixel == 8    ? YBitmapOptions::kDepth8
                         : bitsPerPixel == 15 ? YBitmapOptions::kDepth15
                                              : YBitmapOptions::kDepth24;
  return YBitmapOptions::kRowBands | YBitmapOptions::kAlign1 | depth;
}

// One export of a view rectangle (at the view's zoom of 1) to a file.
class BitmapExport {
 public:
  BitmapExport(YImage& image, YImageView& view, const KRect& rect, const KString& path)
      : image(image), view(view), rect(rect), path(path), format(KBitmap::FileFormat(path)) {}

  // Writes the file; throws what fails. False when the break key stopped it.
  bool Write() {
    const bool greyImage = image.Camera().Parameter(27) == 0;
    bitmap = std::make_unique<KBitmap>(rect.Width(), rect.Height(),
                                       BitmapFormat(format == KBitmap::kFormatJpeg, greyImage));
    const int64_t bytes = static_cast<int64_t>(bitmap->Stride()) * bitmap->Height();
    const bool inMemory =
        bytes <= YZImagePaneSettings::Value(YZImagePaneSettings::kMaxMemory) && bitmap->AllocateMemory();
    if (inMemory) {
      RenderInMemory();
    }
    KFile::SaveSafely(path, [&](KStream& stream) {
      bitmap->Export(stream, format, inMemory ? &MemoryRow : &BandRow, this);
    });
    return !aborted;
  }
  bool Aborted() const { return aborted; }

 private:
  void RenderInMemory() {
    const int32_t width = rect.Width();
    YZForEachPiece(image, view, rect, kMemoryPieces, [&](const YBitmapPiece& piece, const KRect& left) {
      const KRect& covered = piece.covered;
      for (int32_t row = 0; row < covered.Height(); ++row) {
        const uint8_t* pixel = piece.pixels.data() + row * piece.stride;
        for (int32_t column = 0; column < covered.Width(); ++column, pixel += kPieceBytesPerPixel) {
          bitmap->SetPixel(covered.left + column - rect.left, covered.top + row - rect.top, pixel[2],
                           pixel[1], pixel[0]);
        }
      }
      const int32_t remaining = left.Area() > 0 ? left.Width() : 0;
      YImageReporter::Current().Progress((width - remaining) * 100 / width);
    });
  }

  static const uint8_t* MemoryRow(int32_t row, void* context) {
    return static_cast<BitmapExport*>(context)->bitmap->Row(row);
  }

  static const uint8_t* BandRow(int32_t row, void* context) {
    return static_cast<BitmapExport*>(context)->NextBandRow(row);
  }

  const uint8_t* NextBandRow(int32_t row) {
    YImageReporter& reporter = YImageReporter::Current();
    if (reporter.BreakPressed()) {
      aborted = true;
      return nullptr;
    }
    reporter.Progress(row * 100 / rect.Height());
    const int32_t viewRow = rect.top + row;
    if (!band || viewRow > band->covered.bottom) {
      band = image.GetBitmap({rect.left, viewRow, rect.right, rect.bottom}, view,
                             BandOptions(bitmap->BitsPerPixel()));
      if (!band || band->covered.top != viewRow) {
        throw KX(kErrOperationFailed);
      }
    }
    return band->pixels.data() + (viewRow - band->covered.top) * band->stride;
  }

  YImage& image;
  YImageView& view;
  const KRect rect;
  const KString path;
  const int32_t format;
  std::unique_ptr<KBitmap> bitmap;
  std::optional<YBitmapPiece> band;
  bool aborted = false;
};

// Puts back what the export changes, on every way out: the view's zoom, the image's print run, the status
// bar and the pointer.
class ExportScope {
 public:
  ExportScope(YImage& image, YImageView& view) : image(image), view(view), savedZoom(view.Zoom()) {
    YImageReporter& reporter = YImageReporter::Current();
    reporter.Busy(true);
    reporter.StatusText(LanguageText(u"\\Strings\\Event\\Image\\ExportingBitmap"));
    reporter.Progress(0);
  }
  ~ExportScope() {
    image.EndPrinting();
    view.Zoom().Assign(savedZoom, false);
    YImageReporter& reporter = YImageReporter::Current();
    reporter.StatusText(KString());
    reporter.Progress(-1);
    reporter.Busy(false);
  }
  ExportScope(const ExportScope&) = delete;
  ExportScope& operator=(const ExportScope&) = delete;

 private:
  YImage& image;
  YImageView& view;
  const YZoom savedZoom;
};

}  // namespace

void YZImagePane::ExportMarkedRectangle() {
  YImageReporter& reporter = YImageReporter::Current();
  const bool marked = view && view->UpdateHash();
  const KRect imageRect = marked ? image->ViewToRect(view->Marks(), *view) : KRect();
  if (!marked || imageRect.Area() <= 0) {
    reporter.ErrorMessage(LanguageText(u"\\Strings\\Event\\Image\\BadSelection"), KString());
    return;
  }
  // The image's source event is never known here, so the name comes from the camera.
  KFile file(ExportFile());
  const KString& camera = image->Camera().Name();
  KFile::SetFileName(file, camera.IsEmpty() ? KString(kDefaultName) : camera);
  const bool jpeg = KBitmap::FileFormat(ExportFile()) == KBitmap::kFormatJpeg;
  if (KSaveFileDialog(file, jpeg ? KString(u"jpg,tga") : KString(u"tga,jpg"), false,
                      KFileDialogRequest::OwnExtension::kPicture) < 0) {
    return;
  }
  ExportFile() = file.Name();

  int32_t failure = kErrNone;
  int32_t detail = -1;
  bool aborted = false;
  {
    ExportScope scope(*image, *view);
    try {
      view->Zoom().Set(1, 1, false);
      const KRect rect = image->RectToView(imageRect, *view);
      image->BeginPrinting(rect, nullptr, *view, 0);
      BitmapExport job(*image, *view, rect, file.Name());
      try {
        job.Write();
      } catch (...) {
        aborted = job.Aborted();
        throw;
      }
    } catch (const KXStream& error) {
      failure = error.Code();
      detail = error.Detail();
    } catch (const KX& error) {
      failure = error.Code();
    } catch (const std::bad_alloc&) {
      failure = kErrAllocate;
    }
  }
  if (aborted) {
    reporter.StatusText(LanguageText(u"\\Strings\\Alerts\\UserAborted", u"Operation aborted by user."));
  } else if (failure != kErrNone) {
    reporter.ErrorAlert(failure, detail);
  }
}
