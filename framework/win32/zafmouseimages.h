// The pointer images of the mouse device: one row per image code, either a standard pointer of the window
// system or one of the program's own pictures (drag and drop, no drop), made into native pointers while
// any mouse device exists.
#ifndef FRAMEWORK_WIN32_ZAFMOUSEIMAGES_H
#define FRAMEWORK_WIN32_ZAFMOUSEIMAGES_H

#include <cstdint>
#include <vector>

#include "native/user/nativetypes.h"

// Image codes.
inline constexpr int32_t DM_VIEW = -3200;
inline constexpr int32_t DM_EDIT = -3201;
inline constexpr int32_t DM_WAIT = -3202;
inline constexpr int32_t DM_CROSS_HAIRS = -3203;
inline constexpr int32_t DM_POSITION_IMAGE = -3204;
inline constexpr int32_t DM_LEFT_SIDE = -3205;
inline constexpr int32_t DM_RIGHT_SIDE = -3206;
inline constexpr int32_t DM_TOP_SIDE = -3207;
inline constexpr int32_t DM_BOTTOM_SIDE = -3208;
inline constexpr int32_t DM_TOP_LEFT_CORNER = -3209;
inline constexpr int32_t DM_TOP_RIGHT_CORNER = -3210;
inline constexpr int32_t DM_BOTTOM_LEFT_CORNER = -3211;
inline constexpr int32_t DM_BOTTOM_RIGHT_CORNER = -3212;
inline constexpr int32_t DM_CANCEL = -3213;
inline constexpr int32_t DM_DRAG_MOVE = -3215;
inline constexpr int32_t DM_DRAG_COPY = -3216;
inline constexpr int32_t DM_DRAG_MOVE_MULTIPLE = -3218;
inline constexpr int32_t DM_DRAG_COPY_MULTIPLE = -3219;
inline constexpr int32_t DM_DEFAULT = -3221;
inline constexpr int32_t DM_MOVE = -3222;
inline constexpr int32_t DM_TARGET = -3223;
// The range of codes a mouse device takes as image requests.
inline constexpr int32_t DM_FIRST_IMAGE = -3299;
inline constexpr int32_t DM_LAST_IMAGE = -3200;

struct ZafMouseImage {
  int32_t code;
  // The standard pointer, or none (id 0) for the program's own picture.
  native::IntResource standardCursor;
  int32_t width;
  int32_t height;
  int32_t hotSpotX;
  int32_t hotSpotY;
  // The native pointer; a standard one is shared and never destroyed.
  native::HCURSOR cursor = nullptr;
};

class ZafMouseImages {
 public:
  // The table, made by the first mouse device and gone with the last.
  static void Acquire();
  static void Release();
  static bool Exists() { return users > 0; }
  // The row of a code, or null.
  static const ZafMouseImage* Find(int32_t code);
  static const std::vector<ZafMouseImage>& Rows() { return rows; }

  // The program's own picture of a row (one byte a pixel, rows from the top: 255 transparent, 0 black,
  // 15 white); empty for a row with a standard pointer.
  static std::vector<uint8_t> Picture(const ZafMouseImage& row);

 private:
  static std::vector<ZafMouseImage> rows;
  static int users;
};

#endif
