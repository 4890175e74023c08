#include "app/chartload.h"

#include <algorithm>
#include <cmath>

#include "app/chartlanes.h"
#include "app/localreactionscan.h"
#include "chart/cf_chartengine.h"
#include "chart/cf_chartmodel.h"
#include "chart/cf_dispattribs.h"
#include "chart/cf_textattribs.h"
#include "chart/zafchartcontrol.h"
#include "foundation/ksortedlist.h"
#include "model/qvresult.h"
#include "model/qvsettings.h"

namespace {

// Label kinds of the chart control: the time axis, the value axis and the marker lines.
constexpr int32_t kDomainLabel = 1;
constexpr int32_t kRangeLabel = 2;
constexpr int32_t kGroupLabel = 4;
constexpr int32_t kTimeAxis = 2;
constexpr int32_t kValueAxis = 4;
constexpr int32_t kLaneAxis = 3;
constexpr int32_t kMarkerAxis = 1;
constexpr bf_Color kBlack = 0;
constexpr bf_Color kWhite = 15;
constexpr bf_Color kRed = 12;
// A marker line without a number.
constexpr double kNoValue = -100.0;
constexpr double kNearZero = 0.0001;

// One marker line: its text, its position in samples from the window's left edge, and a number shown
// instead of the text (kNoValue: none). Lines sort by position.
class ChartTimeLine : public KSortedListItem {
 public:
  ChartTimeLine(KString text, int32_t position, double value = kNoValue)
      : text(std::move(text)), position(position), value(value) {}
  const char* ClassName() const override { return "ChartTimeLine"; }
  bool GoesAfter(const KSortedListItem& other) const override {
    return position > static_cast<const ChartTimeLine&>(other).position;
  }

  KString text;
  int32_t position;
  double value;
};

KString Text(const char16_t* path, const char16_t* fallback) {
  return QvSettings::Text(path, fallback);
}

// Truncated toward zero, as every sample position of the chart is.
int32_t Samples(double value) {
  return static_cast<int32_t>(value);
}

}  // namespace

int32_t ChartLoad::PaletteColor(int32_t choice, int32_t fallback) {
  static constexpr int32_t kPalette[] = {0, 15, 12, 10, 9, 14, 11, 13, 4, 2, 1, 3, 5, 6, 8, 7};
  return choice >= 0 && choice < 16 ? kPalette[choice] : fallback;
}

void ChartLoad::LoadTraces(const ChartRows& rows, const KPoint& position, bool reload,
                           const ChartLoadOptions& loadOptions) {
  settings = ChartSettings::Read();
  options = loadOptions;
  cf_ChartModel& model = *chart->GetModel();
  // Without reload the series stay, and so does the scale they were lifted by, which places the labels.
  if (reload) {
    scale = 0;
    model.ClearData();
  } else {
    model.GetRange().Clear();
  }
  model.GetGroups().Clear();
  if (rows.allCharts) {
    shownRow = -1;
    LoadAllLanes(rows, reload);
  } else {
    LoadSingle(rows, position, reload);
  }
  AddAxisTitles();
}

void ChartLoad::LoadSingle(const ChartRows& rows, const KPoint& position, bool reload) {
  const int32_t count = static_cast<int32_t>(rows.results.size());
  // The lines and labels of a load without reload belong to the trace the chart holds, whichever row has
  // become current since. A reload without a row of its own (new options, a redraw of the event) keeps
  // that row too, while the list still has it: only a row named to it moves the chart.
  if (reload && !(position.x == -1 && position.y == -1)) {
    shownRow = position.y;
  } else if (reload && (shownRow < 0 || shownRow >= count)) {
    shownRow = rows.selectedRow;
  }
  const QvResult* result = shownRow >= 0 && shownRow < count ? rows.results[shownRow] : nullptr;
  if (reload) {
    SetSeriesAttribs(result, 1, 1);
    if (settings.acrossTraces) {
      for (const QvResult* each : rows.results) {
        PrepareTrace(each, true);
      }
    } else {
      PrepareTrace(result, true);
    }
    PrepareTrace(result, false);
    AddSamples(1, 1, WindowValues());
    SetupTimeAxis(1, true);
  }
  DrawMarkerLines(result, true);
  AddPowerLabels(result);
  ApplySettings(true, options.labelFont);
}

