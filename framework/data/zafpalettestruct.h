// A palette entry: how a window object draws in one state (line style, fill pattern, colours, font), and
// the rows of palette maps that pick an entry by (palette type, state).
#ifndef FRAMEWORK_DATA_ZAFPALETTESTRUCT_H
#define FRAMEWORK_DATA_ZAFPALETTESTRUCT_H

#include <cstdint>

// Bytes that mean "not set": line style, fill pattern and font use 255, the four colour bytes 254. Native
// colours not set are all ones.
inline constexpr uint8_t ZAF_STYLE_NOT_SET = 255;
inline constexpr uint8_t ZAF_COLOR_NOT_SET = 254;
inline constexpr uint32_t ZAF_OS_COLOR_NOT_SET = 0xFFFFFFFF;

// A map's end row has type 0, or this type with state 0 (compared, then ending the walk).
inline constexpr uint16_t ZAF_PM_END = 0;
inline constexpr uint16_t ZAF_PM_ANY_TYPE = 0xFFFF;

struct ZafPaletteStruct {
  uint8_t lineStyle = ZAF_STYLE_NOT_SET;
  uint8_t fillPattern = ZAF_STYLE_NOT_SET;
  uint8_t colorForeground = ZAF_COLOR_NOT_SET;
  uint8_t colorBackground = ZAF_COLOR_NOT_SET;
  uint8_t colorReserved1 = ZAF_COLOR_NOT_SET;
  uint8_t colorReserved2 = ZAF_COLOR_NOT_SET;
  uint8_t font = ZAF_STYLE_NOT_SET;
  uint32_t osForeground = ZAF_OS_COLOR_NOT_SET;
  uint32_t osBackground = ZAF_OS_COLOR_NOT_SET;

  bool operator==(const ZafPaletteStruct&) const = default;
  // Fill pattern, the four colours and the font all not set (the line style is not looked at): setting
  // such an entry in a map removes it.
  bool IsUnset() const {
    return fillPattern == ZAF_STYLE_NOT_SET && colorForeground == ZAF_COLOR_NOT_SET &&
           colorBackground == ZAF_COLOR_NOT_SET && colorReserved1 == ZAF_COLOR_NOT_SET &&
           colorReserved2 == ZAF_COLOR_NOT_SET && font == ZAF_STYLE_NOT_SET;
  }
};

struct ZafPaletteMap {
  uint16_t type = ZAF_PM_END;
  uint16_t state = 0;
  ZafPaletteStruct palette;

  bool IsEnd() const { return type == ZAF_PM_END || (type == ZAF_PM_ANY_TYPE && state == 0); }
};

#endif
