// The root of the window tree: its children are the top-level windows, front-most first. It routes every
// event to the object holding the mouse or the input, to the addressed object or to the front window, and
// carries out the requests that concern whole windows: add, remove, close, activate and exit.
#ifndef FRAMEWORK_CORE_ZAFWINDOWMANAGER_H
#define FRAMEWORK_CORE_ZAFWINDOWMANAGER_H

#include <vector>

#include "framework/core/zafwindow.h"

class ZafDisplay;
class ZafEventManager;

// Framework requests to the window manager.
inline constexpr ZafEventType HelpRequest = -3640;
inline constexpr ZafEventType RestoreAllRequest = -3631;
inline constexpr ZafEventType MinimizeAllRequest = -3630;
inline constexpr ZafEventType LanguageRequest = -3620;
inline constexpr ZafEventType CloseByNameRequest = -3603;
inline constexpr ZafEventType OpenWindowRequest = -3602;
// Requests that the window manager hands to the front window, with the text they carry.
inline constexpr ZafEventType SecondFrontWindowRequest = -3601;
inline constexpr ZafEventType FirstFrontWindowRequest = -3600;
// The window manager answers this event with its own code and does nothing else.
inline constexpr ZafEventType AnsweredByItselfEvent = 1040;
// The logical event of the Esc key in the window manager's own event map.
inline constexpr ZafEventType EscapeEvent = 1020;

class ZafWindowManager : public ZafWindow {
 public:
  // Asked before the program exits; 0 lets it exit.
  using ExitFunction = ZafEventType (*)(ZafDisplay* display, ZafEventManager* eventManager,
                                        ZafWindowManager* windowManager);

  explicit ZafWindowManager(ExitFunction exitFunction = nullptr);
  // Removes every window, front first, deleting the destroyable ones, and clears the shared pointers.
  ~ZafWindowManager() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  // The window manager is never copied.
  ZafWindowObject* Duplicate() override { return nullptr; }

  // The router.
  ZafEventType Event(const ZafEventRecord& event) override;
  ZafEventType MapEvent(const ZafEventRecord& event) override;
  // Native messages for no object (defined by the back-end).
  virtual ZafEventType DispatchNative(const ZafEventRecord& event);
  // Posts the native quit message (defined by the back-end).
  virtual void PostQuit(int exitCode);
  // Enables the windows behind a modal window that goes, up to and including the next modal one (defined
  // by the back-end).
  virtual void EnableBehind(ZafWindow* modalWindow);
  // Stops the timer that watches for the pointer leaving the tip object (defined by the back-end); the
  // next tip object starts it again, under this window manager or one made later.
  static void StopTipTimer();
  virtual ZafEventType FrameworkRequest(const ZafEventRecord& event);

  // Top-level windows only: a window that has its native window already is refused (null).
  ZafWindowObject* Add(ZafWindowObject* object, ZafWindowObject* before = nullptr) override;
  ZafWindowObject* Subtract(ZafWindowObject* object) override;
  ZafWindowObject* FindObject(ZafNumberID id) override;
  // Over the top-level windows only; "~name" matches a top-level window's string ID only.
  ZafWindowObject* FindObjectByName(const ZafIChar* name) override;
  ZafWindowObject* FocusObject() override;
  ZafRegionStruct ClientRegion(const ZafWindowObject* object = nullptr) override;
  ZafWindowObject* NotifyFocus(ZafWindowObject* focusObject, bool setFocus) override;
  const ZafPaletteMap* MapPalette(uint16_t type, uint16_t state) override;
  // Native text and face colours for the bytes that ask for the system default, whatever the type.
  void SetDisplayColors(ZafPaletteStruct& palette, uint16_t type, uint16_t state) override;
  // The window manager's origin is the screen's: positions only become pixels (defined by the back-end).
  ZafPositionStruct PositionToNative(const ZafWindowObject* object,
                                     const ZafPositionStruct* position = nullptr) override;
  ZafPositionStruct PositionFromNative(const ZafWindowObject* object,
                                       const ZafPositionStruct& position) override;

  // Pinned settings: the window manager has no border, drag, selection or temporary state of its own.
  bool SetAcceptDrop(bool flag) override;
  bool SetAutomaticUpdate(bool flag) override;
  bool SetBordered(bool flag) override;
  bool SetNativeDrawing(bool flag) override;
  bool SetParentDrawBorder(bool flag) override;
  bool SetParentDrawFocus(bool flag) override;
  bool SetParentPalette(bool flag) override;
  int32_t SetPlacement(int32_t value) override;
  bool SetSystemKeys(bool flag) override;
  uint32_t SetSelectMultiple(bool flag) override;
  bool SetTemporary(bool flag) override;

  ExitFunction SetExitFunction(ExitFunction function);
  // Centres the object on the display (in pixels), clamped to the display's size.
  void Center(ZafWindowObject* object);
  // The window whose closing ends the program, besides the window manager itself (null: none).
  ZafWindow* SetMainWindow(ZafWindow* window);
  ZafWindow* MainWindow() const { return mainWindow; }
  // Clears every reference to an object that is being deleted.
  void ForgetObject(const ZafWindowObject* object);
  // Subtracts the window and deletes it when it is destroyable.
  void Remove(ZafWindow* window);
  ZafWindow* FrontWindow() const { return static_cast<ZafWindow*>(FirstChild()); }

  ExitFunction exitFunction = nullptr;
  ZafWindowObject* grabObject = nullptr;
  ZafWindowObject* dragObject = nullptr;
  ZafWindowObject* focusObject = nullptr;
  ZafWindowObject* helpTipObject = nullptr;
  ZafWindowObject* captureObject = nullptr;
  ZafWindowObject* tipObject = nullptr;
  ZafWindowObject* previousFocusObject = nullptr;
  // Set while the Escape key that cancelled a drag is still down: its release reaches no window either.
  bool escapeEndedDrag = false;

  // The native combo box whose drop-down list is open (null: none). The combo box sets it when its list
  // drops and clears it when the list closes; a click anywhere else closes the list.
  static native::HWND droppedComboBox;

 private:
  ZafEventType Close(const ZafEventRecord& event);
  // Builds the window stored at the path ("directory~name") through the constructor registered for its
  // class, and adds it.
  void OpenStoredWindow(const ZafIChar* path, const ZafIChar* objectName);
  // Removes the temporary windows at the front.
  void RemoveFrontTemporaries();

  ZafWindow* mainWindow = nullptr;
  // The windows whose Subtract is running, innermost last.
  std::vector<ZafWindow*> subtracting;
};

#endif
