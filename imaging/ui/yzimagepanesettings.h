// The settings the image pane reads. None has a built-in default: a missing one counts as 0.
#ifndef IMAGING_UI_YZIMAGEPANESETTINGS_H
#define IMAGING_UI_YZIMAGEPANESETTINGS_H

#include <cstdint>

#include "foundation/kregistry.h"
#include "model/qvsettings.h"

namespace YZImagePaneSettings {

// A setting and the values it may hold; a value outside them is replaced as the settings reader does.
struct Key {
  const char16_t* path;
  QvSettings::Range<int32_t> range;
};

// A count of lines or bytes: 0 and up.
inline constexpr QvSettings::Range<int32_t> kCount{0, INT32_MAX, QvSettings::Outside::kNearestEnd};

inline constexpr Key kCursorColour{u"\\Event\\Image\\Hash\\Color", {0, 3}};
inline constexpr Key kCursorWidth{u"\\Event\\Image\\Hash\\Width", kCount};
inline constexpr Key kCrossWidth{u"\\Event\\Image\\Hash\\CrossWidth", kCount};
inline constexpr Key kShowLines{u"\\Event\\Image\\Hash\\ShowLines", QvSettings::kSwitch};
// 0 off, 1 a click on a mark toggles its result, 2 also the results marked are selected as the mouse is
// released.
inline constexpr Key kPrintLines{u"\\Event\\Image\\Selection\\PrintLines", {0, 2}};
inline constexpr Key kMaxMemory{u"\\Event\\Image\\ExportBitmap\\MaxMemory", kCount};

inline int32_t Value(const Key& key) {
  return QvSettings::Int(key.path, 0, key.range);
}

// The cursor's palette colour: 0 black, 1 bright red, 2 white, 3 bright green; black when the setting is
// missing, bright red for a value outside them.
inline uint8_t CursorColour() {
  constexpr uint8_t kColours[] = {0, 12, 15, 10};
  const bool missing = KRegistry::GetInt(QvSettings::Root(), KString::View(kCursorColour.path)) == nullptr;
  return kColours[missing ? 0 : QvSettings::Int(kCursorColour.path, 1, kCursorColour.range)];
}

// The marks' palette colour: white.
inline constexpr uint8_t kMarksColour = 15;

}  // namespace YZImagePaneSettings

#endif
