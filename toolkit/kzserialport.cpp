#include "toolkit/kzserialport.h"

#include <algorithm>
#include <initializer_list>
#include <limits>

#include "foundation/kserialport.h"
#include "foundation/ksocket.h"
#include "foundation/kstreammenu.h"
#include "foundation/ktcpsocket.h"
#include "foundation/kudpsocket.h"
#include "framework/core/zafeventtypes.h"
#include "framework/core/zaficon.h"
#include "framework/core/zafvtlist.h"
#include "model/qvsettings.h"
#include "toolkit/kzbutton.h"
#include "toolkit/kzcombobox.h"
#include "toolkit/kzdialog.h"
#include "toolkit/kzinteger.h"
#include "toolkit/kzmessagewindow.h"
#include "toolkit/kzprompt.h"
#include "toolkit/kzstring.h"

namespace {

// Every list shows this many rows before it scrolls.
constexpr int32_t kListRows = 15;
// Field widths and text limits, in cells and characters.
constexpr int32_t kIPPortWidth = 5;
constexpr int32_t kIPAddressWidth = 10;
constexpr int32_t kIPAddressLength = 20;
constexpr int32_t kRepeatWidth = 6;
constexpr int32_t kRepeatLength = 20;
constexpr int32_t kLargestIPPort = 65535;
// UDP without an address field sends to everyone on the local network.
constexpr uint32_t kBroadcast = 0xFFFFFFFF;

constexpr const char16_t* kBaudRates[] = {u"110",   u"300",   u"600",   u"1200",  u"2400",
                                          u"4800",  u"9600",  u"12800", u"14400", u"19200",
                                          u"38400", u"56000", u"57600", u"115200"};
constexpr const char16_t* kDataBitsKeys[] = {u"DataBits8", u"DataBits7", u"DataBits6", u"DataBits5",
                                             u"DataBits4"};
constexpr const char16_t* kParityKeys[] = {u"ParityNone", u"ParityOdd", u"ParityEven", u"ParityMark",
                                           u"ParitySpace"};
constexpr const char16_t* kStopBitsKeys[] = {u"StopBitsOne", u"StopBitsOneFive", u"StopBitsTwo"};

// The panel's label of that key.
KString Label(const char16_t* key) {
  KString path(u"\\Strings\\SerialPort\\");
  path.Append(key);
  return QvSettings::Text(path.CStr());
}

KString TextOf(ZafWindowObject* field) {
  const ZafIChar* text = field->Text();
  KString trimmed(text ? text : u"");
  trimmed.Trim();
  return trimmed;
}

bool SelectedIndex(KZComboBox* list, int32_t& index) {
  if (!list || list->SelectedIndex() < 0) {
    return false;
  }
  index = list->SelectedIndex();
  return true;
}

bool Select(KZComboBox* list, int32_t index) {
  if (!list) {
    return false;
  }
  list->Select(index);
  return true;
}

void Show(ZafWindowObject* field, bool visible) {
  if (field) {
    field->SetVisible(visible);
  }
}

// The cursor column just after the field, as the dialog's layout moves it on.
int32_t ColumnAfter(const ZafWindowObject* field, const KZDialog& dialog) {
  if (!field) {
    return 0;  // dropped: the dialog had no window to take it
  }
  const ZafRegionStruct cells = field->Region().Converted(ZAF_CELL, ZafWindowObject::display);
  return cells.right + 1 + dialog.fieldGap;
}

}  // namespace

KZSerialPort::KZSerialPort(KZDialog* dialog, uint32_t options)
    : dialog(dialog), options(options), networkStart(std::numeric_limits<int32_t>::max()) {}

KZSerialPort::~KZSerialPort() = default;

int32_t KZSerialPort::PortCount() {
  return KSerialPort::PortCount();
}

int32_t KZSerialPort::AddExtraPorts(int32_t) {
  return 0;
}

// ---- Building ----

