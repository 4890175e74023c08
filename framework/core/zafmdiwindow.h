// The window of the multiple-document interface, in one of two roles: a frame (the program's main window,
// whose client area holds document windows and whose menu bar they share) or a child (a document window
// inside a frame). A frame keeps its active child first in its list. Native creation, activation, the
// window commands and the two window procedures are defined by the back-end.
#ifndef FRAMEWORK_CORE_ZAFMDIWINDOW_H
#define FRAMEWORK_CORE_ZAFMDIWINDOW_H

#include "framework/core/zafwindow.h"

inline constexpr int32_t ZAF_MDI_FRAME = 0;
inline constexpr int32_t ZAF_MDI_CHILD = 1;

// The commands of the multiple-document interface. A frame passes maximize, minimize and restore to its
// active child; the others it carries out among its children. Arrange lines up the minimized children.
inline constexpr ZafEventType CloseWindowEvent = -501;
inline constexpr ZafEventType NextChildEvent = -505;
inline constexpr ZafEventType ArrangeIconsEvent = -507;
inline constexpr ZafEventType CascadeEvent = -508;
inline constexpr ZafEventType TileEvent = -509;

class ZafMinimizeButton;

// The window's minimize button: its first support object numbered 0xFFFD when that is a minimize button,
// else null (also for no window).
ZafMinimizeButton* ZafMDIMinimizeButton(const ZafWindow* window);

class ZafMDIWindow : public ZafWindow {
 public:
  ZafMDIWindow(int32_t left, int32_t top, int32_t width, int32_t height, int32_t mdiType);
  ZafMDIWindow(const ZafMDIWindow& other);
  ZafMDIWindow(const ZafIChar* name, ZafObjectPersistence& persistence);

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  int32_t MDIType() const { return mdiType; }
  bool IsFrame() const { return mdiType == ZAF_MDI_FRAME; }
  // Only before the native window exists, and only for a child without a parent or a frame without
  // children. Answers the type in force.
  virtual int32_t SetMDIType(int32_t type);
  // A frame puts a new child (added without a place) in front of the others.
  ZafWindowObject* Add(ZafWindowObject* object, ZafWindowObject* before = nullptr) override;
  // Focus, default buttons and the current object stop at every window of the interface.
  ZafWindowObject* RootObject() override;
  const ZafPaletteMap* MapPalette(uint16_t type, uint16_t state) override;

  // ---- Pinned settings ----
  bool SetAcceptDrop(bool flag) override;
  bool SetBordered(bool flag) override;
  bool SetDisabled(bool flag) override;
  bool SetNonCurrent(bool flag) override;
  bool SetParentPalette(bool flag) override;
  int32_t SetPlacement(int32_t value) override;
  bool SetTemporary(bool flag) override;
  ZafWindow* SetOwner(ZafWindow* newOwner) override;
  uint32_t SetSelectMultiple(bool flag) override;

  // ---- Native half (defined by the back-end) ----
  ZafEventType Event(const ZafEventRecord& event) override;
  ZafEventType NativeEvent(const ZafEventRecord& event) override;
  ZafWindowObject* NotifyFocus(ZafWindowObject* focusObject, bool setFocus) override;
  bool SetMaximized(bool flag) override;
  bool SetMinimized(bool flag) override;
  void SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) override;
  void CreateNative() override;
  // The procedures of the frame and child window classes.
  static native::LRESULT FrameProcedure(native::HWND window, native::UINT message, native::WPARAM wParam,
                                        native::LPARAM lParam);
  static native::LRESULT ChildProcedure(native::HWND window, native::UINT message, native::WPARAM wParam,
                                        native::LPARAM lParam);

  // ---- Storage ----
  ZafError Write(ZafObjectPersistence& persistence) override;
  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);

 protected:
  native::LRESULT FrameDefault(const ZafEventRecord& event) override;

 private:
  // The type follows the window's place: a frame with a parent becomes a child and the reverse.
  void SettleType();
  // Closes the window the event names when it is one of this window's children, else the current child,
  // when it is not locked and its close query agrees (back-end).
  void CloseChild(const ZafEventRecord& event);
  // The native window that activation and the interface's messages name: the child's own frame.
  void CreateFrameNative();
  void CreateChildNative();

  int32_t mdiType = ZAF_MDI_FRAME;
};

#endif
