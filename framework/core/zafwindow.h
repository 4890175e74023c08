// A window object that holds other window objects: its children (the list it is) and its support objects
// (border, title, frame buttons, menu, scroll bars, geometry manager), the default buttons of a top-level
// window, and the rules for adding, searching, focusing, selecting and storing its objects.
#ifndef FRAMEWORK_CORE_ZAFWINDOW_H
#define FRAMEWORK_CORE_ZAFWINDOW_H

#include "framework/core/zafwindowobject.h"
#include "framework/data/zaflist.h"

class ZafGeometryManager;
class ZafPopUpMenu;
class ZafPullDownMenu;
class ZafScrollBar;
class ZafStringData;
class ZafSystemButton;

// Number IDs of the support objects.
inline constexpr ZafNumberID ZAF_NUMID_BORDER = 0xFFFF;
inline constexpr ZafNumberID ZAF_NUMID_MAXIMIZE = 0xFFFE;
inline constexpr ZafNumberID ZAF_NUMID_MINIMIZE = 0xFFFD;
inline constexpr ZafNumberID ZAF_NUMID_SYSTEM = 0xFFFC;
inline constexpr ZafNumberID ZAF_NUMID_TITLE = 0xFFFB;
inline constexpr ZafNumberID ZAF_NUMID_HZ_SCROLL = 0xFFFA;
inline constexpr ZafNumberID ZAF_NUMID_VT_SCROLL = 0xFFF9;
inline constexpr ZafNumberID ZAF_NUMID_CORNER_SCROLL = 0xFFF8;
inline constexpr ZafNumberID ZAF_NUMID_GEOMETRY = 0xFFF7;
inline constexpr ZafNumberID ZAF_NUMID_PULL_DOWN_MENU = 0xFFF5;

class ZafWindow : public ZafWindowObject, public ZafList {
 public:
  ZafWindow(int32_t left, int32_t top, int32_t width, int32_t height);
  // Copies the settings and duplicates every object, support objects first.
  ZafWindow(const ZafWindow& other);
  // Reads the window, its record and every object stored under it.
  ZafWindow(const ZafIChar* name, ZafObjectPersistence& persistence);
  ~ZafWindow() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  // The window-level events: creating and taking down the window with its objects, close, maximize,
  // minimize and restore, hot keys, sizes and moves, scrolling, add and subtract requests; anything else
  // the window object does not take goes on to the current child.
  ZafEventType Event(const ZafEventRecord& event) override;
  // Native messages: those addressed to an object inside go to the child holding it; Enter, hot keys,
  // Tab and the arrow keys are the window's; messages of its own window (commands, scrolling, colours,
  // palettes, placement) are answered or passed to the control they concern.
  ZafEventType NativeEvent(const ZafEventRecord& event) override;
  // The window's own map, then the window object's.
  ZafEventType MapEvent(const ZafEventRecord& event) override;

  // ---- Objects ----
  // Support objects go to the support list, others to the children, in front of `before` or in compare
  // order. An object that already has a parent is left alone. Returns the object.
  virtual ZafWindowObject* Add(ZafWindowObject* object, ZafWindowObject* before = nullptr);
  // Takes one of this window's objects out; an object of another window is refused (null) and both
  // windows stay intact.
  virtual ZafWindowObject* Subtract(ZafWindowObject* object);
  // Takes the children's native windows down and deletes them; support objects stay.
  virtual void Destroy();
  virtual void NotifyChildrenDestroy();
  // Every object gets the event; depth 0 stops there, a positive depth goes that many levels further into
  // child windows, -1 reaches the whole tree.
  virtual void BroadcastToChildren(const ZafEventRecord& event, int depth);
  ZafList& SupportList() { return support; }
  ZafWindowObject* FirstChild() const { return static_cast<ZafWindowObject*>(ZafList::First()); }
  ZafWindowObject* CurrentChild() const { return static_cast<ZafWindowObject*>(ZafList::Current()); }

