// The multi-line text entry field. It is a window, so that scroll bars can be attached to it as support
// objects, showing and editing the text of string data that other objects may share. It never takes the
// options of a window (moving, sizing, modality...). The native control and the drawing are defined by the
// back-end.
#ifndef FRAMEWORK_CORE_ZAFTEXT_H
#define FRAMEWORK_CORE_ZAFTEXT_H

#include <cstdint>

#include "framework/core/zafembeddedwindow.h"

class ZafStringData;

class ZafText : public ZafEmbeddedWindow {
 public:
  // A bordered field of that region over new string data of the text and maximum length.
  ZafText(int32_t left, int32_t top, int32_t width, int32_t height, const ZafIChar* text, int maxLength = -1);
  // The same over the given string data (null = new empty data).
  ZafText(int32_t left, int32_t top, int32_t width, int32_t height, ZafStringData* data);
  // Copies the settings; destroyable text data is copied, shared data stays shared.
  ZafText(const ZafText& other);
  // Reads the named field from the persistence's current window; a read error is kept in the error word.
  ZafText(const ZafIChar* name, ZafObjectPersistence& persistence);
  ~ZafText() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  // ---- Text ----
  // Takes the control's text first.
  const ZafIChar* Text() override;
  int SetText(const ZafIChar* text) override;
  ZafStringData* StringData() const { return stringData; }
  // Shows and observes new string data (null = new empty data). Answers 0.
  virtual int SetStringData(ZafStringData* data);
  // Copies the control's text into the string data (defined by the back-end).
  void GetNativeText();

  // ---- Options ----
  bool AutoSelect() const { return autoSelect; }
  bool Invalid() const { return invalid; }
  bool Unanswered() const { return unanswered; }
  bool ViewOnly() const { return viewOnly; }
  bool WordWrap() const { return wordWrap; }
  int32_t Justification() const { return justification; }
  virtual bool SetAutoSelect(bool flag);
  virtual bool SetInvalid(bool flag);
  // Setting it empties the text.
  virtual bool SetUnanswered(bool flag);
  // Justification and view-only take effect only before the native control exists.
  virtual int32_t SetJustification(int32_t value);
  virtual bool SetViewOnly(bool flag);
  // A change on a live field makes its control anew with the new style, keeping text and caret
  // (defined by the back-end). Answers the flag in force.
  virtual bool SetWordWrap(bool flag);
  // The caret at a position of the text, or at a column of a line (lines from 0): 0, or 8 without a
  // control (defined by the back-end). A line past the last puts the caret at the end of the text, a
  // column past the line's end at that end.
  virtual int SetCursorPosition(int position);
  virtual int SetCursorLineColumn(int column, int line);
  // The start of the selection, and its line and column; 0 without a control (defined by the back-end).
  int CursorPosition();
  void CursorLineColumn(int& column, int& line);

  // A text field is never of multiple selection.
  uint32_t SetSelectMultiple(bool flag) override;

  ZafEventType MapEvent(const ZafEventRecord& event) override;
  const ZafPaletteMap* MapPalette(uint16_t type, uint16_t state) override;

  // ---- Native half (defined by the back-end) ----
  ZafEventType Event(const ZafEventRecord& event) override;
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;
  void SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) override;
  ZafEventType NativeEvent(const ZafEventRecord& event) override;
  void CreateNative() override;
  int UpdateNativeText() override;

  // ---- Storage ----
  // The window's record, then the field's: the control's text is taken first.
  ZafError Write(ZafObjectPersistence& persistence) override;
  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);

 private:
  void MakeText(ZafStringData* data);
  void ReadTextFields(ZafObjectPersistence& persistence);
  static ZafLong StringDataChanged(ZafElement* object, int kind);
  bool OwnControl() const { return screenID && ownNativeWindow && nativeDrawing; }

  bool autoSelect = false;
  bool invalid = false;
  bool unanswered = false;
  bool viewOnly = false;
  bool wordWrap = true;
  int32_t justification = 0;
  ZafStringData* stringData = nullptr;
};

#endif
