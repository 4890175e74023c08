#include "framework/core/zafhelptips.h"

#include "framework/core/zafeventrecord.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafstrlib.h"

int32_t ZafHelpTips::firstDelay = 500;
int32_t ZafHelpTips::tipDelay = 500;
bool ZafHelpTips::tipsActive = false;

ZafHelpTips::ZafHelpTips(int32_t deviceState, int32_t mode)
    : ZafDevice(E_HELP_TIPS, deviceState), mode(mode) {
  SetNumberID(ID_ZAF_HELP_TIPS);
}

ZafClassID ZafHelpTips::ClassID() const {
  return ID_ZAF_HELP_TIPS;
}

const ZafIChar* ZafHelpTips::ClassName() const {
  return u"ZafHelpTips";
}

bool ZafHelpTips::IsA(ZafClassID id) const {
  return id == ID_ZAF_HELP_TIPS || ZafDevice::IsA(id);
}

bool ZafHelpTips::IsAName(const ZafIChar* name) const {
  return (name && ZafStrCmp(name, u"ZafHelpTips") == 0) || ZafDevice::IsAName(name);
}

int32_t ZafHelpTips::SetFirstDelay(int32_t milliseconds) {
  firstDelay = milliseconds;
  return firstDelay;
}

int32_t ZafHelpTips::SetTipDelay(int32_t milliseconds) {
  tipDelay = milliseconds;
  return tipDelay;
}