void KZSerialPort::Build(const ZafIChar* noneText) {
  if (!dialog) {
    return;
  }
  if (Has(kSystemPorts | kExtraPorts | kTcp | kUdp)) {
    AddPortList(noneText);
  }
  if (Has(kBaud)) {
    dialog->MoveCursor(1, 0);
    baudPrompt = dialog->AddPrompt(Label(u"Baud").CStr(), -1);
    dialog->ResetComboWidth();
    for (const char16_t* rate : kBaudRates) {
      dialog->AddComboItem(rate, 0);
    }
    // Editable, so that a rate outside the list still shows.
    baudList = dialog->AddComboBox(kDefaultBaudIndex, true, kListRows);
  }
  if (Has(kDataBits | kParity | kStopBits | kIPAddress | kIPPort)) {
    // The network fields and the line fields share this row: only one group is visible at a time.
    dialog->NewLine();
    const KZPrompt* blank = dialog->AddPrompt(u" ", -1);
    const int32_t groupColumn = ColumnAfter(blank, *dialog);
    const ZafWindowObject* last = blank;
    if (Has(kIPPort)) {
      dialog->MoveCursor(1, 0);
      ipPortPrompt = dialog->AddPrompt(Label(u"IPPort").CStr(), -1);
      ipPortField = dialog->AddInteger(0, kIPPortWidth, 0, kLargestIPPort);
      last = ipPortField;
    }
    if (Has(kIPAddress)) {
      dialog->MoveCursor(1, 0);
      ipAddressPrompt = dialog->AddPrompt(Label(u"IPAddress").CStr(), -1);
      ipAddressField = dialog->AddString(u"", kIPAddressWidth, kIPAddressLength);
      last = ipAddressField;
    }
    dialog->MoveCursor(groupColumn - ColumnAfter(last, *dialog), 0);
    if (Has(kDataBits)) {
      dataBitsList = AddList(u"DataBits", dataBitsPrompt, kDataBitsKeys);
    }
    if (Has(kParity)) {
      parityList = AddList(u"Parity", parityPrompt, kParityKeys);
    }
    if (Has(kStopBits)) {
      stopBitsList = AddList(u"StopBits", stopBitsPrompt, kStopBitsKeys);
    }
  }
  if (Has(kRepeatPeriod)) {
    dialog->NewLine();
    dialog->AddPrompt(u" ", -1);
    repeatCheck = dialog->AddCheckBox(Label(u"RepeatPeriod").CStr(), false, 0, -1);
    repeatField = dialog->AddString(u" ", kRepeatWidth, kRepeatLength);
  }
  Refresh();
}

void KZSerialPort::AddPortList(const ZafIChar* noneText) {
  dialog->ResetComboWidth();
  dialog->AddComboItem(noneText ? noneText : Label(u"PortNone").CStr(), 0);
  int32_t entries = 1;
  if (Has(kSystemPorts)) {
    for (int32_t index = 0; index < KSerialPort::PortCount(); ++index) {
      KString name;
      KSerialPort::PortName(KSerialPort::PortNumber(index), name);
      dialog->AddComboItem(name.CStr(), 0);
      ++entries;
    }
  }
  if (Has(kExtraPorts)) {
    entries += AddExtraPorts(entries);
  }
  if (Has(kTcp | kUdp)) {
    networkStart = entries;
  }
  if (Has(kTcp)) {
    dialog->AddComboItem(Label(u"PortNetConnect").CStr(), 0);
    dialog->AddComboItem(Label(u"PortNetListen").CStr(), 0);
  }
  if (Has(kUdp)) {
    dialog->AddComboItem(Label(u"PortNetUDP").CStr(), 0);
  }
  portList = dialog->AddComboBox(0, false, kListRows);
  if (!portList) {
    return;
  }
  for (ZafElement* element = portList->List()->First(); element; element = element->Next()) {
    auto* entry = static_cast<ZafWindowObject*>(element);
    entry->userObject = this;
    entry->SetUserFunction(&KZSerialPort::PortPicked);
  }
}

KZComboBox* KZSerialPort::AddList(const char16_t* promptKey, KZPrompt*& prompt,
                                  std::span<const char16_t* const> itemKeys) {
  dialog->MoveCursor(1, 0);
  prompt = dialog->AddPrompt(Label(promptKey).CStr(), -1);
  dialog->ResetComboWidth();
  for (const char16_t* key : itemKeys) {
    dialog->AddComboItem(Label(key).CStr(), 0);
  }
  return dialog->AddComboBox(0, false, kListRows);
}

ZafLong KZSerialPort::PortPicked(ZafWindowObject* entry, ZafEventRecord&, ZafLong code) {
  if (code == ChosenEvent && entry->userObject) {
    static_cast<KZSerialPort*>(entry->userObject)->Refresh();
  }
  return 0;
}

