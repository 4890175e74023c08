// The one-line text entry field. It shows and edits the text of string data, which other objects may share,
// and carries the options the native edit control honours (case folding, password echo, read-only,
// justification) and those the framework enforces itself (variable-name input, selecting all on entry, the
// blank unanswered state, validation on Enter and on leaving). Its format, format list and range data serve
// the number fields derived from it. The native control and the drawing are defined by the back-end.
#ifndef FRAMEWORK_CORE_ZAFSTRING_H
#define FRAMEWORK_CORE_ZAFSTRING_H

#include <cstdint>
#include <string>

#include "framework/core/zafwindowobject.h"

class ZafStringData;

// Justification of the text.
inline constexpr int32_t ZAF_JUSTIFY_LEFT = 0;
inline constexpr int32_t ZAF_JUSTIFY_RIGHT = 1;
inline constexpr int32_t ZAF_JUSTIFY_CENTER = 2;

// Answers of the validity query (ValidityQueryEvent): the field is valid; it is invalid and must be
// corrected; it is invalid and the caller may ask the user whether to keep it.
inline constexpr ZafEventType ZAF_QUERY_VALID = -38;
inline constexpr ZafEventType ZAF_QUERY_INVALID = -1;
inline constexpr ZafEventType ZAF_QUERY_INVALID_ASK = -49;

// Validation results: the user kept a text that was reported as wrong (also the result when the focus
// leaves the window with a wrong text), and a check that has nothing to check.
inline constexpr ZafError ZAF_ERROR_KEPT = 12;
inline constexpr ZafError ZAF_ERROR_NO_CHECK = 9;

class ZafString : public ZafWindowObject {
 public:
  // One cell high, `width` cells wide, bordered, over new string data of the text and maximum length.
  ZafString(int32_t left, int32_t top, int32_t width, const ZafIChar* text, int maxLength = -1);
  // The same over the given string data (null = new empty data).
  ZafString(int32_t left, int32_t top, int32_t width, ZafStringData* data);
  // Copies the options; data objects that are destroyable are copied, the others shared.
  ZafString(const ZafString& other);
  // Reads the named field from the persistence's current window; a read error is kept in the error word.
  ZafString(const ZafIChar* name, ZafObjectPersistence& persistence);
  ~ZafString() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  // ---- Text ----
  // Takes the control's text first.
  const ZafIChar* Text() override;
  // A null or empty text makes the field unanswered. Answers 0.
  int SetText(const ZafIChar* text) override;
  ZafStringData* StringData() const { return stringData; }
  ZafStringData* FormatData() const { return format; }
  ZafStringData* FormatListData() const { return formatList; }
  ZafStringData* RangeData() const { return range; }
  // A one-cell-high field converted from cells keeps one line's height in the new type.
  int32_t SetCoordinateType(int32_t type) override;

  // ---- Options ----
  bool ErrorQuery() const { return errorQuery; }
  bool AutoSelect() const { return autoSelect; }
  bool Invalid() const { return invalid; }
  bool Unanswered() const { return unanswered; }
  bool LowerCase() const { return lowerCase; }
  bool Password() const { return password; }
  bool ReportErrors() const { return reportErrors; }
  bool UpperCase() const { return upperCase; }
  bool VariableName() const { return variableName; }
  bool ViewOnly() const { return viewOnly; }
  int32_t Justification() const { return justification; }
  bool ValidateOnLeave() const { return validateOnLeave; }
  bool SetValidateOnLeave(bool flag);

