// A modal dialog that tells the user something: a formatted message, an optional built-in picture and a
// row of standard buttons chosen by a mask. It builds its objects just before its native window is made,
// sizes itself to its text, picture and buttons, and stands in the middle of the screen. The value of the
// button chosen is the dialog's answer.
#ifndef FRAMEWORK_CORE_ZAFMESSAGEWINDOW_H
#define FRAMEWORK_CORE_ZAFMESSAGEWINDOW_H

#include <cstdarg>
#include <cstdint>

#include "framework/core/zafdialogwindow.h"

class ZafButton;
class ZafIcon;
class ZafLanguageData;
class ZafStringData;
class ZafText;
class ZafTitle;

// The buttons of the mask, left to right in bit order. Bit i answers -2999 + i; Help answers HelpEvent.
// Bits 8 to 15 are buttons whose labels only a language table gives.
inline constexpr uint16_t ZAF_MESSAGE_OK = 0x0001;
inline constexpr uint16_t ZAF_MESSAGE_YES = 0x0002;
inline constexpr uint16_t ZAF_MESSAGE_NO = 0x0004;
inline constexpr uint16_t ZAF_MESSAGE_ABORT = 0x0008;
inline constexpr uint16_t ZAF_MESSAGE_RETRY = 0x0010;
inline constexpr uint16_t ZAF_MESSAGE_IGNORE = 0x0020;
inline constexpr uint16_t ZAF_MESSAGE_CANCEL = 0x0040;
inline constexpr uint16_t ZAF_MESSAGE_HELP = 0x0080;
// The longest message, in characters: longer texts are cut there.
inline constexpr int ZAF_MESSAGE_LENGTH = 1024;

class ZafMessageWindow : public ZafDialogWindow {
 public:
  // The title shows the given data; the message is the format with its arguments.
  ZafMessageWindow(ZafStringData* title, uint16_t icon, uint16_t buttons, uint16_t defaultButton,
                   const ZafIChar* format, ...);
  // The title shows a copy of the text.
  ZafMessageWindow(const ZafIChar* title, uint16_t icon, uint16_t buttons, uint16_t defaultButton,
                   const ZafIChar* format, va_list arguments);
  // As the first form with room for `length` characters of message.
  ZafMessageWindow(ZafStringData* title, uint16_t icon, uint16_t buttons, uint16_t defaultButton, int length,
                   const ZafIChar* format, ...);
  // Takes the buttons, the default button, the picture and the message text, not the objects built from
  // them (they are built again) and no title.
  ZafMessageWindow(const ZafMessageWindow& other);
  ZafMessageWindow(const ZafIChar* name, ZafObjectPersistence& persistence);
  ~ZafMessageWindow() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  // PrepareEvent builds the objects, FitEvent lays them out; Escape answers Cancel when there is a Cancel
  // button.
  ZafEventType Event(const ZafEventRecord& event) override;

  // ---- The mask, the default button and the picture: only before the native window exists ----
  uint16_t Buttons() const { return buttons; }
  uint16_t DefaultButtonBit() const { return defaultButtonBit; }
  uint16_t IconNumber() const { return iconNumber; }
  uint16_t SetButtons(uint16_t mask);
  uint16_t ClearButtons(uint16_t mask);
  using ZafWindow::SetDefaultButton;
  uint16_t SetDefaultButton(uint16_t bit);
  uint16_t SetIcon(uint16_t number);

  // ---- The message ----
  // Formats into at most ZAF_MESSAGE_LENGTH (or `length`) characters, cutting what is longer. The result
  // is shown as it stands: percent signs in it are not formats.
  void SetMessage(const ZafIChar* format, ...);
  void SetMessage(int length, const ZafIChar* format, ...);
  void SetMessage(int length, const ZafIChar* format, va_list arguments);
  // The message shown (null when there is none).
  const ZafIChar* MessageText() const;
  ZafText* MessageObject() const { return message; }
  ZafIcon* IconObject() const { return iconObject; }
  ZafButton* FirstButton() const { return firstButton; }

  // ---- Pinned settings ----
  const ZafIChar* SetThirdText(const ZafIChar* text) override;
  bool SetAcceptDrop(bool flag) override;
  bool SetAutomaticUpdate(bool flag) override;
  bool SetBordered(bool flag) override;
  bool SetDisabled(bool flag) override;
  int32_t SetPlacement(int32_t value) override;
  bool SetDestroyable(bool flag) override;
  bool SetLocked(bool flag) override;
  bool SetMaximized(bool flag) override;
  bool SetMinimized(bool flag) override;
  bool SetMovable(bool flag) override;
  uint32_t SetSelectMultiple(bool flag) override;
  bool SetSizeable(bool flag) override;
  bool SetTemporary(bool flag) override;

  // ---- Storage: the record, never the objects built from it ----
  ZafError Write(ZafObjectPersistence& persistence) override;
  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);
  void WriteChildren(ZafObjectPersistence& persistence) override;
  void WriteSupportObjects(ZafObjectPersistence& persistence) override;

 private:
  // The start common to the first three constructors.
  void MakeMessageWindow(uint16_t icon, uint16_t buttonMask, uint16_t defaultBit);
  // Shows the text as it stands (stored and copied texts are never formats).
  void SetMessageText(const ZafIChar* text);
  void BuildChildren();
  void AddButtons();
  void Layout();
  // The sizes the layout needs, in pixels: the message's lines, and the widest button label.
  ZafRegionStruct MessageSize();
  int32_t WidestLabel();

  uint16_t buttons = 0;
  uint16_t defaultButtonBit = 0;
  uint16_t iconNumber = 0;
  ZafIcon* iconObject = nullptr;
  ZafText* message = nullptr;
  ZafTitle* title = nullptr;
  ZafButton* firstButton = nullptr;
  ZafLanguageData* languageData = nullptr;
};

#endif
