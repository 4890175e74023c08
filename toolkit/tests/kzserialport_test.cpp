#include "toolkit/kzserialport.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "foundation/kserialport.h"
#include "framework/core/zafwindowmanager.h"
#include "native/native.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzcombobox.h"
#include "toolkit/kzinteger.h"
#include "toolkit/kzmessagewindow.h"
#include "toolkit/kzprompt.h"
#include "toolkit/kzstring.h"
#include "toolkit/tests/kzdialogtestbed.h"

namespace {

constexpr int32_t kNoPort = std::numeric_limits<int32_t>::min();

class VisiblePanel : public KZSerialPort {
 public:
  using KZSerialPort::KZSerialPort;
  using KZSerialPort::PortList;
};

// What the user does on the desktop between loading and storing.
enum class Action { none, pickFirstEntry, clearRepeat, typeBaud, typeAddress };

template <typename Field>
Field* First(KZDialog& dialog) {
  std::vector<Field*> found;
  Collect(&dialog, found);
  return found.empty() ? nullptr : found.front();
}

bool Shown(const ZafWindowObject* field) {
  return field && field->Visible();
}

// The machine has ports 101 and 204 (a USB adapter and a USB modem-class device).
class KZSerialPortTest : public KZDialogTest {
 protected:
  KZSerialPortTest() {
    std::filesystem::create_directories(devices);
    for (const char* name : {"ttyUSB0", "ttyACM3"}) {
      std::ofstream(devices / name).put('\n');
    }
    KSerialPort::EnumeratePorts(devices.string(), (devices / "class").string());
    for (const char16_t* line :
         {u"\\Strings\\SerialPort\\PortNone:String=None", u"\\Strings\\SerialPort\\PortNetConnect:String=TCP",
          u"\\Strings\\SerialPort\\PortNetListen:String=Listen",
          u"\\Strings\\SerialPort\\PortNetUDP:String=UDP",
          u"\\Strings\\SerialPort\\RepeatPeriod:String=Repeat"}) {
      Setting(line);
    }
  }
  ~KZSerialPortTest() override {
    KSerialPort::ReleasePorts();
    std::filesystem::remove_all(devices.parent_path());
  }

  // Picks the list's first entry with the keyboard, as a user does.
  void PickFirstEntry(KZComboBox* list) {
    Click(list);
    for (int32_t step = list->SelectedIndex(); step > 0; --step) {
      driver.pressKey(native::VK_UP);
    }
    driver.pressKey(native::VK_RETURN);
    driver.pumpUntilIdle();
  }
  void Type(ZafWindowObject* field, const char16_t* text) {
    Click(field);
    driver.typeText(text);
    driver.pumpUntilIdle();
  }

  // In the test's working folder, not the temporary one: the port list shows each port's path, and a long
  // temporary folder would widen it until the baud list left the desktop.
  std::filesystem::path devices =
      std::filesystem::path("kzserialport-" + std::to_string(::getpid()) + "-" +
                            testing::UnitTest::GetInstance()->current_test_info()->name()) /
      "dev";
};

}  // namespace

