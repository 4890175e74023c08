#include "framework/data/zafstandardformats.h"

#include "framework/data/zafintegerdata.h"
#include "framework/data/zafrealdata.h"
#include "framework/data/zafstringdata.h"

void ZafRegisterStandardFormats() {
  // In this order the scanner's table holds the integer, real and string rows, 17 in all.
  ZafIntegerData::RegisterFormats();
  ZafRealData::RegisterFormats();
  ZafStringData::RegisterFormats();
}
