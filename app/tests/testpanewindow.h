#pragma once
// Pane windows for the tests: a plain window that keeps the view it is handed, a maker of its kind
// registered for as long as a TestPaneWindowMaker lives, and layout entries.

#include <vector>

#include "app/eventlayout.h"
#include "app/panewindow.h"
#include "app/panewindowmakers.h"
#include "framework/core/zafwindow.h"

class TestPaneWindow : public ZafWindow, public PaneWindow {
 public:
  explicit TestPaneWindow(PaneKind kind) : ZafWindow(0, 0, 10, 10), kind(kind) {}
  ~TestPaneWindow() override {
    if (destroyed != nullptr) {
      *destroyed = true;
    }
  }

  // Commands and the menu update are noted and answered with their code; the rest is the window's.
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type >= kFirstNoted) {
      received.push_back(event.type);
      return event.type;
    }
    return ZafWindow::Event(event);
  }

  ZafWindowObject* Window() override { return this; }
  void TakeModel(const PaneModel& given) override { model = given; }
  bool HasView() const override {
    return model.eventView != nullptr || model.resultsView != nullptr || model.chartView != nullptr;
  }
  void ReleaseView() override { model = PaneModel{}; }

  // The menu update is the lowest code noted.
  static constexpr ZafEventType kFirstNoted = 10020;

  PaneKind kind;
  PaneModel model;
  std::vector<ZafEventType> received;
  // Set when the window is deleted.
  bool* destroyed = nullptr;
};

class TestPaneWindowMaker {
 public:
  explicit TestPaneWindowMaker(PaneKind kind) : kind(kind) {
    PaneWindowMakers::Register(kind, [this](QvZEventMDI*) {
      auto* window = new TestPaneWindow(this->kind);
      made.push_back(window);
      return window;
    });
  }
  ~TestPaneWindowMaker() { PaneWindowMakers::Register(kind, nullptr); }
  TestPaneWindowMaker(const TestPaneWindowMaker&) = delete;
  TestPaneWindowMaker& operator=(const TestPaneWindowMaker&) = delete;

  PaneKind kind;
  std::vector<TestPaneWindow*> made;
};

inline EventLayoutEntry LayoutEntry(PaneKind kind, const PaneRect& rect) {
  EventLayoutEntry entry;
  entry.kind = kind;
  entry.label = u"Pane";
  entry.rect = rect;
  return entry;
}
