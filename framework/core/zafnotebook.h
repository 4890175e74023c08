// A window that shows one of its pages (child windows) at a time, chosen by a row of tabs along its top
// edge. The tab of the page at position i is the support object at position i; two arrow buttons scroll
// the tab row when the tabs are wider than the notebook. Layout, drawing, input and the native window
// are defined by the back-end.
#ifndef FRAMEWORK_CORE_ZAFNOTEBOOK_H
#define FRAMEWORK_CORE_ZAFNOTEBOOK_H

#include <cstdint>

#include "framework/core/zafwindow.h"

class ZafButton;
class ZafNotebookTab;

class ZafNotebook : public ZafWindow {
 public:
  ZafNotebook(int32_t left, int32_t top, int32_t width, int32_t height);
  // Copies the tab sizes and the shown page's position; pages and tabs are duplicated by the window.
  ZafNotebook(const ZafNotebook& other);
  // Reads the notebook and its pages; each page gets its tab back through Add.
  ZafNotebook(const ZafIChar* name, ZafObjectPersistence& persistence);
  ~ZafNotebook() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  // ---- Pages and tabs ----
  // Only a window is taken as a page (else nothing happens and null is answered): it gets a tab holding
  // its decorations at its own position, and becomes the shown page when there was none.
  ZafWindowObject* Add(ZafWindowObject* object, ZafWindowObject* before = nullptr) override;
  // Takes a page out with its tab, which gives the page its decorations back. Null for anything else.
  ZafWindowObject* Subtract(ZafWindowObject* object) override;
  void NotifyChildrenDestroy() override;
  ZafNotebookTab* Tab(int index) const;
  int PageCount() const { return ZafList::Count(); }
  // The tab's text, none when there is no such tab.
  const ZafIChar* TabText(int index) const;
  // 0 when there is no tab, else what the tab's SetText answered.
  int SetTabText(const ZafIChar* text, int index);
  // The hot key of the tab's title (0 and -1 when there is no tab).
  ZafIChar TabHotKeyChar(int index) const;
  int32_t TabHotKeyIndex(int index) const;
  ZafIChar SetTabHotKey(int index, ZafIChar character, int32_t hotKeyIndex);
  int32_t CurrentPageIndex() const { return currentPageIndex; }
  // Shows the page at the index (defined by the back-end); answers the shown page's position.
  virtual int32_t SetCurrentPageIndex(int32_t index);
  int32_t SetCurrentPage(ZafWindowObject* page);
  int32_t TabHeight() const { return tabHeight; }
  int32_t TabWidth() const { return tabWidth; }
  // Each only while the notebook has no native window; answers the value in force.
  virtual int32_t SetTabHeight(int32_t height);
  virtual int32_t SetTabWidth(int32_t width);
  ZafButton* ScrollBackButton() const { return scrollBack; }
  ZafButton* ScrollForwardButton() const { return scrollForward; }
  int32_t FirstVisibleTab() const { return firstVisibleTab; }
  // The keyboard focus on the tab row itself, as Tab brings it there (defined by the back-end): the
  // shown page lets go of it; Left and Right then turn the pages.
  void FocusTabs();
  bool TabsFocused() const;

  // ---- Settings a notebook keeps whatever it is given ----
  bool SetBordered(bool flag) override;
  bool SetAcceptDrop(bool flag) override;
  bool SetDestroyable(bool flag) override;
  bool SetLocked(bool flag) override;
  bool SetMaximized(bool flag) override;
  bool SetMinimized(bool flag) override;
  bool SetModal(bool flag) override;
  bool SetMovable(bool flag) override;
  ZafWindow* SetOwner(ZafWindow* newOwner) override;
  uint32_t SetSelectMultiple(bool flag) override;
  bool SetSizeable(bool flag) override;
  bool SetTemporary(bool flag) override;
  ZafEventType ScrollEvent(const ZafEventRecord&) override { return -1; }

  // ---- Native half (defined by the back-end) ----
  ZafEventType Event(const ZafEventRecord& event) override;
  ZafEventType NativeEvent(const ZafEventRecord& event) override;
  ZafRegionStruct ClientRegion(const ZafWindowObject* object = nullptr) override;
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;
  void CreateNative() override;

  // ---- Storage: tabs are never stored; each page carries its tab text as a title while it is written ----
  ZafError Write(ZafObjectPersistence& persistence) override;
  ZafObjectConstructor ReadFunction() const override;
  static ZafWindowObject* Read(const ZafIChar* name, ZafObjectPersistence& persistence);
  void WriteChildren(ZafObjectPersistence& persistence) override;
  void WriteSupportObjects(ZafObjectPersistence&) override {}

 private:
  void MakeNotebook();
  // Reads the tab sizes after the window's record; refuses sizes no notebook could have.
  void ReadNotebookFields(ZafObjectPersistence& persistence);
  // Every page read is added again through Add, so that it gets its tab; objects that cannot be pages
  // (and support objects, which a notebook never stores) are dropped.
  void AddReadPages();

  // ---- Native helpers (defined by the back-end) ----
  // The tab row's height and the border's width, in pixels.
  int32_t RowHeight() const;
  int32_t BorderWidth() const;
  // Places the pages and the tabs, scrolls the row and places the arrow buttons.
  void Relayout();
  // Scrolls the tab row back (true) or forward by one tab, when it can.
  void ScrollTabs(bool back);
  void EnableArrowButtons();
  void MakeArrowButtons();
  void DeleteArrowButtons();
  // The tab whose region holds the point (notebook pixels), from the first visible one on; -1 for none.
  int TabAt(int32_t x, int32_t y) const;
  bool ArrowButtonAt(int32_t x, int32_t y) const;
  // Redraws the area of the notebook's parent that the region (notebook pixels) covers.
  void RedrawInParent(const ZafRegionStruct& area);
  ZafEventType KeyDown(const ZafEventRecord& event);
  // A mouse message in edit mode: the tabs and arrow buttons answer as outside edit mode, the rest of the
  // notebook as an edited object.
  ZafEventType EditModeMouse(const ZafEventRecord& event);
  ZafEventType HotKey(const ZafEventRecord& event);
  static ZafLong ArrowButtonFunction(ZafWindowObject* object, ZafEventRecord& event, ZafLong code);

  int32_t tabHeight = 0;
  int32_t tabWidth = 0;
  int32_t currentPageIndex = -1;
  int32_t firstVisibleTab = 0;
  ZafButton* scrollBack = nullptr;
  ZafButton* scrollForward = nullptr;
  // While the stored objects are read, Add is the window's: pages get their tabs afterwards.
  bool readingPages = false;
};

#endif