void ChartLoad::LoadAllLanes(const ChartRows& rows, bool reload) {
  const int32_t count = static_cast<int32_t>(rows.results.size());
  std::vector<KString> laneTexts;
  for (const QvResult* result : rows.results) {
    laneTexts.push_back(result->AthleteField3());
  }
  const std::vector<int32_t> lanes = AssignChartLanes(laneTexts, std::max(count, settings.defaultLanes));
  const auto laneCount = static_cast<int32_t>(lanes.size());
  auto resultOf = [&](int32_t row) { return row < count ? rows.results[row] : nullptr; };
  if (reload) {
    if (count == 0) {
      scale = settings.multiScaleVal;
    } else {
      // Each trace is prepared once; its window waits for the scale that every trace sets.
      std::vector<std::vector<double>> windows;
      for (const QvResult* each : rows.results) {
        PrepareTrace(each, true);
        windows.push_back(WindowValues());
      }
      for (int32_t row = laneCount - 1; row >= 0; --row) {
        if (row < count) {
          AddSamples(laneCount, lanes[row], std::move(windows[static_cast<std::size_t>(row)]));
        } else {
          AddBaseline(laneCount, lanes[row]);
        }
      }
      // The buffers are left holding the first row's trace, the one the marker lines belong to.
      if (count > 1) {
        PrepareTrace(rows.results[0], false);
      }
    }
    for (int32_t row = laneCount - 1; row >= 0; --row) {
      SetSeriesAttribs(resultOf(row), laneCount, lanes[row]);
    }
    SetupTimeAxis(laneCount, false);
  }
  // The lane labels are made again with the lines: they share the range group that a load without reload
  // clears.
  chart->GetModel()->GetRange().Clear();
  for (int32_t row = laneCount - 1; row >= 0; --row) {
    AddLaneLabels(resultOf(row), laneCount, lanes[row]);
  }
  DrawMarkerLines(resultOf(0), false);
  ApplySettings(false, options.labelFont);
}

void ChartLoad::AddAxisTitles() {
  chart->SetAxisTitle(Text(u"\\Strings\\Event\\Chart\\Axes\\Time", u"Time (seconds)").CStr(), kTimeAxis, 0,
                      -117, 0);
  chart->SetAxisTitle(Text(u"\\Strings\\Event\\Chart\\Axes\\Power", u"Power").CStr(), kValueAxis, -117, -90,
                      0);
}

void ChartLoad::Clear(const ChartLoadOptions& loadOptions) {
  settings = ChartSettings::Read();
  options = loadOptions;
  scale = 0;
  shownRow = -1;
  chart->GetModel()->ClearData();
  chart->GetModel()->ClearLegend();
  SetSeriesAttribs(nullptr, 1, 1);
  PrepareTrace(nullptr, false);
  AddSamples(1, 1, WindowValues());
  SetupTimeAxis(1, true);
}

void ChartLoad::PrepareTrace(const QvResult* result, bool rescale) {
  ChartTraces& traces = ChartTraces::Shared();
  traces.Prepare(result, options.mode, settings);
  if (rescale) {
    scale = traces.GrowScale(scale, settings);
  }
}

double ChartLoad::Lift(int32_t laneCount, int32_t lane) const {
  return static_cast<double>(laneCount - lane) * scale;
}

std::vector<double> ChartLoad::WindowValues() const {
  const double* plotted = ChartTraces::Shared().Plotted(options.mode) + settings.FirstSample();
  std::vector<double> values(static_cast<std::size_t>(settings.WindowLength()));
  for (std::size_t k = 0; k < values.size(); ++k) {
    values[k] = std::trunc(plotted[k]);
  }
  return values;
}

void ChartLoad::AddSamples(int32_t laneCount, int32_t lane, std::vector<double> values) {
  const double lift = Lift(laneCount, lane);
  for (double& value : values) {
    value += lift;
  }
  chart->GetModel()->AddValues(laneCount - lane + 1, values.data(), static_cast<int32_t>(values.size()));
}

void ChartLoad::AddBaseline(int32_t laneCount, int32_t lane) {
  chart->AddValue(laneCount - lane + 1, Lift(laneCount, lane));
}

