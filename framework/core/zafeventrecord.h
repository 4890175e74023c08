// The record handed to every Event operation: a native message or a framework event, with the value,
// modifiers, addressed and reference objects, and a five-word data part whose meaning the type decides.
#ifndef FRAMEWORK_CORE_ZAFEVENTRECORD_H
#define FRAMEWORK_CORE_ZAFEVENTRECORD_H

#include <cstdint>
#include <memory>

#include "framework/core/zafregionstruct.h"
#include "framework/data/zafscrollstruct.h"
#include "framework/data/zaftypes.h"
#include "native/user/nativetypes.h"

class ZafWindowObject;

// Event types with a fixed meaning here (the type of a native message, and the device events).
inline constexpr int32_t E_OSEVENT = 1;
inline constexpr int32_t E_KEY = 10;
inline constexpr int32_t E_MOUSE = 30;
inline constexpr int32_t E_HELP_TIPS = 71;

// Categories answered by ZafEventRecord::Category.
inline constexpr int32_t ZAF_CATEGORY_NONE = 0;
inline constexpr int32_t ZAF_CATEGORY_KEYBOARD = 10;
inline constexpr int32_t ZAF_CATEGORY_MOUSE = 30;
inline constexpr int32_t ZAF_CATEGORY_SYSTEM = -2999;
inline constexpr int32_t ZAF_CATEGORY_USER = 100;

// A key as the keyboard device reports it: the character or key code and the shift state.
struct ZafKeyStruct {
  int32_t shiftState = 0;
  int32_t value = 0;
};

class ZafEventRecord {
 public:
  // Every word zero.
  ZafEventRecord() = default;
  ZafEventRecord(int32_t type, int32_t value);
  ZafEventRecord(int32_t type, const native::MSG& message);
  // A region event (for example a request to set a region).
  ZafEventRecord(int32_t type, int32_t value, int32_t left, int32_t top, int32_t right, int32_t bottom,
                 int32_t coordinateType);

  void Clear() { *this = ZafEventRecord(); }

  // Keyboard, mouse, system, user or none (see the ZAF_CATEGORY values).
  static int32_t Category(const ZafEventRecord& event);

  // The data words seen as each of the kinds an event can carry. Every view reads and writes the same
  // five words, so a region's left and top are a position's column and line.
  ZafPositionStruct Position() const { return {data[0], data[1], data[2]}; }
  void SetPosition(const ZafPositionStruct& position);
  ZafRegionStruct Region() const { return {data[0], data[1], data[2], data[3], data[4]}; }
  void SetRegion(const ZafRegionStruct& region);
  ZafScrollStruct Scroll() const { return {data[0], data[1], data[2], data[3], data[4]}; }
  void SetScroll(const ZafScrollStruct& scroll);
  ZafKeyStruct Key() const { return {data[0], data[1]}; }
  void SetKey(const ZafKeyStruct& key);

  // The text a request carries. Copies of a record share it and the last one frees it, so a text put
  // into the queue, taken out and handled is freed once whoever drops it.
  const ZafIChar* Text() const { return text.get(); }
  // Takes a copy of the text (null clears it).
  void SetText(const ZafIChar* newText);

  int32_t type = 0;
  native::MSG osEvent{};
  int32_t value = 0;
  int32_t modifiers = 0;
  // The object a native message is addressed to (set by the window procedure for key messages).
  ZafWindowObject* addressedObject = nullptr;
  // The object in whose coordinates the position is given; null until translated.
  ZafWindowObject* referenceObject = nullptr;
  int32_t word1 = 0;
  int32_t word2 = 0;
  // The object an event is about (a window to add, the focus object...).
  ZafWindowObject* windowObject = nullptr;
  int32_t data[5] = {};

 private:
  std::shared_ptr<const ZafIChar[]> text;
};

#endif