  // Justification, the case options, password, view-only and variable-name take effect only before the
  // native control exists; each setter answers the value in force.
  virtual bool SetErrorQuery(bool flag);
  virtual bool SetAutoSelect(bool flag);
  // Puts the caret at `position` of the control's text: 0, or 8 without a control (defined by the
  // back-end).
  virtual int SetCursorPosition(int position);
  virtual int32_t SetJustification(int32_t value);
  // Replace the format list, format and range data (null = none); the old data is let go and deleted
  // when it is destroyable and nobody else uses it. The format setters answer 1, changing nothing, once
  // the control exists, else 0.
  virtual int SetFormatListData(ZafStringData* data);
  virtual bool SetInvalid(bool flag);
  // Setting one case option clears the other.
  virtual bool SetLowerCase(bool flag);
  virtual int SetFormatData(ZafStringData* data);
  virtual bool SetPassword(bool flag);
  virtual int SetRangeData(ZafStringData* data);
  virtual bool SetReportErrors(bool flag);
  // Shows and observes new string data (null = new empty data). Answers 0.
  virtual int SetStringData(ZafStringData* data);
  // Setting it empties the text.
  virtual bool SetUnanswered(bool flag);
  virtual bool SetUpperCase(bool flag);
  virtual bool SetViewOnly(bool flag);
  virtual bool SetVariableName(bool flag);
  // Number fields step their value down (A) or up (B) by `delta`; a plain field has nothing to step
  // and answers ZAF_ERROR_NO_CHECK.
  virtual ZafError NumberCheckA(ZafData* delta, bool wrap);
  virtual ZafError NumberCheckB(ZafData* delta, bool wrap);
  // Checks the text; a plain field is always valid (0). Number fields check format and range, and tell
  // the user through the error system when `report` is set.
  virtual ZafError Validate(bool report);
  // Copies the control's text into the string data (defined by the back-end).
  virtual void GetNativeText();

  // Set the text of the format, range or format-list data, making new owned data when there is none.
  // A new format text also brings the format list up to date. Answer 0, or 1 when the control exists
  // and the format or format list can no longer change.
  int SetFormatText(const ZafIChar* text);
  int SetRangeText(const ZafIChar* text);
  int SetFormatListText(const ZafIChar* text);
  // One range of a range list: the text before ".." is the low bound and the text after the dots the
  // high bound (white space around each trimmed), a range without ".." is both. Ranges end at a newline
  // or at ", ". Answers the start of the next range, or null after the last.
  static const ZafIChar* ParseRange(const ZafIChar* text, std::u16string& low, std::u16string& high);

  // The validation handler, the field's user callback: on Enter and on leaving, when validation on
  // leave is set, runs Validate and keeps its result in the error word (ZAF_ERROR_KEPT when the focus
  // leaves the window); a valid field passes the event to the user function.
  ZafEventType ValidationCallback(ZafWindowObject* object, ZafEventRecord& event, ZafEventType code);
  // The answer to the validity query.
  ZafEventType ValidityAnswer() const;
  // Whether a leaving event takes the focus out of the field's window.
  bool LeavesWindow(const ZafEventRecord& event);

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
  ZafError Write(ZafObjectPersistence& persistence) override;
  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);

 protected:
  // For derived classes: enters their storage level and reads the window-object and string-field
  // records; the derived constructor reads its own fields next and then calls LeaveReadLevel.
  ZafString(const ZafIChar* name, ZafObjectPersistence& persistence, const ZafIChar* className,
            ZafClassID classID);
  void WriteStringFields(ZafObjectPersistence& persistence);
  void ReadStringFields(ZafObjectPersistence& persistence);
  // The shared road of the three text setters: the text goes into `data`, or into new owned data that
  // `attach` gives the field.
  void SetTextOfData(ZafStringData* data, const ZafIChar* text, int (ZafString::*attach)(ZafStringData*));
  // Deletes data the field lets go of when it is destroyable and nobody observes it.
  static void Release(ZafStringData* data);
  // The native control's own Event handling, passed by overrides in derived classes (Enter is handed to
  // it directly).
  ZafEventType StringEvent(const ZafEventRecord& event);
  // Whether the control is this field's own and drawn by the platform.
  bool OwnControl() const { return screenID && ownNativeWindow && nativeDrawing; }

  bool errorQuery = false;
  bool autoSelect = true;
  bool invalid = false;
  bool unanswered = false;
  bool lowerCase = false;
  bool password = false;
  bool reportErrors = true;
  bool upperCase = false;
  bool variableName = false;
  bool viewOnly = false;
  int32_t justification = ZAF_JUSTIFY_LEFT;
  ZafStringData* formatList = nullptr;
  ZafStringData* format = nullptr;
  ZafStringData* range = nullptr;
  bool validateOnLeave = false;
  ZafStringData* stringData = nullptr;

 private:
  void MakeString(ZafStringData* data);
  static ZafLong StringDataChanged(ZafElement* object, int kind);
  // WM_PASTE in a variable-name field: the clipboard text typed in, spaces and all, up to the room left.
  ZafEventType PasteAsTyped(const ZafEventRecord& event);
  // WM_KEYDOWN and WM_KEYUP: Enter, Tab, and the keys the control keeps.
  ZafEventType KeyMessage(const ZafEventRecord& event);
};

#endif