void KZSerialPort::Refresh() {
  int32_t port = 0;
  if (!GetPort(port)) {
    return;
  }
  const bool serial = port >= 0;
  const bool addressed = port == KStreamMenu::kTcpConnect || port == KStreamMenu::kUdp;
  for (ZafWindowObject* field : std::initializer_list<ZafWindowObject*>{
           baudList, baudPrompt, dataBitsList, dataBitsPrompt, parityList, parityPrompt, stopBitsList,
           stopBitsPrompt, repeatCheck, repeatField}) {
    Show(field, serial);
  }
  Show(ipAddressField, addressed);
  Show(ipAddressPrompt, addressed);
  Show(ipPortField, !serial);
  Show(ipPortPrompt, !serial);
}

// ---- The port ----

bool KZSerialPort::GetPort(int32_t& port) {
  if (!portList) {
    return false;
  }
  const int32_t index = portList->SelectedIndex();
  if (index < 0) {
    return false;
  }
  if (index >= networkStart) {
    port = -(index - networkStart + 1);
    return true;
  }
  if (!Has(kSystemPorts)) {
    return false;
  }
  port = index == 0 ? 0 : KSerialPort::PortNumber(index - 1);
  return true;
}

bool KZSerialPort::SetPort(int32_t port) {
  if (!portList) {
    return false;
  }
  int64_t index = 0;
  if (port < 0 && Has(kTcp | kUdp)) {
    index = int64_t{networkStart} - port - 1;
  } else if (Has(kSystemPorts)) {
    index = 1 + KSerialPort::FindPort(port);
  } else {
    return false;
  }
  if (index >= portList->List()->Count()) {
    return false;
  }
  portList->Select(static_cast<int32_t>(index));
  Refresh();
  return true;
}

// ---- The settings text ----

bool KZSerialPort::Load(const KString& settings) {
  int32_t type = 0;
  if (!KStreamMenu::ParseType(settings, type) || type < KStreamMenu::kUdp) {
    return false;
  }
  SetPort(type);
  if (type < 0) {
    LoadNetwork(settings, type);
  } else {
    LoadSerial(settings);
  }
  return true;
}

void KZSerialPort::LoadNetwork(const KString& settings, int32_t type) {
  // A listener takes its peers on every address.
  uint32_t address = 0;
  if (type != KStreamMenu::kTcpListen) {
    KSocket::ParseAddress(settings, address);
  }
  int32_t ipPort = 0;
  KSocket::ParsePort(settings, ipPort);
  SetIPAddress(address);
  SetIPPort(ipPort);
}

void KZSerialPort::LoadSerial(const KString& settings) {
  // A field that is missing or does not parse gives its parser's default.
  int32_t value = 0;
  KSerialPort::ParseBaud(settings, value);
  SetBaud(value);
  KSerialPort::ParseDataBits(settings, value);
  SetDataBits(value);
  KSerialPort::ParseParity(settings, value);
  SetParity(value);
  KSerialPort::ParseStopBits(settings, value);
  SetStopBits(value);
  value = 0;
  KSerialPort::ParseTaskPeriod(settings, value);
  SetRepeatPeriod(value);
}

bool KZSerialPort::Store(KString& settings) {
  int32_t port = 0;
  if (!GetPort(port)) {
    return false;
  }
  return port < 0 ? StoreNetwork(settings, port) : StoreSerial(settings, port);
}

bool KZSerialPort::StoreNetwork(KString& settings, int32_t type) {
  int32_t ipPort = 0;
  if (!GetIPPort(ipPort)) {
    return false;
  }
  uint32_t address = 0;
  switch (type) {
    case KStreamMenu::kUdp:
      address = kBroadcast;
      if (ipAddressField && !AddressToStore(address)) {
        return false;
      }
      return KUDPSocket::FormatSettings(settings, type, address, ipPort);
    case KStreamMenu::kTcpConnect:
      if (!AddressToStore(address)) {
        return false;
      }
      return KTCPSocket::FormatSettings(settings, type, address, ipPort);
    case KStreamMenu::kTcpListen:
      return KTCPSocket::FormatSettings(settings, type, 0, ipPort);
    default:
      return false;
  }
}

bool KZSerialPort::AddressToStore(uint32_t& address) {
  if (!ipAddressField) {
    return false;
  }
  if (GetIPAddress(address)) {
    return true;
  }
  // Stored as it stands, a mistyped address would become 0.0.0.0 without a word.
  const KString title = Label(u"IPAddress");
  const KString message = QvSettings::Text(
      u"\\Strings\\SerialPort\\BadIPAddress",
      u"The IP address is not valid: write four numbers from 0 to 255 separated by dots, for example "
      u"192.168.1.20. The previous settings are kept.");
  KZMessageWindow::Ask(title.CStr(), message.CStr(), KZDialog::kOk, KZDialog::kOk, ZAF_ICON_EXCLAMATION);
  return false;
}