  ZafWindowObject* FindObject(ZafNumberID id) override;
  // Without "~" every object is searched, recursively; "a~b" matches the direct object a and asks it for b.
  ZafWindowObject* FindObjectByName(const ZafIChar* name) override;
  ZafWindowObject* FocusObject() override;
  // The support object with that number ID (first in the list), or null.
  ZafWindowObject* SupportObjectByID(ZafNumberID id) const;
  // The geometry manager support object, or null when the window has none.
  ZafGeometryManager* GeometryManager() const;
  ZafWindowObject* TitleObject() const;
  // The system button, the menu bar and the system button's menu, or null when the window has none.
  ZafSystemButton* SystemButton() const;
  ZafPullDownMenu* PullDownMenu() const;
  ZafPopUpMenu* SystemMenu() const;
  // The border support object, or null.
  ZafWindowObject* Border() const;
  // The window's own scroll bars (support objects with the reserved IDs); null when there is none.
  ZafScrollBar* HorizontalScrollBar() const;
  ZafScrollBar* VerticalScrollBar() const;
  ZafScrollBar* CornerScrollBar() const;

  // ---- Region ----
  // The window itself: the area its children are placed and drawn in, without the window's own scroll
  // bars, from the client window's top-left corner. A support object: the frame's client area left over
  // by the support objects placed before it (tool bars, status bars). A child placed against the edges:
  // the client region left over by the children placed before it. Pixels.
  ZafRegionStruct ClientRegion(const ZafWindowObject* object = nullptr) override;
  // Takes the region as the outer size: the client size follows from the frame.
  void SetRegion(const ZafRegionStruct& newRegion) override;
  int32_t SetCoordinateType(int32_t type) override;

  // Adds the standard frame: a border, the maximize, minimize and system buttons and a title showing the
  // text (shared with the caller), then the extra object (a menu bar, say) when there is one.
  void AddStandardFrame(ZafStringData* title, ZafWindowObject* extra = nullptr);
  // The same with a copy of the text as the title's data.
  void AddStandardFrame(const ZafIChar* title, ZafWindowObject* extra = nullptr);

  // ---- Texts: those of the title ----
  const ZafIChar* Text() override;
  int SetText(const ZafIChar* text) override;

  // ---- Flags ----
  bool Changed() override;
  bool SetChanged(bool flag) override;
  // A window is never dragged by these keys, never selected, and draws its own border and focus.
  bool SetCtrlDrag(bool flag) override;
  bool SetShiftCtrlDrag(bool flag) override;
  bool SetShiftDrag(bool flag) override;
  bool SetParentDrawBorder(bool flag) override;
  bool SetParentDrawFocus(bool flag) override;
  bool SetSelected(bool flag) override;

  bool Destroyable() const { return destroyable; }
  bool Locked() const { return locked; }
  bool Maximized() const { return maximized; }
  bool Minimized() const { return minimized; }
  bool Modal() const { return modal; }
  bool Movable() const { return movable; }
  bool Sizeable() const { return sizeable; }
  bool SystemKeys() const { return systemKeys; }
  bool Temporary() const { return temporary; }
  ZafWindow* Owner() const { return owner; }
  uint32_t SelectionType() const { return selectionType; }
  virtual bool SetDestroyable(bool flag);
  virtual bool SetLocked(bool flag);
  virtual bool SetModal(bool flag);
  virtual bool SetMovable(bool flag);
  virtual bool SetSizeable(bool flag);
  virtual bool SetSystemKeys(bool flag);
  virtual bool SetTemporary(bool flag);
  // Only while the window has neither a native window nor a parent.
  virtual ZafWindow* SetOwner(ZafWindow* newOwner);
  // Defined by the back-end (they change the native window).
  virtual bool SetMaximized(bool flag);
  virtual bool SetMinimized(bool flag);
  virtual uint32_t SetSelectMultiple(bool flag);
  // A disabled window disables its objects with it; focusing a window focuses its current child.
  bool SetDisabled(bool flag) override;
  bool SetFocus(bool flag) override;