void ChartLoad::SetSeriesAttribs(const QvResult* result, int32_t laneCount, int32_t lane) {
  cf_DispAttribs& pen = chart->GetSeriesAttribs(laneCount - lane + 1);
  pen.SetWidth(static_cast<uint32_t>(std::max(settings.brushWidth, 0)));
  pen.SetStyle(settings.brushStyle == 1 || settings.brushStyle == 2 ? 1 : 0);
  pen.SetForeColor(kBlack);
  const bool falseStart = result != nullptr && result->IsFalseStart();
  const bool red = falseStart && (settings.showAllFSInRed || result->IsFalseStartCharged());
  pen.SetBackColor(static_cast<bf_Color>(red ? kRed : PaletteColor(settings.brushColor, kBlack)));
}

void ChartLoad::SetupTimeAxis(int32_t laneCount, bool single) {
  const double range = settings.maxX - settings.minX;
  chart->GetModel()->GetDomain().Clear();
  double step = 0.1;
  double labelStep = 0.5;
  int32_t steps = std::max(Samples(range * 10), 1);
  if (steps < 10) {
    step = 0.01;
    labelStep = 0.05;
    steps = Samples(range * 100);
  }
  rangeTooSmall = steps == 0;
  if (!rangeTooSmall) {
    const KString gun = Text(u"\\Strings\\Chart\\Gun", u"Gun");
    const double stepSamples = range * 1000 / steps;
    double position = 0;
    for (int32_t i = 0; i <= steps; ++i, position += stepSamples) {
      double t = settings.minX + i * step;
      if (std::fabs(t) < kNearZero) {
        t = 0;
      }
      const double at = Samples(position);
      const double r = std::fabs(std::fmod(t, labelStep));
      if (t == 0) {
        // The time numbers are thinned counting from the gun, which stays while any does.
        chart->SetDomainLabel(gun.CStr(), kDomainLabel, at)->SetKeyLabel(true);
      } else if (r < kNearZero || (labelStep - kNearZero < r && r < labelStep + kNearZero)) {
        chart->SetDomainValueLabel(t, kDomainLabel, at);
      } else {
        chart->SetDomainLabel(u"", kDomainLabel, at);
      }
    }
  }
  chart->SetAxisStyle(kTimeAxis, 1);
  chart->SetAxisTicks(kTimeAxis, 1.0, 1, 5.0, 0);
  chart->SetAxisTicks(kValueAxis, single ? scale / 5 : scale, 1, 2.0, 0);
  // Every power number whole and in full, its thousands grouped, however large the scale.
  chart->GetAxisLabelTextAttribs(kValueAxis).SetFormat(u"%'.0f");
  chart->SetAxisLabelInterval(kValueAxis, 1, 0);
  chart->SetValueRange(0, static_cast<double>(scale) * laneCount);
}

void ChartLoad::AddLaneLabels(const QvResult* result, int32_t laneCount, int32_t lane) {
  KString text = Text(u"\\Strings\\Chart\\Lane", u"Lane");
  text.AppendChar(u' ').AppendInt(lane);
  if (result != nullptr && result->GetReactionTime().HasResolution()) {
    text.Append(u" (");
    if (result->GetReactionTime().ToMilliseconds() == YTime::kNoMilliseconds) {
      text.Append(Text(u"\\Strings\\Event\\Results\\Time\\NoTime", u""));
    } else {
      result->GetReactionTime().Format(text);
    }
    text.Append(u")");
  }
  // The lane labels are thinned counting from lane 1, which stays while any does.
  chart->SetDomainLabel(text.CStr(), kRangeLabel, Lift(laneCount, lane))->SetKeyLabel(lane == 1);
  chart->ShowAxis(kLaneAxis, true);
  SetUpLaneAxis();
  chart->SetAxisTicks(kLaneAxis, 1.0, 1, 2.0, 0);
  chart->GetAxisLabelAttribs(kLaneAxis).SetForeColor(kBlack);
}

void ChartLoad::SetUpLaneAxis() {
  chart->SetAxisTickInterval(kLaneAxis, 1, 0);
  chart->SetAxisStyle(kLaneAxis, 2);
  // A label stands on its line, the lane's baseline, inside its own band beside its trace.
  chart->GetAxisLabelTextAttribs(kLaneAxis).SetBottom();
}

