// A program's main window built from every kind of framework object, for the tests that run the whole
// framework at once: an MDI frame with a menu bar, a tool bar and a status bar; two documents that its
// geometry constraints keep side by side over the frame's client area, one holding text and number fields,
// a list, a combo box and two buttons, the other a slider and a notebook; and a message window in front.
// The same scene runs on the headless desktop and, in a program of its own, on an X display.
#ifndef FRAMEWORK_CORE_TESTS_FRAMEWORKSCENE_H
#define FRAMEWORK_CORE_TESTS_FRAMEWORKSCENE_H

#include <memory>

#include "framework/core/zafbutton.h"
#include "framework/core/zafmdiwindow.h"
#include "framework/core/zafmessagewindow.h"
#include "framework/core/zafnotebook.h"
#include "framework/core/zafscrollbar.h"
#include "framework/core/zafstring.h"
#include "framework/core/zafvtlist.h"
#include "framework/core/zafwindowmanager.h"

class FrameworkScene {
 public:
  // Pixels between a document's objects and its edges.
  static constexpr int32_t kMargin = 8;

  // Builds the scene and shows it through the window manager, which owns the frame from then on. The
  // frame's outer region is `width` by `height` pixels at the desktop's corner.
  FrameworkScene(ZafWindowManager& windowManager, int32_t width, int32_t height);
  // Takes the message window away; a message window is always its caller's to delete.
  ~FrameworkScene();
  FrameworkScene(const FrameworkScene&) = delete;
  FrameworkScene& operator=(const FrameworkScene&) = delete;

  ZafMDIWindow* frame;
  // Left half: fields, list, combo box and buttons; the start button keeps to the document's right edge,
  // the name field stretches to it and the list to its bottom edge.
  ZafMDIWindow* entry;
  ZafString* name;
  ZafVtList* lanes;
  ZafButton* start;
  // Right half: the slider stretches across it and the notebook fills the rest.
  ZafMDIWindow* gauges;
  ZafScrollBar* slider;
  ZafNotebook* notebook;
  std::unique_ptr<ZafMessageWindow> message;

 private:
  ZafWindowManager& windowManager;
};

#endif
