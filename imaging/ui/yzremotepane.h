#pragma once
// The remote control's pane: twelve bitmap buttons that move, turn, focus, zoom and set the iris of a camera
// head through the hardware manager. A button sends its command when pressed, its held command once it has
// been held for more than half a second, and a stop when it is released after that.

#include <array>
#include <cstdint>

#include "framework/core/zafeventrecord.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzwindow.h"

class YHardware;
class YHardwareView;
class YZRemotePane;

// A button of the pane: it reports its press, its moves while held and its release to the pane.
class YZRemoteButton : public KZButton {
 public:
  YZRemoteButton(YZRemotePane* pane, int32_t code, int32_t x, int32_t y, ZafBitmapData* bitmap);
  ZafEventType Event(const ZafEventRecord& event) override;

 private:
  YZRemotePane* itsPane;
};

class YZRemotePane : public KZWindow {
 public:
  // The buttons, in the order of their codes 10562 to 10573.
  enum Button {
    kUp,
    kDown,
    kLeft,
    kRight,
    kClockwise,
    kCounterClockwise,
    kIrisClose,
    kIrisOpen,
    kFocusNear,
    kFocusFar,
    kZoomIn,
    kZoomOut,
    kButtonCount
  };
  static constexpr int32_t kFirstCode = 10562;
  static constexpr int32_t kButtonSize = 26;
  // Press codes other than a button's: still held, released.
  static constexpr int32_t kHeld = -1;
  static constexpr int32_t kReleased = 0;
  // A press held longer than this (ms) sends the held command.
  static constexpr int32_t kHoldTime = 500;
  // The mode characters of a press and of a stop.
  static constexpr char16_t kPressMode = u'8';
  static constexpr char16_t kStop = u'0';

  explicit YZRemotePane(YHardwareView* view);

  // Loads the twelve buttons' bitmaps; the panes live between the two.
  static void Register();
  static void Unregister();

  void SetView(YHardwareView* view);
  void SetTarget(int32_t id) { target = id; }
  int32_t Target() const { return target; }
  YZRemoteButton* ButtonAt(Button button) const { return buttons[button]; }

  // A button's code when pressed, kHeld while it is held, kReleased when it is let go.
  void Press(int32_t code);

 private:
  void Send(char16_t command, char16_t mode);

  YHardware* itsHardware = nullptr;
  int32_t target = -1;
  int32_t current = -1;
  uint32_t pressTime = 0;
  bool sent = false;
  std::array<YZRemoteButton*, kButtonCount> buttons{};
};
