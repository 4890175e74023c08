#include "model/qvchartview.h"

#include "foundation/kmessage.h"
#include "model/qvnotification.h"
#include "model/ytime.h"

void QvChartView::Receive(const KMessage& message) const {
  if (itsWindow == nullptr) {
    return;
  }
  switch (message.code & KMessage::kWhatMask) {
    case kQvLegRedraw:
    case kQvChartReload: {
      // The argument is a row of the results window, or the unset time for "the current row".
      const bool unset = message.argument == YTime::kNoMilliseconds || message.argument < 0;
      const int32_t row = unset ? -1 : static_cast<int32_t>(message.argument);
      itsWindow->LoadTraces(KPoint(unset ? -1 : 0, row));
      break;
    }
    case kQvChartData:
      itsWindow->ShowChartData();
      break;
    case kQvChartToolBar:
      itsWindow->UpdateToolBar();
      break;
    case kQvChartClear:
      itsWindow->ClearChart();
      break;
    case kQvChartSettings:
      itsWindow->ApplySettings();
      break;
    default:
      break;
  }
}
