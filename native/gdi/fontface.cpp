#include "native/gdi/fontface.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include "native/gdi/fontfacecache.h"
#include "native/user/localtext.h"

namespace native {

namespace {

constexpr char kSans[] = "DejaVu Sans";
constexpr char kMono[] = "DejaVu Sans Mono";
constexpr char kSerif[] = "DejaVu Serif";
// The character height of a LOGFONT that asks for no particular size.
constexpr double kDefaultSize = 12;
constexpr double kMaxSize = 2000;
constexpr LONG FIXED_PITCH = 1;

struct FaceAlias {
  const char* name;  // lower case
  const char* family;
};

constexpr FaceAlias kAliases[] = {
    {"helvetica", kSans},        {"arial", kSans},          {"ms sans serif", kSans},
    {"ms shell dlg", kSans},     {"ms shell dlg 2", kSans}, {"microsoft sans serif", kSans},
    {"system", kSans},           {"tahoma", kSans},         {"verdana", kSans},
    {"courier", kMono},          {"courier new", kMono},    {"fixedsys", kMono},
    {"terminal", kMono},         {"lucida console", kMono}, {"times", kSerif},
    {"times new roman", kSerif}, {"tms rmn", kSerif},       {"georgia", kSerif},
};

// Asks fontconfig for the family it would draw a name with.
std::string matchFamily(const std::string& wanted) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(wanted.c_str()));
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  std::string family = kSans;
  FcChar8* name = nullptr;
  if (match != nullptr && FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch &&
      name != nullptr) {
    family = reinterpret_cast<const char*>(name);
  }
  if (match != nullptr) {
    FcPatternDestroy(match);
  }
  FcPatternDestroy(pattern);
  return family;
}

cairo_surface_t* gMeasuringSurface = nullptr;
std::unique_ptr<FontFaceCache> gFaces;

// Cairo and fontconfig keep caches for the life of the process; they are handed back at exit so that a leak
// check sees only real leaks. The faces hold cairo fonts, so they go first.
void releaseFontCaches() {
  gFaces.reset();
  cairo_surface_destroy(gMeasuringSurface);
  gMeasuringSurface = nullptr;
  cairo_debug_reset_static_data();
  FcFini();
}

cairo_t* measuringContext() {
  // One small surface serves every measurement on the GUI thread.
  if (gMeasuringSurface == nullptr) {
    gMeasuringSurface = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    std::atexit(releaseFontCaches);
  }
  return cairo_create(gMeasuringSurface);
}

}  // namespace

std::shared_ptr<const FontFace> FontFace::shared(const LOGFONT& font, double pixelsPerLogical) {
  if (!gFaces) {
    gFaces = std::make_unique<FontFaceCache>();
  }
  return gFaces->face(font, pixelsPerLogical);
}

std::string FontFace::utf8(std::u16string_view text) {
  return utf8FromUtf16(text);
}

std::string FontFace::familyFor(std::u16string_view faceName, bool fixedPitch) {
  std::string name;
  for (char16_t character : faceName) {
    if (character == 0) {
      break;
    }
    name.push_back(character < 0x80 ? static_cast<char>(std::tolower(character)) : '?');
  }
  if (name.empty()) {
    return fixedPitch ? kMono : kSans;
  }
  for (const FaceAlias& alias : kAliases) {
    if (name == alias.name) {
      return alias.family;
    }
  }
  // Fontconfig lookups are slow; each name is asked once.
  static std::map<std::string, std::string> matched;
  auto found = matched.find(name);
  if (found == matched.end()) {
    found = matched.emplace(name, matchFamily(utf8(faceName.substr(0, faceName.find(u'\0'))))).first;
  }
  return found->second;
}

