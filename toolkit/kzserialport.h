// KZSerialPort: the fields for choosing a serial port or a network link and its line settings inside a
// dialog built in code, read from and written to the link's settings text ("3,9600,8,N,1.0",
// "-1,192.168.1.20,4001"). The panel is not a window: it adds its fields to a KZDialog, which owns them,
// and keeps pointers to them; an option word chooses which fields there are.
#ifndef TOOLKIT_KZSERIALPORT_H
#define TOOLKIT_KZSERIALPORT_H

#include <array>
#include <cstdint>
#include <span>

#include "foundation/kstring.h"
#include "framework/data/zafobjectpersistence.h"

class KZButton;
class KZComboBox;
class KZDialog;
class KZInteger;
class KZPrompt;
class KZString;
class ZafWindowObject;

// The panel must live as long as its fields can be used: picking a port runs Refresh on it.
class KZSerialPort {
 public:
  // Option bits.
  static constexpr uint32_t kSystemPorts = 1;  // the serial ports of this machine in the port list
  static constexpr uint32_t kExtraPorts = 2;   // the entries of AddExtraPorts after them
  static constexpr uint32_t kBaud = 4;
  static constexpr uint32_t kDataBits = 8;
  static constexpr uint32_t kParity = 16;
  static constexpr uint32_t kStopBits = 32;
  static constexpr uint32_t kRepeatPeriod = 64;  // check box and time field on a line of their own
  static constexpr uint32_t kTcp = 128;          // the entries for a TCP connection and a TCP listener
  static constexpr uint32_t kUdp = 256;          // the UDP entry (with kTcp: entries are told by position)
  static constexpr uint32_t kIPAddress = 512;
  static constexpr uint32_t kIPPort = 1024;
  // The baud list's initial entry, "9600".
  static constexpr int32_t kDefaultBaudIndex = 6;

  // The fields are added by Build; `dialog` is not owned.
  KZSerialPort(KZDialog* dialog, uint32_t options);
  // Forgets the fields; the dialog destroys them.
  virtual ~KZSerialPort();

  // The link type (-1 TCP connection, -2 TCP listener, -3 UDP) or the port number (0 none) of the port
  // list's choice; false without a port list, or for an entry that this class cannot map.
  virtual bool GetPort(int32_t& port);
  // Chooses the entry of the link type or port number (a port the machine does not have: the "none"
  // entry), then refreshes; false when no entry stands for it.
  virtual bool SetPort(int32_t port);

  // Adds the fields at the dialog's layout cursor; `noneText` (null: the "PortNone" label) labels the port
  // list's first entry.
  void Build(const ZafIChar* noneText = nullptr);
  // Shows the fields that the chosen port uses and hides the others.
  void Refresh();
  // Sets the fields from a settings text; false (nothing changed) when its first field is not a port
  // number or a known link type. Fields that are missing or do not parse take their defaults.
  bool Load(const KString& settings);
  // Writes the settings text of the fields; false, the text unchanged, when the choice cannot be written:
  // no port mapped, a required field missing or not a number, or an IP address that is not dotted IPv4,
  // which the user is told about.
  bool Store(KString& settings);

  // Whether the user changed any field; the changed mark of every field.
  bool IsChanged();
  void SetChanged(bool flag);
  // Every field, not their prompts.
  void EnableFields(bool enable);

  // Field accessors, each false when the panel has no such field.
  // The baud list shows any rate; reading it is false when its text is not a decimal number.
  bool GetBaud(int32_t& baud);
  bool SetBaud(int32_t baud);
  // Data bits, parity and stop bits as the settings text's list indexes (data bits 0 = 8 ... 4 = 4; parity
  // N, O, E, M, S; stop bits 1.0, 1.5, 2.0).
  bool GetDataBits(int32_t& index);
  bool SetDataBits(int32_t index);
  bool GetParity(int32_t& index);
  bool SetParity(int32_t index);
  bool GetStopBits(int32_t& index);
  bool SetStopBits(int32_t index);
  bool GetIPPort(int32_t& ipPort);
  bool SetIPPort(int32_t ipPort);
  // An empty field is address 0; false also for text that is not dotted IPv4. Address 0 empties the field.
  bool GetIPAddress(uint32_t& address);
  bool SetIPAddress(uint32_t address);
  // In milliseconds, negative while the check box is cleared (a switched-off period keeps its length);
  // false also when the time does not parse.
  bool GetRepeatPeriod(int32_t& periodMs);
  bool SetRepeatPeriod(int32_t periodMs);

  // The number of serial ports this machine has.
  static int32_t PortCount();

 protected:
  // Appends entries to the port list after the machine's ports (through the dialog's AddComboItem), the
  // first of them at list index `firstIndex`; answers how many. None here.
  virtual int32_t AddExtraPorts(int32_t firstIndex);

  KZDialog* Dialog() const { return dialog; }
  uint32_t Options() const { return options; }
  KZComboBox* PortList() const { return portList; }

 private:
  bool Has(uint32_t bits) const { return (options & bits) != 0; }
  void AddPortList(const ZafIChar* noneText);
  // Its prompt and a list of the labels of `itemKeys`, the first one chosen.
  KZComboBox* AddList(const char16_t* promptKey, KZPrompt*& prompt,
                      std::span<const char16_t* const> itemKeys);
  // The address for a link that needs one; false, after telling the user, for text that is not an
  // address.
  bool AddressToStore(uint32_t& address);
  bool StoreNetwork(KString& settings, int32_t type);
  bool StoreSerial(KString& settings, int32_t port);
  void LoadNetwork(const KString& settings, int32_t type);
  void LoadSerial(const KString& settings);
  std::array<ZafWindowObject*, 9> Fields() const;
  // A port list entry's user function: picking the entry refreshes its panel.
  static ZafLong PortPicked(ZafWindowObject* entry, ZafEventRecord& event, ZafLong code);

  KZDialog* dialog;
  uint32_t options;
  KZComboBox* portList = nullptr;
  int32_t networkStart;
  KZComboBox* baudList = nullptr;
  KZPrompt* baudPrompt = nullptr;
  KZComboBox* dataBitsList = nullptr;
  KZPrompt* dataBitsPrompt = nullptr;
  KZComboBox* parityList = nullptr;
  KZPrompt* parityPrompt = nullptr;
  KZComboBox* stopBitsList = nullptr;
  KZPrompt* stopBitsPrompt = nullptr;
  KZButton* repeatCheck = nullptr;
  KZString* repeatField = nullptr;
  KZInteger* ipPortField = nullptr;
  KZPrompt* ipPortPrompt = nullptr;
  KZString* ipAddressField = nullptr;
  KZPrompt* ipAddressPrompt = nullptr;
};

#endif
