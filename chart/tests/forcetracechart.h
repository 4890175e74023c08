// A chart built the way the program's chart pane builds its all-lanes force-trace chart: one smooth trace
// per lane lifted onto its own band, lane labels on the value axis, a time axis of 0.1 s ticks labelled
// every 0.5 s with "Gun" at 0, the start's marker lines (Set, Gun, Legal and a reaction time) across the
// plot, stretch, the pane's margins and both axis titles. Shared by the chart tests and the benchmark.
#ifndef CHART_TESTS_FORCETRACECHART_H
#define CHART_TESTS_FORCETRACECHART_H

#include <cmath>
#include <cstdint>
#include <string>

#include "chart/cf_chartengine.h"
#include "chart/cf_chartmodel.h"
#include "chart/cf_dispattribs.h"
#include "chart/zafchartcontrol.h"

struct ForceTraceChart {
  static constexpr double kScale = 2000;
  static constexpr bf_Color kTraceColor = 4;
  static constexpr bf_Color kFaceColor = 15;
  static constexpr double kMarginTop = 8, kMarginBottom = 12, kMarginLeft = 10, kMarginRight = 12;
  // Marker positions in samples from the window's left edge (the window starts 3 s before the gun).
  static constexpr double kSetAt = 1500, kGunAt = 3000, kLegalAt = 3100, kReactionAt = 3143;

  int32_t lanes = 8;
  int32_t samples = 5000;

  // A force-like curve between 0.1 and 0.8 of the scale: smooth, as the program's running integrals are.
  static double Value(int32_t lane, int32_t k) {
    return kScale * (0.45 + 0.35 * std::sin(k * 0.004 + lane * 0.7));
  }
  // Lane j (1 is the top band) is series lanes - j + 1, lifted by (lanes - j) bands.
  double Lift(int32_t lane) const { return (lanes - lane) * kScale; }
  int32_t Series(int32_t lane) const { return lanes - lane + 1; }

  void Build(ZafChartControl& chart) const {
    cf_ChartModel& model = *chart.GetModel();
    model.ClearData();
    model.GetGroups().Clear();
    for (int32_t lane = lanes; lane >= 1; --lane) {
      for (int32_t k = 0; k < samples; ++k) {
        chart.AddValue(Series(lane), Value(lane, k) + Lift(lane));
      }
    }
    model.GetRange().Clear();
    for (int32_t lane = lanes; lane >= 1; --lane) {
      cf_DispAttribs& pen = chart.GetSeriesAttribs(Series(lane));
      pen.SetWidth(1);
      pen.SetStyle(0);
      pen.SetForeColor(0);
      pen.SetBackColor(kTraceColor);
      const std::u16string label = u"Lane " + std::u16string(1, static_cast<char16_t>(u'0' + lane));
      chart.SetDomainLabel(label.c_str(), 2, Lift(lane))->SetKeyLabel(lane == 1);
      chart.SetAxisStyle(3, 2);
      chart.SetAxisTicks(3, 1.0, 1, 2.0, 0);
      chart.SetAxisTickInterval(3, 1, 0);
    }
    BuildTimeAxis(chart);
    BuildMarkerLines(chart);
    chart.SetKernelOption(1);
    chart.ShowAxis(4, true);
    chart.GetEngine()->SetBackColor(kFaceColor);
    chart.SetMargins(kMarginTop, kMarginBottom, kMarginLeft, kMarginRight);
    chart.SetAxisTitle(u"Time (seconds)", 2, 0, -117, 0);
    chart.SetAxisTitle(u"Power", 4, -117, -90, 0);
  }

 private:
  void BuildTimeAxis(ZafChartControl& chart) const {
    chart.GetModel()->GetDomain().Clear();
    constexpr int32_t kSteps = 50;
    for (int32_t i = 0; i <= kSteps; ++i) {
      const double t = -3.0 + i * 0.1;
      const double position = i * samples / kSteps;
      const double r = std::fabs(std::fmod(t, 0.5));
      if (std::fabs(t) < 0.0001) {
        chart.SetDomainLabel(u"Gun", 1, position)->SetKeyLabel(true);
      } else if (r < 0.0001 || std::fabs(r - 0.5) < 0.0001) {
        chart.SetDomainValueLabel(t, 1, position);
      } else {
        chart.SetDomainLabel(u"", 1, position);
      }
    }
    chart.SetAxisStyle(2, 1);
    chart.SetAxisTicks(2, 1.0, 1, 5.0, 0);
    chart.SetAxisTicks(4, kScale, 1, 2.0, 0);
    chart.SetAxisLabelInterval(4, 1, 0);
    chart.SetValueRange(0, kScale * lanes);
  }

  static void BuildMarkerLines(ZafChartControl& chart) {
    chart.ShowAxis(1, true);
    chart.SetAxisStyle(1, 4);
    chart.SetAxisTickInterval(1, 1, 0);
    chart.SetAxisTicks(1, 1.0, 1, 3.0, 1);
    chart.SetAxisLabelInterval(1, 1, 4);
    chart.SetDomainLabel(u"Set", 4, kSetAt);
    chart.SetDomainLabel(u"", 4, kGunAt);
    chart.SetDomainLabel(u"Legal", 4, kLegalAt);
    chart.SetDomainValueLabel(0.143, 4, kReactionAt).SetKeyLabel(true);
    chart.SetDomainLabel(u"", 4, kReactionAt);
  }
};

#endif
