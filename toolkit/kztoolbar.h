// The toolkit's tool bar: the framework's bar along one side of a window, with the toolkit's mix-in, a
// fixed height (or one the framework takes from its items) and an optional caption drawn after the last
// item. The size bars and the program's hardware bar derive from it; its items are the KZTB controls.
#ifndef TOOLKIT_KZTOOLBAR_H
#define TOOLKIT_KZTOOLBAR_H

#include <cstdint>

#include "foundation/kstring.h"
#include "framework/core/zaftoolbar.h"
#include "toolkit/kzwindowleech.h"

class KZToolBar : public ZafToolBar, public KZWindowLeech {
 public:
  // Bit of `barFlags`: a tool-bar button released on the bar gives the focus back to the bar's parent.
  static constexpr uint32_t kNotifyParent = 1;
  // Pixels between the last item and the caption.
  static constexpr int32_t kCaptionGap = 3;

  // `placement` is the side of the window (ZAF_DOCK_TOP .. ZAF_DOCK_RIGHT); a height of -1 lets the
  // framework lay the items out and size the bar to them, any other height (in pixels) is kept and the
  // items keep their places.
  KZToolBar(int32_t placement, int32_t height);
  ~KZToolBar() override;

  // A changed caption is stored and redisplayed (answering true); a shown caption also redisplays the bar
  // after every move and size change.
  bool SetText(const KString& text);
  const KString& Caption() const { return caption; }
  void SetNotifyParent(bool on);

  // Bars on the left or right lay their items out in a column.
  bool IsVertical() const { return DockSide() == ZAF_DOCK_LEFT || DockSide() == ZAF_DOCK_RIGHT; }
  bool IsHorizontal() const { return !IsVertical(); }
  int32_t Height() const { return height; }

  // The mix-in's focus request first; then the framework bar, after which a move or a size change lets
  // the mix-in redisplay.
  ZafEventType Event(const ZafEventRecord& event) override;
  // The framework bar with its items, then the caption.
  ZafEventType Draw(const ZafEventRecord& event, ZafEventType drawType) override;

  using KZWindowLeech::DrawBackground;
  using KZWindowLeech::DrawShadow;
  using KZWindowLeech::Redisplay;
  using ZafWindow::DrawBackground;
  using ZafWindow::DrawShadow;

  uint32_t barFlags = 0;

 private:
  void DrawCaption();

  const int32_t height;
  KString caption;
};

// Makes a control a tool-bar item: measured in pixels, `width` x `height` at (0, 0), never the current
// object.
void KZPlaceToolItem(ZafWindowObject& item, int32_t width, int32_t height);

#endif
