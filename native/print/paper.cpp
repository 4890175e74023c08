#include "native/print/paper.h"

#include <langinfo.h>

#include <algorithm>
#include <clocale>
#include <cstdint>
#include <cstring>

namespace native {

namespace {

int clampTenths(int tenths) {
  return std::clamp(tenths, Paper::kMinTenths, Paper::kMaxTenths);
}

Paper letter() {
  Paper paper;
  paper.width = Paper::kLetterWidth;
  paper.length = Paper::kLetterLength;
  return paper;
}

// LC_PAPER reports millimetres; US Letter is 216 mm wide, every other common default is A4.
Paper fromLocaleObject(locale_t locale) {
  auto width =
      static_cast<std::intptr_t>(reinterpret_cast<std::uintptr_t>(nl_langinfo_l(_NL_PAPER_WIDTH, locale)));
  return width == 216 ? letter() : Paper{};
}

bool isPlainLocale(const char* name) {
  return name == nullptr || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0 ||
         std::strncmp(name, "C.", 2) == 0;
}

}  // namespace

Paper Paper::fromLocale() {
  const char* name = std::setlocale(LC_PAPER, nullptr);
  if (isPlainLocale(name)) {
    return letter();
  }
  return fromLocaleNamed(name);
}

Paper Paper::fromLocaleNamed(const std::string& name) {
  if (isPlainLocale(name.c_str())) {
    return letter();
  }
  locale_t locale = newlocale(LC_PAPER_MASK, name.c_str(), static_cast<locale_t>(nullptr));
  if (locale == static_cast<locale_t>(nullptr)) {
    return Paper{};
  }
  Paper paper = fromLocaleObject(locale);
  freelocale(locale);
  return paper;
}

Paper Paper::fromDevMode(const DEVMODE* mode, const Paper& base) {
  Paper paper = base;
  if (mode == nullptr) {
    return paper;
  }
  bool sized = false;
  if ((mode->dmFields & DM_PAPERWIDTH) != 0 && (mode->dmFields & DM_PAPERLENGTH) != 0 &&
      mode->dmPaperWidth > 0 && mode->dmPaperLength > 0) {
    paper.width = clampTenths(mode->dmPaperWidth);
    paper.length = clampTenths(mode->dmPaperLength);
    sized = true;
  }
  if (!sized && (mode->dmFields & DM_PAPERSIZE) != 0) {
    if (mode->dmPaperSize == DMPAPER_LETTER) {
      paper.width = kLetterWidth;
      paper.length = kLetterLength;
    } else if (mode->dmPaperSize == DMPAPER_A4) {
      paper.width = kA4Width;
      paper.length = kA4Length;
    }
  }
  if ((mode->dmFields & DM_ORIENTATION) != 0 &&
      (mode->dmOrientation == DMORIENT_PORTRAIT || mode->dmOrientation == DMORIENT_LANDSCAPE)) {
    paper.landscape = mode->dmOrientation == DMORIENT_LANDSCAPE;
  }
  return paper;
}

void Paper::store(DEVMODE* mode) const {
  mode->dmFields |= DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERWIDTH | DM_PAPERLENGTH;
  mode->dmOrientation = landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
  mode->dmPaperWidth = static_cast<short>(width);
  mode->dmPaperLength = static_cast<short>(length);
  if (width == kLetterWidth && length == kLetterLength) {
    mode->dmPaperSize = DMPAPER_LETTER;
  } else if (width == kA4Width && length == kA4Length) {
    mode->dmPaperSize = DMPAPER_A4;
  } else {
    mode->dmPaperSize = 0;
  }
}

}  // namespace native
