#pragma once
// The low 16 bits of the model's change notifications: what changed. The numbers the windows react to
// (12, 25 to 30, 41, 42 and the image's 7) are fixed; the others name the model's own changes.

#include <cstdint>

enum QvNotification : uint16_t {
  kQvEventTexts = 1,         // title, event, round or heat number
  kQvEventTime = 2,          // the event's stored date and time
  kQvStartChanged = 3,       // a start's name or times
  kQvWindChanged = 4,        // a wind reading, its units or its mode
  kQvLegParameters = 5,      // a leg's name, capture start or capture duration
  kQvResultAdded = 6,        // a result joined a result list
  kQvImageAdded = 7,         // an image joined a leg
  kQvResultStatus = 8,       // a result's status
  kQvResultTimes = 9,        // a result's times or power
  kQvResultAthlete = 10,     // a result's athlete texts
  kQvResultFalseStart = 11,  // a result's false-start or charged flag
  kQvLegReset = 12,          // views reset
  kQvResultTrace = 13,       // a result's trace
  kQvStructure = 14,         // starts, winds or legs added or removed
  kQvLegRedraw = 25,         // views redraw; the argument is a row or the unset time
  kQvChartReload = 26,       // chart windows reload with the argument's position
  kQvChartData = 27,         // show the chart data
  kQvChartToolBar = 28,      // update the chart tool bar
  kQvChartClear = 29,        // clear the chart
  kQvChartSettings = 30,     // re-apply the chart settings
  kQvLegCommandA = 41,       // the results window's first sensor command
  kQvLegCommandB = 42,       // the results window's second sensor command
};

// The image views' time and line positions (36 to 38): the document passes them to every image it holds,
// so that the views of all its images can follow one another.
constexpr uint16_t kQvImageViewsFirst = 36;
constexpr uint16_t kQvImageViewsLast = 38;