FontFace::FontFace(const LOGFONT& font, double pixelsPerLogical) {
  std::u16string_view face(font.lfFaceName, LF_FACESIZE);
  family_ = familyFor(face.substr(0, face.find(u'\0')), (font.lfPitchAndFamily & 3) == FIXED_PITCH);
  bold_ = font.lfWeight >= 600;
  italic_ = font.lfItalic != 0;
  underline_ = font.lfUnderline != 0;
  strikeOut_ = font.lfStrikeOut != 0;

  cairo_t* cairo = measuringContext();
  // The face's proportions, measured large so that whole-pixel metrics do not distort them.
  constexpr double kProbeSize = 1000;
  size_ = kProbeSize;
  select(cairo);
  cairo_font_extents_t probe{};
  cairo_font_extents(cairo, &probe);
  double cellPerEm = (probe.ascent + probe.descent) / kProbeSize;
  double height = std::abs(static_cast<double>(font.lfHeight)) * pixelsPerLogical;
  if (font.lfHeight == 0) {
    size_ = kDefaultSize;
  } else if (font.lfHeight < 0) {
    size_ = height;  // the character height: the em
  } else {
    size_ = height / std::max(0.1, cellPerEm);  // the cell height: ascent plus descent
  }
  size_ = std::clamp(size_, 1.0, kMaxSize);
  select(cairo);
  scaled_ = cairo_scaled_font_reference(cairo_get_scaled_font(cairo));
  cairo_font_extents_t extents{};
  cairo_scaled_font_extents(scaled_, &extents);
  metrics_.tmAscent = static_cast<LONG>(std::ceil(extents.ascent - 0.01));
  metrics_.tmDescent = static_cast<LONG>(std::ceil(extents.descent - 0.01));
  metrics_.tmHeight = metrics_.tmAscent + metrics_.tmDescent;
  metrics_.tmInternalLeading = std::max<LONG>(0, metrics_.tmHeight - static_cast<LONG>(std::lround(size_)));
  metrics_.tmExternalLeading =
      std::max<LONG>(0, static_cast<LONG>(std::lround(extents.height - extents.ascent - extents.descent)));
  metrics_.tmMaxCharWidth = static_cast<LONG>(std::lround(extents.max_x_advance));
  metrics_.tmWeight = bold_ ? 700 : 400;
  metrics_.tmItalic = italic_ ? 1 : 0;
  metrics_.tmUnderlined = underline_ ? 1 : 0;
  metrics_.tmStruckOut = strikeOut_ ? 1 : 0;
  metrics_.tmFirstChar = u' ';
  metrics_.tmLastChar = 0xFFFD;
  metrics_.tmDefaultChar = u'?';
  metrics_.tmBreakChar = u' ';
  metrics_.tmDigitizedAspectX = 96;
  metrics_.tmDigitizedAspectY = 96;
  // The pitch bit is set for variable-pitch fonts.
  metrics_.tmPitchAndFamily = family_ == kMono ? 0 : 1;
  cairo_destroy(cairo);
  static constexpr char16_t kLetters[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  metrics_.tmAveCharWidth = (width(kLetters) + 26) / 52;
}

FontFace::~FontFace() {
  cairo_scaled_font_destroy(scaled_);
}

void FontFace::select(cairo_t* cairo) const {
  cairo_select_font_face(cairo, family_.c_str(), italic_ ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                         bold_ ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cairo, size_);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_set_font_options(cairo, options);
  cairo_font_options_destroy(options);
}

int FontFace::width(std::u16string_view text) const {
  if (text.empty()) {
    return 0;
  }
  std::string bytes = utf8(text);
  cairo_text_extents_t extents{};
  cairo_scaled_font_text_extents(scaled_, bytes.c_str(), &extents);
  return static_cast<int>(std::lround(extents.x_advance));
}

void FontFace::addText(cairo_t* cairo, double x, double y, std::u16string_view text) const {
  cairo_set_scaled_font(cairo, scaled_);
  std::string bytes = utf8(text);
  double baseline = y + metrics_.tmAscent;
  cairo_move_to(cairo, x, baseline);
  cairo_text_path(cairo, bytes.c_str());
  double lineWidth = std::max(1.0, std::round(size_ / 14));
  double length = width(text);
  if (underline_) {
    cairo_rectangle(cairo, x, baseline + 1, length, lineWidth);
  }
  if (strikeOut_) {
    cairo_rectangle(cairo, x, std::round(baseline - metrics_.tmAscent / 3.0), length, lineWidth);
  }
}

}  // namespace native
