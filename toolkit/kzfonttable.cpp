#include "toolkit/kzfonttable.h"

#include <array>
#include <string>
#include <vector>

#include "foundation/kstring.h"
#include "framework/core/zafwindowobject.h"
#include "framework/win32/zafgdidisplay.h"
#include "native/gdi/dcapi.h"
#include "native/gdi/textapi.h"

namespace {

struct FontEntry {
  native::TEXTMETRIC metrics{};
  std::string faceName;
};

std::array<FontEntry, KZFontTable::kFonts> fonts;

bool InRange(int32_t fontIndex) {
  return fontIndex >= 0 && fontIndex < KZFontTable::kFonts;
}

// The face name of the font selected into the context, as 8-bit text.
std::string SelectedFaceName(native::HDC dc) {
  const int length = native::GetTextFace(dc, 0, nullptr);
  if (length <= 0) {
    return {};
  }
  std::vector<char16_t> name(static_cast<size_t>(length) + 1, 0);
  const int copied = native::GetTextFace(dc, length + 1, name.data());
  return KString(static_cast<const char16_t*>(name.data()), copied > 0 ? copied : 0).ToUtf8();
}

}  // namespace

void KZFontTable::InitFonts() {
  ExitFonts();
  ZafDisplay* display = ZafWindowObject::display;
  if (!display) {
    return;
  }
  const ZafRegionStruct screen{0, 0, display->columns - 1, display->lines - 1, ZAF_PIXEL};
  display->BeginDraw(nullptr, ZAF_WHOLE_SCREEN, screen, screen);
  const native::HDC dc = display->DeviceContext();
  for (int32_t index = 0; dc && index < kFonts; ++index) {
    const native::HFONT font = display->fontTable[static_cast<size_t>(index)];
    if (!font) {
      continue;
    }
    const native::HGDIOBJ previous = native::SelectObject(dc, font);
    native::GetTextMetrics(dc, &fonts[static_cast<size_t>(index)].metrics);
    fonts[static_cast<size_t>(index)].faceName = SelectedFaceName(dc);
    native::SelectObject(dc, previous);
  }
  display->EndDraw();
}

void KZFontTable::ExitFonts() {
  fonts.fill(FontEntry{});
}

const native::TEXTMETRIC* KZFontTable::Metrics(int32_t fontIndex) {
  return InRange(fontIndex) ? &fonts[static_cast<size_t>(fontIndex)].metrics : nullptr;
}

const char* KZFontTable::FaceName(int32_t fontIndex) {
  if (!InRange(fontIndex) || fonts[static_cast<size_t>(fontIndex)].faceName.empty()) {
    return nullptr;
  }
  return fonts[static_cast<size_t>(fontIndex)].faceName.c_str();
}
