// A small button that opens a pop-up menu just under itself when pressed, marked with a triangle pointing
// down. Dialogs put one beside a field to offer choices for it.
#ifndef TOOLKIT_KZANCHOREDPOPUPMENU_H
#define TOOLKIT_KZANCHOREDPOPUPMENU_H

#include <cstdint>
#include <memory>

#include "toolkit/kzbutton.h"

class KZPopUpItem;
class KZPopUpMenu;

class KZAnchoredPopUpMenu : public KZButton {
 public:
  // Region in pixels; the button never becomes current.
  KZAnchoredPopUpMenu(int32_t left, int32_t top, int32_t width, int32_t height);
  ~KZAnchoredPopUpMenu() override;

  // The menu takes the item.
  void AddItem(KZPopUpItem* item);
  KZPopUpMenu& Menu() const { return *menu; }

  // A press of the first mouse button opens the menu at the button's bottom-left corner on the screen;
  // the drag and release of that press are taken too. Everything else is the button's.
  ZafEventType Event(const ZafEventRecord& event) override;
  // The button, then the triangle in the button's text colour.
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;

 private:
  std::unique_ptr<KZPopUpMenu> menu;
};

#endif
