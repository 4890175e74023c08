// A window that is part of another window's face (a text field, a scroll bar, a bar along an edge): it
// takes none of the options of a top-level window. Each setter below stores false (or null) and answers it.
#ifndef FRAMEWORK_CORE_ZAFEMBEDDEDWINDOW_H
#define FRAMEWORK_CORE_ZAFEMBEDDEDWINDOW_H

#include "framework/core/zafwindow.h"

class ZafEmbeddedWindow : public ZafWindow {
 public:
  using ZafWindow::ZafWindow;

  bool SetDestroyable(bool flag) override;
  bool SetLocked(bool flag) override;
  bool SetMaximized(bool flag) override;
  bool SetMinimized(bool flag) override;
  bool SetModal(bool flag) override;
  bool SetMovable(bool flag) override;
  bool SetSystemKeys(bool flag) override;
  ZafWindow* SetOwner(ZafWindow* newOwner) override;
  bool SetSizeable(bool flag) override;
  bool SetTemporary(bool flag) override;

 protected:
  // Turns every one of those options off, whatever a copy or a record brought.
  void ClearWindowOptions();
};

#endif