bool KZSerialPort::StoreSerial(KString& settings, int32_t port) {
  int32_t baud = 0;
  int32_t dataBits = 0;
  int32_t parity = 0;
  int32_t stopBits = 0;
  int32_t repeatPeriod = 0;
  if (!GetBaud(baud) || !GetDataBits(dataBits) || !GetParity(parity) || !GetStopBits(stopBits)) {
    return false;
  }
  if (Has(kRepeatPeriod) && !GetRepeatPeriod(repeatPeriod)) {
    return false;
  }
  return KSerialPort::FormatSettings(settings, port, baud, dataBits, parity, stopBits, repeatPeriod);
}

// ---- The fields together ----

std::array<ZafWindowObject*, 9> KZSerialPort::Fields() const {
  return {portList,    baudList,    dataBitsList, parityList,    stopBitsList,
          repeatCheck, repeatField, ipPortField,  ipAddressField};
}

bool KZSerialPort::IsChanged() {
  const auto fields = Fields();
  return std::any_of(fields.begin(), fields.end(),
                     [](ZafWindowObject* field) { return field && field->Changed(); });
}

void KZSerialPort::SetChanged(bool flag) {
  for (ZafWindowObject* field : Fields()) {
    if (field) {
      field->SetChanged(flag);
    }
  }
}

void KZSerialPort::EnableFields(bool enable) {
  for (ZafWindowObject* field : Fields()) {
    if (field) {
      field->SetDisabled(!enable);
    }
  }
}

// ---- One field each ----

bool KZSerialPort::GetBaud(int32_t& baud) {
  return baudList && TextOf(baudList).ParseInt(baud);
}

bool KZSerialPort::SetBaud(int32_t baud) {
  if (!baudList) {
    return false;
  }
  KString text;
  text.AppendInt(baud);
  baudList->SetText(text.CStr());
  return true;
}

bool KZSerialPort::GetDataBits(int32_t& index) {
  return SelectedIndex(dataBitsList, index);
}

bool KZSerialPort::SetDataBits(int32_t index) {
  return Select(dataBitsList, index);
}

bool KZSerialPort::GetParity(int32_t& index) {
  return SelectedIndex(parityList, index);
}

bool KZSerialPort::SetParity(int32_t index) {
  return Select(parityList, index);
}

bool KZSerialPort::GetStopBits(int32_t& index) {
  return SelectedIndex(stopBitsList, index);
}

bool KZSerialPort::SetStopBits(int32_t index) {
  return Select(stopBitsList, index);
}

bool KZSerialPort::GetIPPort(int32_t& ipPort) {
  if (!ipPortField) {
    return false;
  }
  ipPort = ipPortField->ZafInteger::Value();
  return true;
}

bool KZSerialPort::SetIPPort(int32_t ipPort) {
  if (!ipPortField) {
    return false;
  }
  ipPortField->SetValue(ipPort);
  return true;
}

bool KZSerialPort::GetIPAddress(uint32_t& address) {
  if (!ipAddressField) {
    return false;
  }
  const KString text = TextOf(ipAddressField);
  if (text.IsEmpty()) {
    address = 0;
    return true;
  }
  return KSocket::TextToAddress(text, address);
}

bool KZSerialPort::SetIPAddress(uint32_t address) {
  if (!ipAddressField) {
    return false;
  }
  KString text;
  if (address != 0) {
    KSocket::AddressToText(text, address);
  }
  ipAddressField->SetText(text.CStr());
  return true;
}

bool KZSerialPort::GetRepeatPeriod(int32_t& periodMs) {
  int32_t length = 0;
  if (!repeatCheck || !repeatField || !repeatField->GetTime(length)) {
    return false;
  }
  periodMs = repeatCheck->Selected() ? length : -length;
  return true;
}

bool KZSerialPort::SetRepeatPeriod(int32_t periodMs) {
  if (!repeatCheck || !repeatField) {
    return false;
  }
  repeatCheck->SetSelected(periodMs >= 1);
  // The most negative period has no positive counterpart; it is read as the longest one.
  const int32_t length = periodMs < 0 ? -std::max(periodMs, -std::numeric_limits<int32_t>::max()) : periodMs;
  repeatField->SetTime(length, 0);
  return true;
}
