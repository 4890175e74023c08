#include "framework/data/zafstandardformats.h"

#include "framework/data/zafintegerdata.h"

void ZafRegisterStandardFormats() {
  // The string ('c', 's', '[') and real (e, f, g, E, F, G) conversions join here with their data classes.
  ZafIntegerData::RegisterFormats();
}
