#include "devices/qvserialport.h"

#include "devices/settingsentrylist.h"
#include "foundation/kregistry.h"
#include "model/qvsettings.h"

namespace {

const SettingsEntryList& Entries() {
  static const SettingsEntryList entries(u"\\SerialPorts", u"Port");
  return entries;
}

}  // namespace

KRGroup* QvSerialPort::NewEntry() {
  KRGroup* entry = Entries().NewEntry();
  if (entry == nullptr) {
    return nullptr;
  }
  KString name(u"Name:String=");
  name.Append(QvSettings::Text(u"\\Strings\\SerialPorts\\DefaultName", u"Serial Port"));
  KRegistry::AddLine(entry, name);
  KString port(u"SerialPort:String=");
  port.Append(kDefaultSettings);
  KRegistry::AddLine(entry, port);
  return entry;
}

int32_t QvSerialPort::Count() {
  return Entries().Count();
}

KRGroup* QvSerialPort::GetNth(int32_t index) {
  return Entries().GetNth(index);
}
