#include "app/chartsettings.h"

#include "app/defaultlanes.h"
#include "model/qvsettings.h"
#include "model/qvtrace.h"

namespace {

using Range = QvSettings::Range<int32_t>;
using Outside = QvSettings::Outside;

constexpr const char16_t* kMinX = u"\\Chart\\Axes\\MinX";
constexpr const char16_t* kMaxX = u"\\Chart\\Axes\\MaxX";
// Seconds from the gun: the trace holds -3..2.
constexpr QvSettings::Range<double> kSeconds{-3.0, 2.0, Outside::kNearestEnd};
// Percent of the chart's size on one side: the two sides together leave at least a tenth for the plot.
constexpr QvSettings::Range<double> kMarginPct{0.0, 45.0, Outside::kNearestEnd};
// A length in trace samples, at most the samples after the first.
constexpr Range kSamples{1, QvTrace::kSampleCount - 1, Outside::kNearestEnd};
constexpr Range kPositive{1, INT32_MAX};
// An entry of the 16-colour palette the Options offer.
constexpr Range kPaletteIndex{0, 15};

}  // namespace

ChartSettings ChartSettings::Read() {
  ChartSettings settings;
  const ChartSettings defaults;
  settings.minX = QvSettings::Float(kMinX, defaults.minX, kSeconds);
  settings.maxX = QvSettings::Float(kMaxX, defaults.maxX, kSeconds);
  if (!(settings.minX < settings.maxX)) {
    settings.minX = defaults.minX;
    settings.maxX = defaults.maxX;
    const KString crossed(u"leaves no time between MinX and MaxX");
    QvSettings::ReplaceFloat(kMinX, settings.minX, crossed);
    QvSettings::ReplaceFloat(kMaxX, settings.maxX, crossed);
  }
  settings.showY = QvSettings::Bool(u"\\Chart\\Axes\\ShowY", defaults.showY);
  settings.acrossTraces = QvSettings::Bool(u"\\Chart\\Scale\\AcrossTraces", defaults.acrossTraces);
  settings.filtAvePts = QvSettings::Int(u"\\Chart\\Plotting\\FiltAvePts", defaults.filtAvePts,
                                        {0, QvTrace::kSampleCount - 1, Outside::kNearestEnd});
  settings.sumIntegral = QvSettings::Int(u"\\Chart\\Plotting\\SumIntegral", defaults.sumIntegral, kSamples);
  settings.multiScaleVal =
      QvSettings::Int(u"\\Chart\\Plotting\\MultiScaleVal", defaults.multiScaleVal, kPositive);
  settings.minScaleVal = QvSettings::Int(u"\\Chart\\Plotting\\MinScaleVal", defaults.minScaleVal, kPositive);
  settings.defScaleVal = QvSettings::Int(u"\\Chart\\Plotting\\DefScaleVal", defaults.defScaleVal, kPositive);
  settings.powerRoundVal =
      QvSettings::Int(u"\\Chart\\Plotting\\PowerRoundVal", defaults.powerRoundVal, kPositive);
  // The Options offer widths 1 to 10 and the styles solid, dash and dot.
  settings.brushWidth =
      QvSettings::Int(u"\\Chart\\Brush\\Width", defaults.brushWidth, {1, 10, Outside::kNearestEnd});
  settings.brushStyle = QvSettings::Int(u"\\Chart\\Brush\\Style", defaults.brushStyle, {0, 2});
  settings.brushColor = QvSettings::Int(u"\\Chart\\Brush\\Color", defaults.brushColor, kPaletteIndex);
  settings.backgroundColor =
      QvSettings::Int(u"\\Chart\\Background\\Color", defaults.backgroundColor, kPaletteIndex);
  settings.faceColor = QvSettings::Int(u"\\Chart\\Background\\FaceColor", defaults.faceColor, kPaletteIndex);
  settings.leftPct = QvSettings::Float(u"\\Chart\\Margins\\LeftPct", defaults.leftPct, kMarginPct);
  settings.rightPct = QvSettings::Float(u"\\Chart\\Margins\\RightPct", defaults.rightPct, kMarginPct);
  settings.topPct = QvSettings::Float(u"\\Chart\\Margins\\TopPct", defaults.topPct, kMarginPct);
  settings.bottomPct = QvSettings::Float(u"\\Chart\\Margins\\BottomPct", defaults.bottomPct, kMarginPct);
  settings.showSet = QvSettings::Bool(u"\\Chart\\Lines\\ShowSet", defaults.showSet);
  settings.showGun = QvSettings::Bool(u"\\Chart\\Lines\\ShowGun", defaults.showGun);
  settings.showLegal = QvSettings::Bool(u"\\Chart\\Lines\\ShowLegal", defaults.showLegal);
  settings.showReaction = QvSettings::Bool(u"\\Chart\\Lines\\ShowReaction", defaults.showReaction);
  settings.showPower = QvSettings::Bool(u"\\Chart\\Lines\\ShowPower", defaults.showPower);
  settings.defaultLanes = DefaultLaneCount();
  settings.showAllFSInRed = QvSettings::Bool(u"\\Event\\Results\\ShowAllFSInRed", defaults.showAllFSInRed);
  return settings;
}

int32_t ChartSettings::WindowLength() const {
  return static_cast<int32_t>((maxX - minX) * 1000.0);
}

int32_t ChartSettings::FirstSample() const {
  return static_cast<int32_t>((minX + 3.0) * 1000.0);
}
