// The static text label of a window: a text the user cannot edit, sized to the text inside the region it
// was given, with an optional hot key that moves the focus to the object after it. It never takes the
// focus itself. The native control and the drawing are defined by the back-end.
#ifndef FRAMEWORK_CORE_ZAFPROMPT_H
#define FRAMEWORK_CORE_ZAFPROMPT_H

#include <cstdint>

#include "framework/core/zafwindowobject.h"

class ZafStringData;

class ZafPrompt : public ZafWindowObject {
 public:
  // One cell high, `width` cells wide, bordered, over new string data of the text.
  ZafPrompt(int32_t left, int32_t top, int32_t width, const ZafIChar* text);
  // The same over the given string data (null = new empty data).
  ZafPrompt(int32_t left, int32_t top, int32_t width, ZafStringData* data);
  // Copies the settings; destroyable text data is copied, shared data stays shared.
  ZafPrompt(const ZafPrompt& other);
  // Reads the named prompt from the persistence's current window; a read error is kept in the error word.
  ZafPrompt(const ZafIChar* name, ZafObjectPersistence& persistence);
  ~ZafPrompt() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  // ---- Text ----
  const ZafIChar* Text() override;
  // Makes new string data when there is none. Answers 0.
  int SetText(const ZafIChar* text) override;
  ZafStringData* StringData() const { return stringData; }
  // Shows and observes new string data (null = none); the old data is deleted when it is destroyable
  // and nobody else uses it. Answers 0.
  virtual int SetStringData(ZafStringData* data);

  // ---- Region ----
  // The region the prompt was given, before it was sized to its text.
  ZafRegionStruct GivenRegion() const { return givenRegion; }
  // Kept as the given region; the prompt is sized to its text again.
  void SetRegion(const ZafRegionStruct& newRegion) override;
  void SetCoordinateTypeOfRegion(int32_t type) override;
  int32_t SetCoordinateType(int32_t type) override;

  // ---- Settings ----
  bool AutoSize() const { return autoSize; }
  ZafIChar HotKeyChar() const { return hotKey; }
  int32_t HotKeyIndex() const { return hotKeyIndex; }
  int32_t Justification() const { return justification; }
  int32_t VerticalJustification() const { return verticalJustification; }
  bool TransparentBackground() const { return transparentBackground; }
  // Each changes the setting only before the native control exists and answers the setting in force.
  virtual bool SetAutoSize(bool flag);
  // Stores the character upper-cased with its index in the text (-1 = none underlined).
  virtual ZafIChar SetHotKey(ZafIChar character, int32_t index);
  virtual int32_t SetJustification(int32_t value);
  virtual bool SetTransparentBackground(bool flag);
  virtual int32_t SetVerticalJustification(int32_t value);

  // A prompt takes none of these: each stores nothing and answers 0 (or null).
  const ZafIChar* SetHelpContext(const ZafIChar* text) override;
  ZafUserFunction SetUserFunction(ZafUserFunction function) override;
  bool SetAcceptDrop(bool flag) override;
  bool SetChanged(bool flag) override;
  bool SetCtrlDrag(bool flag) override;
  bool SetShiftCtrlDrag(bool flag) override;
  bool SetShiftDrag(bool flag) override;
  bool SetFocus(bool flag) override;
  int32_t SetPlacement(int32_t value) override;
  // A prompt is never current: always true.
  bool SetNonCurrent(bool flag) override;
  // With auto-size and a control the prompt is sized to the text in the new font.
  uint8_t SetFont(uint8_t font) override;

  // ---- Native half (defined by the back-end) ----
  ZafEventType Event(const ZafEventRecord& event) override;
  bool SetDisabled(bool flag) override;
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;
  void SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) override;
  ZafEventType NativeEvent(const ZafEventRecord& event) override;
  void CreateNative() override;
  int UpdateNativeText() override;

  // ---- Storage ----
  // The given region is stored, not the one sized to the text.
  ZafError Write(ZafObjectPersistence& persistence) override;
  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);

 private:
  void MakePrompt(ZafStringData* data);
  void ReadPromptFields(ZafObjectPersistence& persistence);
  static ZafLong StringDataChanged(ZafElement* object, int kind);
  int32_t SetWordBeforeCreation(int32_t& field, int32_t value);

  // ---- Native helpers (defined by the back-end) ----
  // FitEvent: back to the given region, then, with auto-size, shrunk to the text as the justifications
  // place it.
  ZafEventType FitToText(const ZafEventRecord& event);
  // The redisplay of a transparent prompt: its parent draws the area under it.
  ZafEventType RedisplayThroughParent(const ZafEventRecord& event);
  // Whether the native control may paint the prompt itself.
  bool ControlPaints() const;

  ZafStringData* stringData = nullptr;
  bool autoSize = true;
  ZafIChar hotKey = 0;
  int32_t hotKeyIndex = -1;
  int32_t justification = 0;
  int32_t verticalJustification = 0;
  bool transparentBackground = false;
  ZafRegionStruct givenRegion;
};

#endif
