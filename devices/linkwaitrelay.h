#pragma once
// LinkWaitRelay: the reporter of every wait of a serial link that holds the GUI thread (the database link's,
// the control unit's). Between the slices of a wait it serves the photo-finish system's reaction-time link
// first, then hands the wait on to the program's reporter (the busy pointer, the paints, the command
// service, a download's break key), which also says when the waits end.

#include <functional>

#include "devices/linkwaitreporter.h"

class LinkWaitRelay : public LinkWaitReporter {
 public:
  // `program` (not owned) may be null: the waits then serve only the reaction-time link.
  explicit LinkWaitRelay(LinkWaitReporter* program = nullptr) : program(program) {}

  // What serves the reaction-time link without waiting; empty (the default): nothing.
  void ServeLinkWith(std::function<void()> serve) { serveLink = std::move(serve); }

  void Busy(bool busy) override;
  void Serve() override;
  // The program's word.
  bool WaitsEnd() const override;

 private:
  LinkWaitReporter* const program;
  std::function<void()> serveLink;
};
