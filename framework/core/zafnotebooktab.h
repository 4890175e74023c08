// The tab of one notebook page: it stands in the notebook's tab row for the page at the same position,
// shows the page's title text with its hot key, and keeps the page's decorations (title, system button
// and the like) while the page is in the notebook. It lives in the notebook's native window.
#ifndef FRAMEWORK_CORE_ZAFNOTEBOOKTAB_H
#define FRAMEWORK_CORE_ZAFNOTEBOOKTAB_H

#include "framework/core/zafwindowobject.h"
#include "framework/data/zaflist.h"

class ZafTitle;
class ZafWindow;

class ZafNotebookTab : public ZafWindowObject {
 public:
  // No region and no title.
  ZafNotebookTab();
  // Duplicates the decorations one by one; the duplicated title becomes the title.
  ZafNotebookTab(const ZafNotebookTab& other);
  ~ZafNotebookTab() override;

  ZafClassID ClassID() const override;
  const ZafIChar* ClassName() const override;
  bool IsA(ZafClassID id) const override;
  bool IsAName(const ZafIChar* name) const override;
  ZafWindowObject* Duplicate() override;

  // The title's text, or none without a title.
  const ZafIChar* Text() override;
  // Sets the title's text and redraws the tab when it is on screen; 10 without a title.
  int SetText(const ZafIChar* text) override;
  ZafTitle* Title() const { return title; }
  // The title's hot key: character 0 and index -1 without a title.
  ZafIChar HotKeyChar() const;
  int32_t HotKeyIndex() const;

  // Takes the page's decorations: every support object with a reserved number ID except the geometry
  // manager; the title among them becomes the tab's title.
  void TakeDecorations(ZafWindow& page);
  // Gives them back, last to first, each in front of the page's first support object.
  void GiveDecorationsBack(ZafWindow& page);
  // A tab is selected while its page is shown; nobody else is told.
  bool SetSelected(bool flag) override;

  // Full drawing for RedisplayEvent and RedisplayRegionEvent, the text only for DrawNowEvent (defined by
  // the back-end).
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;

 private:
  ZafList decorations;
  ZafTitle* title = nullptr;
};

#endif
