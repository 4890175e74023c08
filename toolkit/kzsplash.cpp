#include "toolkit/kzsplash.h"

#include <algorithm>

#include "foundation/kbufferedfile.h"
#include "foundation/kx.h"
#include "framework/core/zafdisplay.h"
#include "framework/core/zafwindowmanager.h"
#include "toolkit/kzapplication.h"
#include "toolkit/kzfonttable.h"

namespace {

constexpr int32_t kReadBuffer = 4096;
constexpr int32_t kPictureDepth = 15;
constexpr int32_t kNoTransparentColor = -1;
// The text area, from the picture's left edge and from its bottom edge, in pixels: the light band of the
// picture that the texts are written on.
constexpr int32_t kTextLeft = 58;
constexpr int32_t kTextRight = 311;
constexpr int32_t kTextTopFromBottom = 68;
constexpr int32_t kTextBottomFromBottom = 39;
// Raster mode that copies the text onto the picture.
constexpr uint8_t kCopyMode = 0;

}  // namespace

KZSplash::KZSplash() : KZSplash(DefaultPicturePath()) {}

KZSplash::KZSplash(const KString& picturePath) : KZWindow(0, 0, 0, 0) {
  SetCoordinateType(ZAF_PIXEL);
  // The window paints itself: picture and texts, no background.
  SetNativeDrawing(false);
  ReadPicture(picturePath);
  const int32_t width = picture.Width();
  const int32_t height = picture.Height();
  SetRegion({0, 0, width - 1, height - 1, ZAF_PIXEL});
  if (windowManager) {
    windowManager->Center(this);
  }
  textRect = {kTextLeft, height - kTextTopFromBottom, kTextRight, height - kTextBottomFromBottom};
}

KZSplash::~KZSplash() = default;

KString KZSplash::DefaultPicturePath() {
  if (!KZApplication::application) {
    return KString();
  }
  KFile file;
  file.Assign(KZApplication::application->ProgramFile());
  file.SetExtension(u"tgs");
  return file.Name();
}

void KZSplash::ReadPicture(const KString& path) {
  try {
    KBufferedFile file(kReadBuffer, path);
    file.Open(KFile::kRead);
    picture.ImportTarga(file);
  } catch (const KX&) {
    // Without its picture the program starts all the same; the import leaves the bitmap as it was.
  }
}

ZafEventType KZSplash::Draw(const ZafEventRecord&, ZafEventType drawType) {
  const uint8_t* bits = picture.Data();
  if (!bits) {
    return drawType;
  }
  BeginDraw();
  // The rectangle is the picture's own size whatever the window's, so the rows are never overread.
  DrawBits({0, 0, picture.Width() - 1, picture.Height() - 1}, bits, kPictureDepth, picture.Stride(),
           kNoTransparentColor);
  DrawTexts();
  EndDraw();
  return drawType;
}

void KZSplash::DrawTexts() {
  static const KZProductInfo none;
  const KZProductInfo& info = KZApplication::application ? KZApplication::application->productInfo : none;
  const int32_t font = std::clamp(info.splashFont, 0, KZFontTable::kFonts - 1);
  const KZDrawingState previous = SetDrawingState({kCopyMode, LogicalPalette(ZAF_PM_TEXT, ZAF_PM_ACTIVE)});
  display->SetFont(font);

  KString version(u"Version: ");
  version.Append(info.version).Append(info.edition);
  DrawTextAt(textRect.left, textRect.top, version.CStr(), -1, false);

  KString released(u"Released: ");
  released.Append(info.buildDate);
  const int32_t releasedWidth = display->TextSize(released.CStr(), -1).Width();
  DrawTextAt(textRect.right - releasedWidth, textRect.top, released.CStr(), -1, false);

  DrawTextAt(textRect.left, textRect.bottom - FontHeight(font), info.notice.CStr(), -1, false);
  SetDrawingState(previous);
}
