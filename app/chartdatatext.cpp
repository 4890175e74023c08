#include "app/chartdatatext.h"

#include "app/charttraces.h"
#include "foundation/kstream.h"

namespace {

constexpr double kSecondsPerSample = 0.001;

double SampleTime(int32_t sample) {
  return (sample - QvTrace::kGunSample) * kSecondsPerSample;
}

// The "%lf" text of the value (six decimals) with `cut` characters taken off its end.
KString Number(double value, int32_t cut) {
  KString text;
  text.AppendReal(value);
  text.SetLength(text.Length() - cut);
  return text;
}

// A raw sample as the export writes it: truncated toward zero, as a signed 16-bit integer.
int32_t RawWord(double value) {
  return static_cast<int16_t>(static_cast<int32_t>(value));
}

}  // namespace

KString ChartDataCell(int32_t row, int32_t column) {
  if (row < 0 || row >= ChartTraces::kSamples) {
    return KString();
  }
  const ChartTraces& traces = ChartTraces::Shared();
  const double* summed = traces.PlotY();
  switch (column) {
    case kDataTime:
      return Number(row * kSecondsPerSample - 3.0, 3);
    case kDataX:
      return Number(traces.RawX()[row], 7);
    case kDataY:
      return Number(traces.RawY()[row], 7);
    case kDataSummed:
      return Number(summed[row], 2);
    case kDataSlope:
      return Number(row > 0 ? summed[row] - summed[row - 1] : summed[0], 2);
    default:
      return KString();
  }
}

void WriteChartData(KStream& stream) {
  stream.SetWriteMode(KStream::kEncodingByte);
  const ChartTraces& traces = ChartTraces::Shared();
  for (int32_t sample = 0; sample < ChartTraces::kSamples; ++sample) {
    KString line;
    line.AppendReal(SampleTime(sample)).AppendChar(u'\t');
    line.AppendInt(RawWord(traces.RawX()[sample])).AppendChar(u'\t');
    line.AppendInt(RawWord(traces.RawY()[sample])).AppendChar(u'\n');
    stream.WriteString(line);
  }
}