  // ---- Native windows: the frame, its client window and their layout ----
  using ZafWindowObject::ScreenID;
  // Kind 2 is the outer frame window when the window has one; every other kind is the content window.
  native::HWND ScreenID(int32_t kind) const override;
  // One native window, or an outer frame holding the support objects with windows of their own and a
  // client window in the area they leave free. Support objects without windows become frame styles.
  void CreateNative() override;
  // A top-level window whose region gives its client size grows its frame until the client has that size.
  void UpdateNative() override;
  // The least client width in pixels of the window whose caption shows its title whole; 0 without a
  // caption.
  int32_t LeastClientWidthForTitle();
  void UpdatePalettes(uint16_t type, uint16_t state) override;
  ZafRegionStruct BeginDraw() override;
  // The background only: a window draws no border of its own.
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;
  // Mouse positions on a window with its own native window are taken relative to its client window, where
  // its children are placed; only client-area mouse messages are converted.
  int ConvertCoordinates(ZafEventRecord& event) override;
  // Makes the outer frame place its support objects and its client window again, as after a size change.
  void RelayoutFrame();
  // The window procedure of an outer frame window.
  static native::LRESULT FrameProcedure(native::HWND frame, native::UINT message, native::WPARAM wParam,
                                        native::LPARAM lParam);

  // ---- Focus, selection and default buttons ----
  ZafWindowObject* NotifyFocus(ZafWindowObject* focusObject, bool setFocus) override;
  ZafWindowObject* NotifySelection(ZafWindowObject* object, bool setSelected) override;
  // Kept on the root window; a non-root window passes the call to its root.
  virtual ZafWindowObject* SetDefaultButton(ZafWindowObject* button, bool permanent);
  ZafWindowObject* DefaultButton(bool permanent);
  // Clears the root's default buttons that lie in the object about to leave the tree (or be deleted).
  void ForgetDefaultButtons(ZafWindowObject* leaving);

  // Compare functions by Text: an object without text sorts first (last when descending).
  static int CompareAscending(ZafElement* first, ZafElement* second);
  static int CompareDescending(ZafElement* first, ZafElement* second);

