#include "toolkit/kzprinter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "foundation/kfile.h"
#include "foundation/kfiledialog.h"
#include "foundation/kregistry.h"
#include "foundation/krint.h"
#include "framework/core/zafwindow.h"
#include "model/qvsettings.h"
#include "native/native.h"
#include "native/print/printerblocks.h"
#include "toolkit/kzapplication.h"

namespace {

constexpr const char16_t* kMarginNames[] = {u"Left", u"Top", u"Right", u"Bottom"};
constexpr const char16_t* kUnitName = u"Unit";
constexpr double kCentimetresPerInch = 2.54;
constexpr native::COLORREF kBlack = native::RGB(0, 0, 0);
constexpr native::COLORREF kWhite = native::RGB(255, 255, 255);
constexpr native::UINT kTextFormat = native::DT_SINGLELINE | native::DT_NOPREFIX | native::DT_NOCLIP;
// Fonts in page units: the small, the normal and the bold one.
struct FontSpec {
  int32_t slot;
  int32_t height;
  int32_t weight;
};
// Print fonts are outline fonts only.
constexpr native::BYTE kOutlinePrecision = 7;
constexpr FontSpec kFonts[] = {{0, 9, 400}, {1, 12, 400}, {KZPrinter::kBoldSlot, 13, 700}};
// The line height of an image printout grows with the square root of the resolution above 300 dpi.
constexpr int32_t kBaseLineHeight = 53;
constexpr int32_t kBaseLineResolution = 300;
constexpr double kLineGrowth = 1.85;
// The largest picture side the device draws.
constexpr int32_t kMaxBitmapSide = 16384;
// Rows: text ends 3 page units above the next row, rules 1 above it.
constexpr int32_t kTextRowGap = 3;
constexpr int32_t kRuleRowGap = 1;
// The space below the bold font that makes a row.
constexpr int32_t kRowLeading = 7;

double UnitFactor(int32_t unit) {
  return unit == KZPrinter::kCentimetres ? kCentimetresPerInch : 1.0;
}

int32_t Clamp32(int64_t value) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// value * numerator / denominator (above 0), truncating.
int32_t Scale(int32_t value, int32_t numerator, int32_t denominator) {
  return Clamp32(int64_t{value} * numerator / denominator);
}

// A point from one extent to another, truncating; unchanged while either extent is unknown.
native::POINT Rescale(native::POINT point, native::SIZE from, native::SIZE to) {
  if (from.cx <= 0 || from.cy <= 0 || to.cx <= 0 || to.cy <= 0) {
    return point;
  }
  return {Scale(point.x, to.cx, from.cx), Scale(point.y, to.cy, from.cy)};
}

native::RECT Rescale(const native::RECT& rect, native::SIZE from, native::SIZE to) {
  const native::POINT topLeft = Rescale(native::POINT{rect.left, rect.top}, from, to);
  const native::POINT bottomRight = Rescale(native::POINT{rect.right, rect.bottom}, from, to);
  return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

int32_t TextLength(const char16_t* text, int32_t length) {
  if (text == nullptr) {
    return 0;
  }
  return length >= 0 ? length : static_cast<int32_t>(std::char_traits<char16_t>::length(text));
}

// A picture's header with the colour masks that follow it for 15-bit pixels.
struct BitmapHeader {
  native::BITMAPINFOHEADER header;
  native::DWORD masks[3];
};

// Selects an object for the life of the scope.
class Selected {
 public:
  Selected(native::HDC dc, native::HGDIOBJ object) : dc(dc), previous(native::SelectObject(dc, object)) {}
  ~Selected() {
    if (previous) {
      native::SelectObject(dc, previous);
    }
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  native::HDC dc;
  native::HGDIOBJ previous;
};

}  // namespace

KZPrinter::KZPrinter() {
  printDialog.lStructSize = sizeof(printDialog);
  printDialog.Flags = native::PD_RETURNDEFAULT;
  native::PrintDlg(&printDialog);
  printDialog.Flags = 0;
}

KZPrinter::~KZPrinter() {
  ReleaseObjects();
  if (printDialog.hDC) {
    native::DeleteDC(printDialog.hDC);
  }
  native::GlobalFree(printDialog.hDevMode);
  native::GlobalFree(printDialog.hDevNames);
}

// ---- Margins ----

bool KZPrinter::LoadMargins(const KRGroup* group) {
  KRInt* nodes[4];
  for (int32_t side = kLeft; side <= kBottom; ++side) {
    nodes[side] = KRegistry::GetInt(group, kMarginNames[side]);
  }
  const KRInt* unitNode = KRegistry::GetInt(group, kUnitName);
  if (!unitNode || std::find(std::begin(nodes), std::end(nodes), nullptr) != std::end(nodes)) {
    return false;
  }
  // Margins as the page-setup dialog takes them: 0 and up.
  constexpr QvSettings::Range<int32_t> kThousandths{0, INT32_MAX, QvSettings::Outside::kNearestEnd};
  for (int32_t side = kLeft; side <= kBottom; ++side) {
    SetMargin(static_cast<Side>(side), QvSettings::Int(*group, kMarginNames[side], 0, kThousandths));
  }
  SetUnit(QvSettings::Int(*group, kUnitName, kInches, {kInches, kCentimetres}));
  return true;
}

bool KZPrinter::SaveMargins(KRGroup* group) const {
  bool all = true;
  for (int32_t side = kLeft; side <= kBottom; ++side) {
    KRInt* node = KRegistry::GetInt(group, kMarginNames[side]);
    all = node && node->NotifyChanged(margins[side]) && all;
  }
  KRInt* unitNode = KRegistry::GetInt(group, kUnitName);
  return unitNode && unitNode->NotifyChanged(unit) && all;
}

void KZPrinter::SetMargin(Side side, int32_t thousandths) {
  margins[side] = std::max(thousandths, 0);
}

KString KZPrinter::MarginText(int32_t thousandths, int32_t unit) {
  KString text;
  text.AppendReal(thousandths * UnitFactor(unit) * 0.001, "%0.2lf");
  return text;
}

int32_t KZPrinter::MarginFromValue(double value, int32_t unit) {
  const double thousandths = value / UnitFactor(unit) * 1000;
  if (!(thousandths > 0)) {
    return 0;
  }
  return thousandths >= std::numeric_limits<int32_t>::max() ? std::numeric_limits<int32_t>::max()
                                                            : static_cast<int32_t>(thousandths);
}

// ---- Dialogs ----

bool KZPrinter::RunPrintDlg(native::DWORD flags) {
  // A context the last dialog returned and no job took is given up before a new dialog returns another.
  if (printDialog.hDC) {
    native::DeleteDC(printDialog.hDC);
    printDialog.hDC = nullptr;
  }
  printDialog.Flags = flags;
  // Owned by the main window, which the dialog disables while it is up.
  printDialog.hwndOwner = KZApplication::mainFrame ? KZApplication::mainFrame->ScreenID(2) : nullptr;
  return native::PrintDlg(&printDialog) != native::FALSE;
}

bool KZPrinter::PrintSetup() {
  return RunPrintDlg(native::PD_PRINTSETUP | native::PD_NOSELECTION | native::PD_USEDEVMODECOPIES);
}

bool KZPrinter::PrintDialog() {
  return RunPrintDlg(native::PD_RETURNDC | native::PD_NOSELECTION | native::PD_USEDEVMODECOPIES);
}

// ---- The job ----

bool KZPrinter::CreateFonts() {
  ReleaseObjects();
  dc = printDialog.hDC;
  printDialog.hDC = nullptr;
  if (!dc ||
      !MeasurePage(native::GetDeviceCaps(dc, native::HORZSIZE), native::GetDeviceCaps(dc, native::VERTSIZE),
                   native::GetDeviceCaps(dc, native::HORZRES), native::GetDeviceCaps(dc, native::VERTRES))) {
    ReleaseObjects();
    return false;
  }
  ApplyCoordinates();
  if (!MakeFonts()) {
    ReleaseObjects();
    return false;
  }
  SetRowHeight(FontHeight(kBoldSlot) + kRowLeading);
  return true;
}

bool KZPrinter::MakeFonts() {
  native::LOGFONT font{};
  if (!native::SystemParametersInfo(native::SPI_GETICONTITLELOGFONT, sizeof(font), &font, 0)) {
    return false;
  }
  font.lfWidth = 0;
  font.lfEscapement = 0;
  font.lfOrientation = 0;
  font.lfItalic = 0;
  font.lfUnderline = 0;
  font.lfStrikeOut = 0;
  font.lfOutPrecision = kOutlinePrecision;
  for (const FontSpec& spec : kFonts) {
    font.lfHeight = spec.height;
    font.lfWeight = spec.weight;
    fonts[spec.slot] = native::CreateFontIndirect(&font);
    if (!fonts[spec.slot]) {
      return false;
    }
    Selected selected(dc, fonts[spec.slot]);
    native::TEXTMETRIC metrics{};
    native::GetTextMetrics(dc, &metrics);
    fontHeights[spec.slot] = metrics.tmHeight;
  }
  return true;
}

bool KZPrinter::MeasurePage(int32_t widthMm, int32_t heightMm, int32_t widthPixels, int32_t heightPixels) {
  const int64_t millimetres[2] = {widthMm, heightMm};
  const int64_t pixels[2] = {widthPixels, heightPixels};
  const int64_t lost[2] = {int64_t{margins[kLeft]} + margins[kRight],
                           int64_t{margins[kTop]} + margins[kBottom]};
  int64_t resolution[2];
  int64_t printable[2];
  int64_t printablePixels[2];
  int64_t page[2];
  for (int axis = 0; axis < 2; ++axis) {
    const int64_t paper = millimetres[axis] * 10000 / 254;
    if (paper <= 0 || pixels[axis] <= 0 || paper > std::numeric_limits<int32_t>::max()) {
      return false;
    }
    resolution[axis] = pixels[axis] * 1000 / paper;
    printable[axis] = paper - lost[axis];
    printablePixels[axis] = printable[axis] * resolution[axis] / 1000;
    page[axis] = printable[axis] * kPageResolution / 1000;
    if (resolution[axis] <= 0 || resolution[axis] > std::numeric_limits<int32_t>::max() ||
        printablePixels[axis] <= 0 || page[axis] <= 0) {
      return false;
    }
  }
  printableWidth = static_cast<int32_t>(printable[0]);
  printableHeight = static_cast<int32_t>(printable[1]);
  resolutionX = static_cast<int32_t>(resolution[0]);
  resolutionY = static_cast<int32_t>(resolution[1]);
  printablePixelWidth = static_cast<int32_t>(printablePixels[0]);
  printablePixelHeight = static_cast<int32_t>(printablePixels[1]);
  pageWidth = static_cast<int32_t>(page[0]);
  pageHeight = static_cast<int32_t>(page[1]);
  originX = Clamp32(int64_t{margins[kLeft]} * resolutionX / 1000);
  originY = Clamp32(int64_t{margins[kTop]} * resolutionY / 1000);
  return true;
}

bool KZPrinter::StartDoc(const KString& documentName) {
  if (!dc) {
    return false;
  }
  std::string output;
  if (printDialog.Flags & native::PD_PRINTTOFILE) {
    const std::optional<native::DeviceNames> names = native::PrinterBlocks::readNames(printDialog.hDevNames);
    KFile file(KString::FromUtf8(names ? names->output : std::string()));
    if (KSaveFileDialog(file, u"ps") < 0) {
      return false;
    }
    output = file.Name().ToUtf8();
  }
  const std::string name = documentName.ToUtf8();
  native::DOCINFO info{};
  info.cbSize = sizeof(info);
  info.lpszDocName = name.c_str();
  info.lpszOutput = output.empty() ? nullptr : output.c_str();
  jobId = native::StartDoc(dc, &info);
  return jobId >= 1;
}

bool KZPrinter::StartPage() {
  if (!dc || native::StartPage(dc) <= 0) {
    return false;
  }
  ApplyCoordinates();
  return true;
}

bool KZPrinter::EndPage() {
  return dc && native::EndPage(dc) > 0;
}

bool KZPrinter::EndDoc() {
  return dc && native::EndDoc(dc) > 0;
}

bool KZPrinter::AbortDoc() {
  return dc && native::AbortDoc(dc) > 0;
}

void KZPrinter::ReleaseObjects() {
  for (native::HFONT& font : fonts) {
    if (font) {
      native::DeleteObject(font);
      font = nullptr;
    }
  }
  std::fill(std::begin(fontHeights), std::end(fontHeights), 0);
  if (dc) {
    native::DeleteDC(dc);
    dc = nullptr;
  }
  jobId = -1;
}

// ---- Coordinates ----

void KZPrinter::SetPixelCoordinates(bool pixels) {
  pixelCoordinates = pixels;
  if (dc) {
    ApplyCoordinates();
  }
}

void KZPrinter::ApplyCoordinates() {
  const native::SIZE extent = Extent();
  native::SetMapMode(dc, native::MM_ANISOTROPIC);
  native::SetWindowExtEx(dc, extent.cx, extent.cy, nullptr);
  native::SetViewportExtEx(dc, printablePixelWidth, printablePixelHeight, nullptr);
  native::SetViewportOrgEx(dc, originX, originY, nullptr);
  // Whatever is drawn stays on the printable area inside the margins.
  native::SelectClipRgn(dc, nullptr);
  native::IntersectClipRect(dc, 0, 0, extent.cx, extent.cy);
}

native::SIZE KZPrinter::Extent() const {
  return pixelCoordinates ? native::SIZE{printablePixelWidth, printablePixelHeight}
                          : native::SIZE{pageWidth, pageHeight};
}

native::POINT KZPrinter::ToDevice(native::POINT point) const {
  return Rescale(point, {pageWidth, pageHeight}, {printablePixelWidth, printablePixelHeight});
}

native::RECT KZPrinter::ToDevice(const native::RECT& rect) const {
  return Rescale(rect, {pageWidth, pageHeight}, {printablePixelWidth, printablePixelHeight});
}

native::POINT KZPrinter::ToPage(native::POINT point) const {
  return Rescale(point, {printablePixelWidth, printablePixelHeight}, {pageWidth, pageHeight});
}

native::RECT KZPrinter::ToPage(const native::RECT& rect) const {
  return Rescale(rect, {printablePixelWidth, printablePixelHeight}, {pageWidth, pageHeight});
}

// ---- Fonts and text ----

void KZPrinter::SetFlag(int32_t slot) {
  if (slot >= 0 && slot < kFontSlots) {
    fontSlot = slot;
  }
}

int32_t KZPrinter::FontHeight(int32_t slot) const {
  return slot >= 0 && slot < kFontSlots ? fontHeights[slot] : 0;
}

int32_t KZPrinter::LineHeight(int32_t resolution) const {
  if (resolution == -1) {
    resolution = resolutionY;
  }
  if (resolution <= kBaseLineResolution) {
    return kBaseLineHeight;
  }
  return kBaseLineHeight +
         static_cast<int32_t>(kLineGrowth * std::sqrt(static_cast<double>(resolution) - kBaseLineResolution));
}

native::SIZE KZPrinter::TextExtent(const char16_t* text, int32_t length) const {
  native::SIZE size{0, 0};
  if (!dc) {
    return size;
  }
  Selected selected(dc, fonts[fontSlot]);
  native::GetTextExtentPoint32(dc, text, TextLength(text, length), &size);
  return size;
}

int32_t KZPrinter::FitText(const char16_t* text, int32_t length, int32_t width) const {
  return KZFittingLength(text, length, width, WidthMeasure());
}

KString KZPrinter::ShortenText(const KString& text, int32_t width) const {
  return KZShortenedText(text, width, WidthMeasure());
}

KZTextMeasure KZPrinter::WidthMeasure() const {
  return [this](const char16_t* text, int32_t count) { return TextExtent(text, count).cx; };
}

native::UINT KZPrinter::AlignmentFormat(int32_t horizontal, int32_t vertical) {
  const native::UINT across = horizontal == kAlignRight    ? native::DT_RIGHT
                              : horizontal == kAlignCentre ? native::DT_CENTER
                                                           : native::DT_LEFT;
  const native::UINT down = vertical == kAlignTop      ? native::DT_TOP
                            : vertical == kAlignBottom ? native::DT_BOTTOM
                                                       : native::DT_VCENTER;
  return across | down;
}

native::RECT KZPrinter::Rows(const native::RECT& rect, int32_t rowEnd) const {
  if (rowHeight <= 1) {
    return rect;
  }
  const int64_t top = int64_t{rect.top} * rowHeight;
  return {rect.left, Clamp32(top), rect.right, Clamp32(top + rowHeight - rowEnd)};
}

bool KZPrinter::DrawText(const native::RECT& rect, const char16_t* text, int32_t horizontal,
                         int32_t vertical) {
  if (!dc || rect.bottom <= rect.top) {
    return false;
  }
  const native::SIZE extent = Extent();
  native::RECT area = Rows(rect, kTextRowGap);
  area.left = std::max(area.left, 0);
  area.right = std::min(area.right, extent.cx);
  if (area.right <= area.left) {
    return false;
  }
  const int32_t shown = FitText(text, -1, area.right - area.left);
  const native::UINT format = kTextFormat | AlignmentFormat(horizontal, vertical);
  const int32_t height = TextExtent(text, shown).cy;
  const int32_t top = native::alignedTop(area, height, format);
  // A text that would leave the page (rows past its end) is not printed at all.
  if (shown == 0 || top < 0 || int64_t{top} + height > extent.cy) {
    return false;
  }
  Selected selected(dc, fonts[fontSlot]);
  native::SetTextColor(dc, kBlack);
  native::SetBkColor(dc, kWhite);
  native::SetBkMode(dc, native::TRANSPARENT);
  native::DrawText(dc, text, shown, &area, format);
  return true;
}

bool KZPrinter::DrawLines(const native::RECT& rect) {
  if (!dc || rect.right - rect.left < 1) {
    return false;
  }
  const native::SIZE extent = Extent();
  const native::RECT area = Rows(rect, kRuleRowGap);
  const int32_t left = std::max(area.left, 0);
  const int32_t right = std::min(area.right, extent.cx);
  if (right <= left || area.bottom < 0 || area.bottom >= extent.cy) {
    return false;
  }
  const native::HPEN pen = native::CreatePen(native::PS_SOLID, fontSlot == kBoldSlot ? 1 : 0, kBlack);
  {
    Selected selected(dc, pen);
    native::MoveToEx(dc, left, area.bottom, nullptr);
    native::LineTo(dc, right, area.bottom);
  }
  native::DeleteObject(pen);
  return true;
}

bool KZPrinter::DrawBitmap(const native::RECT& destination, const native::RECT& source, const void* pixels,
                           int32_t bitsPerPixel) {
  const int32_t width = source.right - source.left;
  const int32_t height = source.bottom - source.top;
  if (!dc || !pixels || width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
      (bitsPerPixel != 15 && bitsPerPixel != 24)) {
    return false;
  }
  BitmapHeader info{};
  info.header.biSize = sizeof(info.header);
  info.header.biWidth = width;
  info.header.biHeight = -height;
  info.header.biPlanes = 1;
  info.header.biBitCount = bitsPerPixel == 15 ? 16 : 24;
  info.header.biCompression = bitsPerPixel == 15 ? native::BI_BITFIELDS : native::BI_RGB;
  info.masks[0] = 0x7C00;  // red, green, blue of the words 0RRRRRGGGGGBBBBB
  info.masks[1] = 0x03E0;
  info.masks[2] = 0x001F;
  return native::StretchDIBits(dc, destination.left, destination.top, destination.right - destination.left,
                               destination.bottom - destination.top, 0, 0, width, height, pixels,
                               reinterpret_cast<const native::BITMAPINFO*>(&info), native::DIB_RGB_COLORS,
                               native::SRCCOPY) > 0;
}

// ---- Orientation ----

bool KZPrinter::IsLandscape() const {
  const std::optional<native::DEVMODE> mode = native::PrinterBlocks::readDevMode(printDialog.hDevMode);
  return mode && mode->dmOrientation == native::DMORIENT_LANDSCAPE;
}

void KZPrinter::SetLandscape(int32_t landscape) {
  std::optional<native::DEVMODE> mode = native::PrinterBlocks::readDevMode(printDialog.hDevMode);
  if (!mode) {
    return;
  }
  mode->dmOrientation = landscape == 1 ? native::DMORIENT_LANDSCAPE : native::DMORIENT_PORTRAIT;
  mode->dmFields |= native::DM_ORIENTATION;
  if (native::HGLOBAL block = native::PrinterBlocks::writeDevMode(*mode)) {
    native::GlobalFree(printDialog.hDevMode);
    printDialog.hDevMode = block;
  }
}
