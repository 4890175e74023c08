// The program's main frame: the window of the multiple-document interface that holds the document windows.
// It keeps the Window menu in step with them (numbered entries, Alt+1 to Alt+9, the current one checked),
// runs the arrangement commands, asks every document before the program exits and passes the idle tick
// on to the status bar.
#ifndef TOOLKIT_KZCONTROL_H
#define TOOLKIT_KZCONTROL_H

#include <cstdint>
#include <vector>

#include "framework/core/zafmdiwindow.h"
#include "toolkit/kzpopupitem.h"
#include "toolkit/kzwindowleech.h"

class KZMDIChild;
class KZPullDownItem;

// The frame's commands.
inline constexpr ZafEventType CascadeCommand = 10013;
inline constexpr ZafEventType TileHorizontalCommand = 10014;
inline constexpr ZafEventType TileVerticalCommand = 10015;
// To a document before the frame closes it: a non-zero answer lets it close.
inline constexpr ZafEventType ChildCloseQueryEvent = 10018;
// The commands of the Window menu's entries, one per document window in menu order.
inline constexpr ZafEventType WindowMenuFirstCommand = 10025;
inline constexpr ZafEventType WindowMenuLastCommand = 10124;

class KZControl : public ZafMDIWindow, public KZWindowLeech {
 public:
  // The Window-menu entries that get a hot key: the modifiers with '1' to '9'.
  static constexpr int32_t kNumberedHotKeys = 9;
  // Answer of the close command when nothing was closed.
  static constexpr ZafEventType kNotClosed = -2;

  // With the standard frame and an empty title.
  KZControl(int32_t left, int32_t top, int32_t width, int32_t height);
  // Takes the documents' entries out of the Window menu before the menu bar goes.
  ~KZControl() override;

  // A document window is added with redraw held, activated, and (when it is new here) listed in the
  // Window menu; anything else is the framework's.
  ZafWindowObject* Add(ZafWindowObject* object, ZafWindowObject* position = nullptr) override;
  // A document of this frame leaves the Window menu first.
  ZafWindowObject* Subtract(ZafWindowObject* object) override;
  // Takes the object out and deletes it; an object the frame does not give up is not deleted.
  virtual void DeleteChild(ZafWindowObject* object);

  ZafEventType Event(const ZafEventRecord& event) override;

  // The first document window after `after` (from the first child when null), or null.
  KZMDIChild* FindMDIChild(ZafWindowObject* after) const;
  // The same backwards: the last document before `after` (from the last child when null), or null.
  KZMDIChild* NextMDIChild(ZafWindowObject* after) const;
  KZMDIChild* CurrentMDIChild() const;
  int32_t MDIChildCount() const;
  // Appends an item to the Window menu (the arrangement commands, say).
  void AddToClient(ZafWindowObject* item);
  // Numbers the documents' entries in menu order, gives the first nine their hot keys, enables them and
  // checks the current document's; other items stay as they are.
  void RebuildWindowMenu();

  // The menu-bar entry whose menu lists the documents; set by the program before the first document is
  // added. While it is null the Window menu is left alone.
  KZPullDownItem* windowMenu = nullptr;
  // Modifier bits of the Window-menu hot keys; 0 gives none.
  uint32_t windowKeyModifiers = KZPopUpItem::kAlt;

  using KZWindowLeech::DrawBackground;
  using KZWindowLeech::DrawShadow;
  using KZWindowLeech::Redisplay;
  using ZafMDIWindow::DrawBackground;
  using ZafMDIWindow::DrawShadow;

 private:
  // The children as they are now, so that loops over them are not upset by what their handlers change.
  std::vector<ZafWindowObject*> Children() const;
  // Whether the object is a child now, compared by address only, so that it may be one deleted already.
  bool HoldsChild(const ZafWindowObject* object) const;
  // The document whose Window-menu entry is `item`, or null.
  KZMDIChild* OwnerOfItem(const ZafElement* item) const;
  void ActivateByCommand(ZafEventType command);
  ZafEventType CloseCommand(const ZafEventRecord& event);
  ZafEventType QueryExit();
  // Deletes every child there is now; children added meanwhile, or refused, stay.
  void DeleteChildren();
  void EnableMenuCommands();
};

#endif
