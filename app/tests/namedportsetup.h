#pragma once
// Program tests that name a serial port as a user does, with the words of docs/control-unit-simulator.md:
// Hardware > Options opens the options dialog at its Serial page, New makes an entry, the port and its speed
// are chosen, and OK keeps them.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "app/qvzoptionsdialog.h"
#include "foundation/kserialport.h"
#include "framework/core/zafnotebook.h"
#include "framework/core/zafwindowmanager.h"
#include "imaging/ui/yzserialport.h"
#include "toolkit/kzbutton.h"
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
        [this, onSerialPage] {
          auto* notebook = Base::template FindIn<ZafNotebook>(Options(), [](ZafNotebook&) { return true; });
          ASSERT_NE(notebook, nullptr);
          EXPECT_EQ(KString(notebook->TabText(notebook->CurrentPageIndex())).ToUtf8(), "Serial");
          if (onSerialPage) {
            onSerialPage();
          }
          this->Click(Labelled(u"New"));
        });
    this->When(
        "the new port's fields", [] { return Options() && !Options()->PortNameField()->Disabled(); },
        [this, port, baud] {
          KString portName;
          KSerialPort::PortName(port, portName);
          QvZOptionsDialog* dialog = Options();
          auto* portList = Base::template FindIn<KZComboBox>(
              dialog, [&](KZComboBox& list) { return list.FindItem(portName.CStr()) != nullptr; });
          ASSERT_NE(portList, nullptr) << "the port list offers " << portName.ToUtf8();
          portList->SelectByText(portName.CStr());
          portList->SetChanged(true);
          dialog->PortPanel()->SetBaud(baud);
          this->Click(Labelled(u"OK"));
        });
  }

  // The dialog's button that reads `label`; the test fails when there is none.
  static KZButton* Labelled(const char16_t* label) {
    auto* button = Base::template FindIn<KZButton>(
        Options(), [label](KZButton& candidate) { return KString(candidate.Text()) == KString(label); });
    EXPECT_NE(button, nullptr) << "no button reads " << KString(label).ToUtf8();
    return button;
  }
};
