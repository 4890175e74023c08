#include "app/programerrorsystem.h"

#include <cstdint>
#include <iterator>

#include "app/yzapplication.h"
#include "framework/core/zaficon.h"
#include "framework/core/zafmessagewindow.h"
#include "framework/core/zafwindowobject.h"
#include "framework/data/zafclassid.h"
#include "framework/data/zafprintf.h"
#include "toolkit/kzmessagewindow.h"

namespace {

// The error system's buttons, bit i answering -2999 + i, as the message window's button flags.
constexpr uint32_t kButtonOfBit[] = {KZDialog::kOk,    KZDialog::kYes,    KZDialog::kNo,    KZDialog::kAbort,
                                     KZDialog::kRetry, KZDialog::kIgnore, KZDialog::kCancel};

uint32_t ButtonFlags(uint16_t buttons) {
  uint32_t flags = 0;
  for (uint32_t bit = 0; bit < std::size(kButtonOfBit); ++bit) {
    if (buttons & (1u << bit)) {
      flags |= kButtonOfBit[bit];
    }
  }
  return flags ? flags : KZDialog::kOk;
}

}  // namespace

ZafEventType ProgramErrorSystem::Report(ZafWindowObject* object, uint16_t buttons, const ZafIChar* format,
                                        va_list arguments) {
  Beep();
  // The title of the window at fault, or the program's error title when that window has none.
  ZafWindowObject* root = object ? object->RootObject() : nullptr;
  KString title(root && root->IsA(ID_ZAF_WINDOW) && root->Text() ? root->Text() : u"");
  if (const YZApplication* application = YZApplication::Current(); title.IsEmpty() && application) {
    title = application->ErrorTitle();
  }
  ZafIChar message[ZAF_MESSAGE_LENGTH];
  ZafVSNPrintf(message, ZAF_MESSAGE_LENGTH, format ? format : u"", arguments);
  const uint32_t flags = ButtonFlags(buttons);
  const uint32_t defaultButton = (flags & KZDialog::kOk) ? KZDialog::kOk : flags & -flags;
  KZMessageWindow window(title.CStr(), message, flags, defaultButton, ZAF_ICON_EXCLAMATION);
  return window.Execute();
}
