#pragma once
// Pane windows for the tests: a plain window that keeps the view it is handed and the commands it gets, a
// maker of its kind registered for as long as a TestPaneWindowMaker lives, and layout entries.

#include <vector>

#include "app/eventlayout.h"
#include "app/panewindow.h"
#include "app/panewindowmakers.h"
#include "framework/core/zafwindow.h"

class TestPaneWindow : public ZafWindow, public PaneWindow {
 public:
  TestPaneWindow(PaneKind kind, QvZEventMDI* owner) : ZafWindow(0, 0, 10, 10), kind(kind), owner(owner) {}
  ~TestPaneWindow() override {
    if (destroyed != nullptr) {
      *destroyed = true;
    }
  }

  ZafWindowObject* Window() override { return this; }
  void TakeModel(const PaneModel& given) override { model = given; }
  bool HasView() const override {
    return model.eventView != nullptr || model.resultsView != nullptr || model.chartView != nullptr;
  }
  void ReleaseView() override { model = PaneModel{}; }
  // Keeps the program's commands; the window's own events go to the window.
  ZafEventType Event(const ZafEventRecord& event) override {
    if (event.type < kFirstCommand) {
      return ZafWindow::Event(event);
    }
    commands.push_back(event.type);
    return event.type;
  }

  static constexpr ZafEventType kFirstCommand = 10000;

  PaneKind kind;
  QvZEventMDI* owner;
  PaneModel model;
  std::vector<ZafEventType> commands;
  // Set when the window is deleted.
  bool* destroyed = nullptr;
};

class TestPaneWindowMaker {
 public:
  explicit TestPaneWindowMaker(PaneKind kind) : kind(kind) {
    PaneWindowMakers::Register(kind, [this](QvZEventMDI* owner) {
      auto* window = new TestPaneWindow(this->kind, owner);
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
