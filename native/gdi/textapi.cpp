#include "native/gdi/textapi.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "native/gdi/canvas.h"
#include "native/gdi/fontface.h"
#include "native/gdi/textdrawing.h"
#include "native/user/windowsystem.h"

namespace native {

namespace {

Gdi& gdi() {
  return WindowSystem::get().gdi();
}

void copyFaceName(LPCWSTR source, WCHAR* target) {
  std::fill_n(target, LF_FACESIZE, WCHAR{0});
  if (source == nullptr) {
    return;
  }
  for (int i = 0; i < LF_FACESIZE - 1 && source[i] != 0; ++i) {
    target[i] = source[i];
  }
}

}  // namespace

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                 DWORD quality, DWORD pitchAndFamily, LPCWSTR faceName) {
  LOGFONT font{height,
               width,
               escapement,
               orientation,
               weight,
               static_cast<BYTE>(italic != 0),
               static_cast<BYTE>(underline != 0),
               static_cast<BYTE>(strikeOut != 0),
               static_cast<BYTE>(charSet),
               static_cast<BYTE>(outPrecision),
               static_cast<BYTE>(clipPrecision),
               static_cast<BYTE>(quality),
               static_cast<BYTE>(pitchAndFamily),
               {}};
  copyFaceName(faceName, font.lfFaceName);
  return CreateFontIndirect(&font);
}

HFONT CreateFontIndirect(const LOGFONT* font) {
  if (font == nullptr) {
    return nullptr;
  }
  auto object = std::make_unique<GdiObject>();
  object->type = OBJ_FONT;
  object->font = *font;
  object->font.lfFaceName[LF_FACESIZE - 1] = 0;  // a name without its terminator is cut, never overread
  return static_cast<HFONT>(gdi().add(std::move(object)));
}

BOOL GetTextMetrics(HDC dc, TEXTMETRIC* metrics) {
  const DeviceContext* context = gdi().dc(dc);
  if (context == nullptr || metrics == nullptr) {
    return FALSE;
  }
  *metrics = logicalMetrics(*context, *faceOf(*context));
  return TRUE;
}

int GetTextFace(HDC dc, int capacity, LPWSTR faceName) {
  const DeviceContext* context = gdi().dc(dc);
  if (context == nullptr) {
    return 0;
  }
  const LOGFONT& font = gdi().font(*context);
  std::u16string_view name(font.lfFaceName);
  if (faceName == nullptr) {
    return static_cast<int>(name.size()) + 1;
  }
  if (capacity <= 0) {
    return 0;
  }
  std::size_t count = std::min<std::size_t>(name.size(), static_cast<std::size_t>(capacity) - 1);
  std::copy_n(name.begin(), count, faceName);
  faceName[count] = 0;
  return static_cast<int>(count);
}

BOOL GetTextExtentPoint32(HDC dc, LPCWSTR text, int count, SIZE* size) {
  const DeviceContext* context = gdi().dc(dc);
  if (context == nullptr || size == nullptr || count < 0 || (text == nullptr && count > 0)) {
    return FALSE;
  }
  std::shared_ptr<const FontFace> face = faceOf(*context);
  *size = SIZE{context->logicalLengthX(face->width(textOf(text, count))),
               context->logicalLengthY(face->metrics().tmHeight)};
  return TRUE;
}

BOOL TextOut(HDC dc, int x, int y, LPCWSTR text, int count) {
  Canvas canvas;
  if (count < 0 || (text == nullptr && count > 0) || !canvas.open(dc)) {
    return FALSE;
  }
  std::shared_ptr<const FontFace> face = faceOf(canvas.dc());
  std::u16string_view shown = textOf(text, count);
  drawTextRun(canvas, *face, canvas.toTarget(POINT{x, y}), shown, face->width(shown));
  return TRUE;
}

BOOL SystemParametersInfo(UINT action, UINT, void* data, UINT) {
  if (action != SPI_GETICONTITLELOGFONT || data == nullptr) {
    return FALSE;
  }
  LOGFONT font{};
  font.lfHeight = -11;
  font.lfWeight = 400;
  copyFaceName(u"MS Shell Dlg", font.lfFaceName);
  std::memcpy(data, &font, sizeof font);
  return TRUE;
}

}  // namespace native
