// The settings the image pane reads. None has a built-in default: a missing one counts as 0.
#ifndef IMAGING_UI_YZIMAGEPANESETTINGS_H
#define IMAGING_UI_YZIMAGEPANESETTINGS_H

#include <cstdint>

#include "model/qvsettings.h"

namespace YZImagePaneSettings {

inline constexpr const char16_t* kCursorColour = u"\\Event\\Image\\Hash\\Color";
inline constexpr const char16_t* kCursorWidth = u"\\Event\\Image\\Hash\\Width";
inline constexpr const char16_t* kCrossWidth = u"\\Event\\Image\\Hash\\CrossWidth";
inline constexpr const char16_t* kShowLines = u"\\Event\\Image\\Hash\\ShowLines";
inline constexpr const char16_t* kPrintLines = u"\\Event\\Image\\Selection\\PrintLines";
inline constexpr const char16_t* kMaxMemory = u"\\Event\\Image\\ExportBitmap\\MaxMemory";

inline int32_t Value(const char16_t* key) {
  return QvSettings::Int(key, 0);
}

// The cursor's palette colour: 0 black, 1 bright red, 2 white, 3 bright green; anything else bright red.
inline uint8_t CursorColour() {
  constexpr uint8_t kColours[] = {0, 12, 15, 10};
  const int32_t chosen = Value(kCursorColour);
  return chosen >= 0 && chosen <= 3 ? kColours[chosen] : kColours[1];
}

// The marks' palette colour: white.
inline constexpr uint8_t kMarksColour = 15;

}  // namespace YZImagePaneSettings

#endif