  // ---- Storage ----
  ZafError Write(ZafObjectPersistence& persistence) override;
  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);
  virtual void WriteChildren(ZafObjectPersistence& persistence);
  virtual void WriteSupportObjects(ZafObjectPersistence& persistence);

  ZafRegionStruct clientRegion;
  ZafRegionStruct restoreRegion{0, 0, 0, 0, 0};
  native::HWND frameHandle = nullptr;
  bool sizeIsClient = true;

 protected:
  // Creates the outer frame (of that window class, owned by the owner's frame) with that frame procedure,
  // and the client window inside it (of the framework's class unless named) that becomes the screen ID
  // (defined by the back-end).
  void CreateFrameAndClient(const char16_t* frameClass, native::DWORD frameStyle, native::DWORD extendedStyle,
                            native::DWORD clientStyle, native::WNDPROC frameProcedure = &FrameProcedure,
                            const char16_t* clientClass = nullptr, void* clientParameter = nullptr);
  // The messages of the outer frame window, and what the frame leaves to its class: the class procedure
  // of the frame window (defined by the back-end).
  native::LRESULT FrameEvent(const ZafEventRecord& event);
  virtual native::LRESULT FrameDefault(const ZafEventRecord& event);
  // Reads the window record and the stored objects after the window-object record.
  void ReadWindow(ZafObjectPersistence& persistence);
  // Writes them after the window-object record; a derived class's own fields follow in the same file.
  void WriteWindowFields(ZafObjectPersistence& persistence);
  // Reads the named window of a derived class into this one: the window-object record, the window record
  // and the stored objects, under the class's storage level.
  void ReadStoredWindow(const ZafIChar* name, ZafObjectPersistence& persistence, const ZafIChar* className,
                        ZafClassID classID);
  // Builds every object stored under the window through the constructor registered for its class, and
  // adds it (support objects land in the support list by their flag).
  void ReadStoredObjects(ZafObjectPersistence& persistence);
  // The objects in walk order, support objects first, then children, until `visit` answers true. The next
  // object is taken before the visit, so an object may leave the window while it is visited.
  template <typename Visit>
  void ForEachObject(Visit visit) {
    for (ZafList* list : {&support, static_cast<ZafList*>(this)}) {
      for (ZafElement* element = list->First(); element;) {
        ZafElement* next = element->Next();
        if (visit(static_cast<ZafWindowObject*>(element))) {
          return;
        }
        element = next;
      }
    }
  }

  ZafList support;
  ZafWindowObject* currentDefaultButton = nullptr;
  ZafWindowObject* defaultButton = nullptr;
  bool destroyable = true;
  bool locked = false;
  bool maximized = false;
  bool minimized = false;
  bool modal = false;
  bool movable = true;
  bool systemKeys = false;
  ZafWindow* owner = nullptr;
  uint32_t selectionType = 0;
  bool sizeable = true;
  bool temporary = false;

  // The search part of FindObjectByName, without matching the window itself.
  ZafWindowObject* SearchPath(const ZafIChar* name);
  // The object of that name inside this window (a stored or copied default button), or null: a stored
  // name must not reach into other windows.
  ZafWindowObject* OwnObjectByName(const ZafIChar* name);

  // Takes the maximized and minimized flags from the outer window, after the native system changed its
  // state.
  void TakeNativeState();

 private:
  // Moves the root's current default button with the focus: to a button that may be a default button,
  // else back to the permanent default button.
  void FollowDefaultButton(ZafWindowObject* gaining);
  void WriteList(ZafList& list, ZafObjectPersistence& persistence);
  // The window's native window came or went: the support objects that live in it (the frame's title,
  // buttons and menu bar, the border) take or drop it at once. Children and support objects with native
  // windows of their own are created and destroyed through their own create and destroy events.
  void TellSharingSupportObjects(const ZafEventRecord& event);
  // A support object without a native window of its own lives in the window's.
  static bool SharesNativeWindow(const ZafWindowObject* object);
  // Parts of NativeEvent: Enter for the default button, hot keys, Tab and the arrow keys (`answer` is
  // what the child holding the key's object answered); the messages of the window's own native window.
  ZafEventType KeyEvent(const ZafEventRecord& event, ZafEventType answer);
  ZafEventType Command(const ZafEventRecord& event);
  ZafEventType PositionChanged(const ZafEventRecord& event);
  ZafEventType EraseBackground(const ZafEventRecord& event);
  ZafEventType QueryNewPalette(const ZafEventRecord& event);
  ZafEventType PaletteChanged(const ZafEventRecord& event);
  // The messages of the outer frame window.
  native::LRESULT FramePositionChanged(const ZafEventRecord& event);
  native::LRESULT FrameSystemCommand(const ZafEventRecord& event);
  native::LRESULT FrameMenuSelect(const ZafEventRecord& event);
  // Fits the bars with windows of their own into the frame and gives the client window the area left.
  void PlaceClient();
  // The frame's client area left over by the support objects with windows of their own placed before
  // `object` (by all of them when it is none of them), in the frame's coordinates: where that object goes,
  // or the client window when every one is placed.
  ZafRegionStruct FrameAreaLeftBefore(const ZafWindowObject* object);
  // The window is made anew, so that support objects that live in its frame styles take effect.
  void Recreate();
  // A top-level window made anew behind a modal window is kept out of the user's reach again.
  void TakeModalState();
  // Whether the window's native windows are the ones it made for itself (bound to it), rather than a
  // window handed to it.
  bool MadeItsNativeWindows() const;
  // Creates an object added to a created window: a child at once; a support object with the frame it
  // changes.
  void CreateAdded(ZafWindowObject* object);
};

#endif
