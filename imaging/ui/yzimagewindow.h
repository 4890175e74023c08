#pragma once
// The image window: one view of a captured line-scan image in the image pane, under a tool bar with the
// camera's name, the identification field, the identification method, zoom, crop, auto-crop, object
// search, enhancement, print and maximize (which buttons appear is configured). From it the user gives the
// time under the cursor to a result of the image's leg.

#include <cstdint>
#include <utility>
#include <vector>

#include "foundation/kpoint.h"
#include "foundation/kstring.h"
#include "imaging/ui/yzimagepane.h"
#include "imaging/yimageviewwindow.h"
#include "toolkit/kzwindow.h"

class KZTBButton;
class KZToolBar;
class QvResult;
class QvResults;
class YImage;
class YImageView;
class YZIdPane;
class YZZoomSelector;

class YZImageWindow : public KZWindow, public YZImagePane::Owner, public YImageViewWindow {
 public:
  // The window's commands.
  static constexpr ZafEventType kZoomOut = 10241;
  static constexpr ZafEventType kZoomIn = 10242;
  static constexpr ZafEventType kZoomSelect = 10243;
  static constexpr ZafEventType kZoomMode = 10244;
  static constexpr ZafEventType kIdMethodFirst = 10245;
  static constexpr ZafEventType kIdMethodLast = 10248;
  static constexpr ZafEventType kEnterResult = 10249;
  static constexpr ZafEventType kCrop = 10250;
  static constexpr ZafEventType kUncrop = 10251;
  static constexpr ZafEventType kAutoCrop = 10252;
  static constexpr ZafEventType kFindObject = 10253;
  static constexpr ZafEventType kEnhance = 10255;
  static constexpr ZafEventType kUnenhance = 10256;
  static constexpr ZafEventType kMaximize = 10364;
  static constexpr ZafEventType kRestore = 10365;
  static constexpr ZafEventType kResolutionMenu = 10366;
  static constexpr ZafEventType kResolutionFirst = 10367;
  static constexpr ZafEventType kResolutionLast = 10372;
  static constexpr ZafEventType kResultFirst = 10378;
  static constexpr ZafEventType kResultLast = 10477;
  static constexpr int32_t kMaxMenuResults = kResultLast - kResultFirst + 1;

  // The configurable buttons, each shown only when its setting under "\Event\Image\ToolBar\" is not 0.
  enum Button {
    kIdMethod,
    kZoomOutButton,
    kZoomInButton,
    kCropButton,
    kAutoCropButton,
    kFindObjectButton,
    kEnhanceButton,
    kPrintButton,
    kMaximizeButton,
    kButtonCount
  };

  // Shows the view (or none).
  explicit YZImageWindow(YImageView* view);
  ~YZImageWindow() override;
  YZImageWindow(const YZImageWindow&) = delete;
  YZImageWindow& operator=(const YZImageWindow&) = delete;

  // Loads the tool bar's bitmaps; the windows live between the two.
  static void Register();
  static void Unregister();

  // Shows another view, or none; nothing for the view shown.
  void SetImage(YImageView* newView);
  // Brings the tool bar in step with the image and the view; the pane is redrawn first when asked.
  void Update(bool redrawPane);
  // Zooms the view to percent/100 on both axes; when that changed, brings the cursor or marks back.
  void ZoomTo(int32_t percent);
  // Scrolls the pane to the cursor when it is shown, else to the centre of a valid marked rectangle.
  void Recentre();
  // Gives the time at the cursor to the result, or (null) to the result the identification field names,
  // or to a new one; every refusal and question beeps first.
  void EnterResult(QvResult* result);
  // The chosen time resolution (80 time units a millisecond); 0.01 s when none was chosen.
  int64_t TimeResolution() const;

  // The result menu's items for the image, last result first: command and text.
  std::vector<std::pair<ZafEventType, KString>> ResultMenuItems() const;

  YImageView* View() const { return view; }
  YImage* Image() const { return image; }
  YZImagePane* Pane() const { return pane; }
  KZToolBar* ToolBar() const { return toolBar; }
  YZIdPane* IdPane() const { return idPane; }
  // Null when the setting leaves it out.
  KZTBButton* ButtonAt(Button button) const { return buttons[button]; }
  YZZoomSelector* ZoomSelector() const { return zoomSelector; }

  ZafEventType Event(const ZafEventRecord& event) override;

  // The pane's requests.
  void PaneUpdate() override {}
  bool EnterResultPopup(KPoint screen) override;

  // The view's requests.
  void Update(int32_t kind) override { Update(kind == 1); }
  void PaneAction() override;
  void ZoomRequest() override { Update(true); }
  void ObjectSearchRequest() override;
  void ViewGone() override { SetImage(nullptr); }
  bool HasNativeWindow() const override { return ScreenID() != nullptr; }
  bool HasPane() const override { return pane != nullptr; }
  void ShowTime(const YTime& time, int32_t line) override;
  void RedrawLine(int32_t line) override;

 protected:
  // Runs the result menu at a screen point.
  virtual void ShowResultMenu(KPoint screen, const std::vector<std::pair<ZafEventType, KString>>& items);

 private:
  void BuildToolBar();
  KZTBButton* AddButton(Button button, ZafEventType command, int32_t bitmap);
  void SetButton(Button button, ZafEventType command, int32_t bitmap);
  void UpdateMenu();
  bool HasMarks() const;
  void Crop();
  void Uncrop();
  void AutoCrop();
  void FindObject();
  void Enhance();
  void ScrollToCursor();
  QvResults* Results() const;
  QvResult* MenuResult(ZafEventType code) const;
  // The view's owner is set through here, so that clearing it is not ambiguous.
  void AttachView(YImageView* shown, YImageViewWindow* window);

  YImage* image = nullptr;
  YImageView* view = nullptr;
  YZImagePane* pane = nullptr;
  KZToolBar* toolBar = nullptr;
  int64_t timeResolution = 0;
  YZIdPane* idPane = nullptr;
  std::vector<KZTBButton*> buttons = std::vector<KZTBButton*>(kButtonCount, nullptr);
  YZZoomSelector* zoomSelector = nullptr;
};
