#pragma once
// The "\Chart\" settings a chart reads each time it draws, each checked against its range where it is
// read: a value outside it (a time range outside the 5001 samples, a rounding or scale of 0 or less, a
// margin that leaves no plot) is replaced by its default or the nearer end of the range, as the tree
// then holds and the log says.

#include <cstdint>

struct ChartSettings {
  // The time window in seconds from the gun; both lie in -3..2 and minX is below maxX.
  double minX = -3.0;
  double maxX = 2.0;
  bool showY = false;
  bool acrossTraces = true;
  int32_t filtAvePts = 0;
  int32_t sumIntegral = 192;
  int32_t multiScaleVal = 30000;
  int32_t minScaleVal = 500;
  int32_t defScaleVal = 1000;
  int32_t powerRoundVal = 1000;
  int32_t brushWidth = 1;
  int32_t brushStyle = 0;
  int32_t brushColor = 4;
  int32_t backgroundColor = 1;
  int32_t faceColor = 1;
  double leftPct = 10.0;
  double rightPct = 12.0;
  double topPct = 8.0;
  double bottomPct = 12.0;
  bool showSet = true;
  bool showGun = true;
  bool showLegal = true;
  bool showReaction = true;
  bool showPower = true;
  int32_t defaultLanes = 8;
  bool showAllFSInRed = false;

  static ChartSettings Read();

  // Samples in the window: (maxX - minX) x 1000, truncated.
  int32_t WindowLength() const;
  // The trace sample at the window's left edge.
  int32_t FirstSample() const;
};
