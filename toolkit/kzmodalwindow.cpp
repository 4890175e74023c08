#include "toolkit/kzmodalwindow.h"

#include "toolkit/kzevents.h"

int32_t KZModalWindow::IsClosing(const ZafEventRecord& event) {
  return event.type >= DialogResultFirst && event.type <= DialogResultLast ? kClose : kDispatch;
}
