#pragma once
// Program tests that name a serial port as a user does: Hardware > Options opens the options dialog at its
// Serial page, New makes an entry, the port and its speed are chosen, and Ok keeps them.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "app/qvzoptionsdialog.h"
#include "foundation/kserialport.h"
#include "framework/core/zafwindowmanager.h"
#include "imaging/ui/yzserialport.h"
#include "toolkit/kzcombobox.h"
#include "toolkit/kzdialog.h"
#include "toolkit/kzstring.h"

// `Base` is the program test fixture the steps are queued on.
template <class Base>
class NamedPortSetUp : public Base {
 protected:
  static QvZOptionsDialog* Options() {
    return dynamic_cast<QvZOptionsDialog*>(ZafWindowObject::windowManager->FrontWindow());
  }

  // Queues the steps that name port `port` at `baud`; `onSerialPage`, when given, runs once the page shows,
  // before New.
  void NameAPort(int32_t port, int32_t baud, std::function<void()> onSerialPage = {}) {
    this->Then([] { Base::Post(QvZOptionsDialog::kSerialCommand); });
    this->When(
        "the Serial page", [] { return Options() != nullptr; },
        [onSerialPage] {
          if (onSerialPage) {
            onSerialPage();
          }
          Options()->Event(ZafEventRecord(QvZOptionsDialog::kNewPort, 0));
        });
    this->When(
        "the new port's fields", [] { return Options() && !Options()->PortNameField()->Disabled(); },
        [port, baud] {
          KString portName;
          KSerialPort::PortName(port, portName);
          QvZOptionsDialog* dialog = Options();
          auto* portList = Base::template FindIn<KZComboBox>(
              dialog, [&](KZComboBox& list) { return list.FindItem(portName.CStr()) != nullptr; });
          ASSERT_NE(portList, nullptr) << "the port list offers " << portName.ToUtf8();
          portList->SelectByText(portName.CStr());
          portList->SetChanged(true);
          dialog->PortPanel()->SetBaud(baud);
          Base::Post(KZDialog::kOkResult);
        });
  }
};