void ChartLoad::DrawMarkerLines(const QvResult* result, bool single) {
  if (result == nullptr) {
    return;
  }
  chart->ShowAxis(kMarkerAxis, true);
  chart->SetAxisStyle(kMarkerAxis, 4);
  chart->SetAxisTickInterval(kMarkerAxis, 1, 0);
  chart->SetAxisTicks(kMarkerAxis, 1.0, 1, 3.0, 1);
  chart->SetAxisLabelInterval(kMarkerAxis, 1, 4);
  chart->GetAxisLabelAttribs(kMarkerAxis).SetForeColor(kBlack);

  const double minX = settings.minX;
  const double maxX = settings.maxX;
  const double left = -minX * 1000;
  KSortedList lines;
  const int32_t setTime = result->GetTime3().ToMilliseconds();
  const double setAt = -static_cast<double>(setTime) / 1000;
  if (settings.showSet && minX <= setAt && setAt <= maxX) {
    lines.Add(new ChartTimeLine(Text(u"\\Strings\\Chart\\Set", u"Set"), Samples(left - setTime)));
  }
  if (settings.showGun && minX <= 0 && 0 <= maxX) {
    lines.Add(new ChartTimeLine(KString(), Samples(left)));
  }
  if (settings.showLegal && minX <= 0.1 && 0.1 <= maxX) {
    lines.Add(new ChartTimeLine(Text(u"\\Strings\\Chart\\Legal", u"Legal"), Samples(left + 100)));
  }
  const YTime& reaction = result->GetReactionTime();
  if (settings.showReaction && single && reaction.HasResolution()) {
    const int32_t milliseconds = reaction.ToMilliseconds();
    const double t = milliseconds * 0.001;
    if (minX <= t && t <= maxX) {
      const int32_t at = Samples(milliseconds - minX * 1000);
      // The reaction time's title is the last line title to go.
      chart->SetDomainValueLabel(t, kGroupLabel, at).SetKeyLabel(true);
      if (at >= 0) {
        chart->SetDomainLabel(u"", kGroupLabel, at);
      }
    }
  }
  for (int32_t i = 0; i < lines.Count(); ++i) {
    const auto& line = static_cast<const ChartTimeLine&>(*lines.Item(i));
    if (line.value == kNoValue) {
      chart->SetDomainLabel(line.text.CStr(), kGroupLabel, line.position);
    } else {
      chart->SetDomainValueLabel(line.value, kGroupLabel, line.position);
    }
  }
  if (single && options.developer && options.localAlgorithm &&
      reaction.ToMilliseconds() != YTime::kNoMilliseconds) {
    DrawLocalReaction(*result);
  }
}

void ChartLoad::DrawLocalReaction(const QvResult& result) {
  const std::optional<int32_t> start = FindLocalReactionStart(
      ChartTraces::Shared().PlotY(), LocalAlgorithmSettings::Read(), result.GetTime3().ToMilliseconds());
  if (!start) {
    return;
  }
  const double t = (*start - QvTrace::kGunSample) * 0.001;
  if (settings.minX <= t && t <= settings.maxX) {
    const int32_t at = Samples(t * 1000 - settings.minX * 1000);
    chart->SetDomainValueLabel(t, kDomainLabel, at);
    chart->SetDomainLabel(u"", kGroupLabel, at);
  }
}

void ChartLoad::AddPowerLabels(const QvResult* result) {
  // A result without a measured power has no line to label.
  if (result == nullptr || !settings.showPower || !result->HasPower()) {
    return;
  }
  SetUpLaneAxis();
  // Named as in the results table, so that it reads as the result's power and not as a number of an axis.
  KString text = Text(u"\\Strings\\Event\\Results\\Fields\\Power", u"Power");
  text.AppendChar(u' ').AppendInt(result->GetPower());
  chart->SetDomainLabel(text.CStr(), kRangeLabel, result->GetPower());
}

void ChartLoad::ApplySettings(bool single, int32_t labelFont) {
  const ChartSettings current = ChartSettings::Read();
  chart->SetKernelOption(1);
  chart->ShowAxis(kValueAxis, single || current.showY);
  if (labelFont >= 0) {
    for (int32_t axis = 1; axis <= 4; ++axis) {
      chart->GetAxisLabelTextAttribs(axis).SetFont(bf_FontSpec(static_cast<int8_t>(labelFont)));
    }
  }
  const auto background = static_cast<uint8_t>(PaletteColor(current.backgroundColor, kWhite));
  chart->SetBackgroundColor(background, background);
  chart->GetEngine()->SetBackColor(static_cast<bf_Color>(PaletteColor(current.faceColor, kWhite)));
  chart->SetMargins(current.topPct, current.bottomPct, current.leftPct, current.rightPct);
}
