#pragma once
// The numbers behind the last prepared trace as text: the cells of the chart data list and the lines of
// the chart's text export (one line per sample: the time in seconds, the raw X and the raw Y as signed
// 16-bit integers, separated by tabs). Both read the program's trace buffers as they are.

#include <cstdint>

#include "foundation/kstring.h"

class KStream;

// The list's columns.
enum ChartDataColumn : int32_t { kDataTime, kDataX, kDataY, kDataSummed, kDataSlope, kDataColumnCount };

// The text of one cell of the chart data list; empty outside the 5001 rows or the five columns.
KString ChartDataCell(int32_t row, int32_t column);

// Writes the 5001 lines of the text export, one byte per character.
void WriteChartData(KStream& stream);
