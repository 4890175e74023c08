#include "imaging/yimagereporter.h"

namespace {

YImageReporter*& Connected() {
  static YImageReporter* reporter = nullptr;
  return reporter;
}

}  // namespace

YImageReporter& YImageReporter::Current() {
  static YImageReporter silent;
  YImageReporter* reporter = Connected();
  return reporter != nullptr ? *reporter : silent;
}

void YImageReporter::Connect(YImageReporter* reporter) {
  Connected() = reporter;
}
