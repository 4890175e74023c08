#include "app/chartsettings.h"

#include "app/defaultlanes.h"
#include "foundation/kregistry.h"
#include "foundation/krfloat.h"
#include "model/qvsettings.h"

namespace {

constexpr double kEarliest = -3.0;
constexpr double kLatest = 2.0;

// Into -3..2 seconds; a value that is no number counts as the earliest.
double ClampSeconds(double seconds) {
  if (!(seconds >= kEarliest)) {
    return kEarliest;
  }
  return seconds > kLatest ? kLatest : seconds;
}

int32_t PositiveInt(const char16_t* path, int32_t fallback) {
  const int32_t value = QvSettings::Int(path, fallback);
  return value > 0 ? value : fallback;
}

}  // namespace

double ChartSettingFloat(const char16_t* path, double fallback) {
  const KRFloat* node = KRegistry::GetFloat(QvSettings::Root(), KString::View(path));
  return node != nullptr ? node->Value() : fallback;
}

ChartSettings ChartSettings::Read() {
  ChartSettings settings;
  const ChartSettings defaults;
  settings.minX = ClampSeconds(ChartSettingFloat(u"\\Chart\\Axes\\MinX", defaults.minX));
  settings.maxX = ClampSeconds(ChartSettingFloat(u"\\Chart\\Axes\\MaxX", defaults.maxX));
  if (!(settings.minX < settings.maxX)) {
    settings.minX = defaults.minX;
    settings.maxX = defaults.maxX;
  }
  settings.showY = QvSettings::Bool(u"\\Chart\\Axes\\ShowY", defaults.showY);
  settings.acrossTraces = QvSettings::Bool(u"\\Chart\\Scale\\AcrossTraces", defaults.acrossTraces);
  settings.filtAvePts = QvSettings::Int(u"\\Chart\\Plotting\\FiltAvePts", defaults.filtAvePts);
  if (settings.filtAvePts < 0) {
    settings.filtAvePts = defaults.filtAvePts;
  }
  // Below 1 counts as 1 where the integral is taken.
  settings.sumIntegral = QvSettings::Int(u"\\Chart\\Plotting\\SumIntegral", defaults.sumIntegral);
  settings.multiScaleVal = PositiveInt(u"\\Chart\\Plotting\\MultiScaleVal", defaults.multiScaleVal);
  settings.minScaleVal = PositiveInt(u"\\Chart\\Plotting\\MinScaleVal", defaults.minScaleVal);
  settings.defScaleVal = PositiveInt(u"\\Chart\\Plotting\\DefScaleVal", defaults.defScaleVal);
  settings.powerRoundVal = PositiveInt(u"\\Chart\\Plotting\\PowerRoundVal", defaults.powerRoundVal);
  settings.brushWidth = QvSettings::Int(u"\\Chart\\Brush\\Width", defaults.brushWidth);
  settings.brushStyle = QvSettings::Int(u"\\Chart\\Brush\\Style", defaults.brushStyle);
  settings.brushColor = QvSettings::Int(u"\\Chart\\Brush\\Color", defaults.brushColor);
  settings.backgroundColor = QvSettings::Int(u"\\Chart\\Background\\Color", defaults.backgroundColor);
  settings.faceColor = QvSettings::Int(u"\\Chart\\Background\\FaceColor", defaults.faceColor);
  settings.leftPct = ChartSettingFloat(u"\\Chart\\Margins\\LeftPct", defaults.leftPct);
  settings.rightPct = ChartSettingFloat(u"\\Chart\\Margins\\RightPct", defaults.rightPct);
  settings.topPct = ChartSettingFloat(u"\\Chart\\Margins\\TopPct", defaults.topPct);
  settings.bottomPct = ChartSettingFloat(u"\\Chart\\Margins\\BottomPct", defaults.bottomPct);
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