TEST_F(KZSerialPortTest, LoadsShowsAndStoresEachKindOfLink) {
  KString modem;
  KSerialPort::PortName(204, modem);
  const std::u16string modemEntry(modem.CStr());
  struct Case {
    const char* name;
    uint32_t options;
    const char16_t* load;
    Action action;
    const char16_t* typed;
    std::u16string entry;
    int32_t port;  // kNoPort: GetPort fails
    bool serialShown, addressShown, ipPortShown;
    const char16_t* stored;  // null: Store fails and keeps the old text
    bool warned;
  } cases[] = {
      {"a serial text", 0x3f, u"0,19200,8,N,1.0", Action::none, nullptr, u"None", 0, true, false, false,
       u"0,19200,8,N,1.0", false},
      {"a port of the machine", 0x3f, u"204,110,5,s,2.0", Action::none, nullptr, modemEntry, 204, true, false,
       false, u"204,110,5,S,2.0", false},
      {"a port the machine lacks", 0x3f, u"7,9600,7,E,1.5", Action::none, nullptr, u"None", 0, true, false,
       false, u"0,9600,7,E,1.5", false},
      {"a listener", 0x7ff, u"-2,0,4001", Action::none, nullptr, u"Listen", -2, false, false, true,
       u"-2,0.0.0.0,4001", false},
      {"a picked port refreshes", 0x7bf, u"-1,10.0.0.5,80", Action::pickFirstEntry, nullptr, u"None", 0, true,
       false, false, u"0,9600,8,N,1.0", false},
      {"no IP port field", 0x280, u"-1,192.168.1.20,4001", Action::none, nullptr, u"TCP", -1, false, true,
       false, nullptr, false},
      {"a baud that is no number", 0x3f, u"0,19200,8,N,1.0", Action::typeBaud, u"x", u"None", 0, true, false,
       false, nullptr, false},
      {"none among network entries", 0x680, u"-1,10.0.0.5,80", Action::pickFirstEntry, nullptr, u"None",
       kNoPort, false, true, true, nullptr, false},
      {"a repeat period switched off", 0x7f, u"0,9600,8,N,1.0,250", Action::clearRepeat, nullptr, u"None", 0,
       true, false, false, u"0,9600,8,N,1.0,-250", false},
      {"a repeat period loaded off", 0x7f, u"0,9600,8,N,1.0,-250", Action::none, nullptr, u"None", 0, true,
       false, false, u"0,9600,8,N,1.0,-250", false},
      {"an IP address that is no address", 0x680, u"-1,192.168.1.20,4001", Action::typeAddress, u"x", u"TCP",
       -1, false, true, true, nullptr, true},
      {"UDP without an address field", 0x580, u"-3,10.0.0.5,4001", Action::none, nullptr, u"UDP", -3, false,
       false, true, u"-3,255.255.255.255,4001", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KZDialog dialog(u"Port", KZDialog::kOk, KZDialog::kOk);
    VisiblePanel panel(&dialog, c.options);
    panel.Build();
    dialog.CreateButtons();
    Show(&dialog);
    ASSERT_TRUE(panel.Load(KString(c.load)));
    std::vector<KZComboBox*> lists;
    Collect(&dialog, lists);
    switch (c.action) {
      case Action::none:
        break;
      case Action::pickFirstEntry:
        PickFirstEntry(panel.PortList());
        break;
      case Action::clearRepeat: {
        std::vector<KZButton*> buttons;
        Collect(&dialog, buttons);
        std::erase_if(buttons, [](KZButton* button) { return std::u16string(button->Text()) != u"Repeat"; });
        ASSERT_EQ(buttons.size(), 1u);
        Click(buttons.front());
        driver.pumpUntilIdle();
        break;
      }
      case Action::typeBaud:
        // The baud list is the one that takes typing.
        Type(*std::find_if(lists.begin(), lists.end(), [](KZComboBox* list) { return !list->ViewOnly(); }),
             c.typed);
        break;
      case Action::typeAddress:
        Type(First<KZString>(dialog), c.typed);
        break;
    }

    EXPECT_EQ(std::u16string(panel.PortList()->Text()), c.entry);
    int32_t port = kNoPort;
    EXPECT_EQ(panel.GetPort(port), c.port != kNoPort);
    EXPECT_EQ(port, c.port);
    EXPECT_EQ(lists.size() > 1 && Shown(lists.back()), c.serialShown);
    EXPECT_EQ(Shown(First<KZString>(dialog)) && (c.options & KZSerialPort::kIPAddress), c.addressShown);
    EXPECT_EQ(Shown(First<KZInteger>(dialog)), c.ipPortShown);

    std::u16string warning;
    application.Run({[&] {
      auto* box = dynamic_cast<KZMessageWindow*>(ZafWindowObject::windowManager->FirstChild());
      ASSERT_NE(box, nullptr);
      warning = box->MessageText()->Text();
      KZScriptedApplication::Post(KZDialog::kOkResult);
    }});
    KString settings(u"old");
    EXPECT_EQ(panel.Store(settings), c.stored != nullptr);
    EXPECT_EQ(std::u16string(settings.CStr()), c.stored ? c.stored : u"old");
    EXPECT_EQ(warning.find(u"IP address") != std::u16string::npos, c.warned)
        << std::string(warning.begin(), warning.end());
    ZafWindowObject::windowManager->Subtract(&dialog);
  }
}
