#include "native/shell/ddeapi.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "foundation/kstring.h"
#include "native/shell/commandserver.h"
#include "native/user/handletable.h"

namespace native {

namespace {

struct StringEntry {
  DWORD instance;
  std::u16string text;
  int uses;
};

struct Instance {
  PFNCALLBACK callback;
  std::map<HSZ, std::unique_ptr<CommandServer>> services;
};

// Everything lives on the GUI thread, where the calls are made and the callbacks run.
struct DdeState {
  std::map<DWORD, Instance> instances;
  HandleTable<StringEntry, HSZ> strings;
  // The handle of each instance's text, by the text folded to one case.
  std::map<std::pair<DWORD, std::u16string>, HSZ> stringIndex;
  HandleTable<std::vector<BYTE>, HDDEDATA> data;
  DWORD nextInstance = 1;
  ULONG_PTR nextConversation = 1;
};

DdeState& state() {
  static DdeState instance;
  return instance;
}

std::u16string folded(std::u16string text) {
  std::transform(text.begin(), text.end(), text.begin(), KString::FoldCase);
  return text;
}

Instance* findInstance(DWORD instance) {
  auto found = state().instances.find(instance);
  return found == state().instances.end() ? nullptr : &found->second;
}

const StringEntry* findString(HSZ handle) {
  return handle == nullptr ? nullptr : state().strings.find(handle);
}

HSZ createString(DWORD instance, const std::u16string& text) {
  DdeState& dde = state();
  if (findInstance(instance) == nullptr) {
    return nullptr;
  }
  auto key = std::make_pair(instance, folded(text));
  auto found = dde.stringIndex.find(key);
  if (found != dde.stringIndex.end()) {
    ++dde.strings.find(found->second)->uses;
    return found->second;
  }
  HSZ handle = dde.strings.add(std::make_unique<StringEntry>(StringEntry{instance, text, 1}));
  if (handle != nullptr) {
    dde.stringIndex.emplace(std::move(key), handle);
  }
  return handle;
}

bool freeString(DWORD instance, HSZ handle) {
  DdeState& dde = state();
  StringEntry* entry = handle == nullptr ? nullptr : dde.strings.find(handle);
  if (entry == nullptr || entry->instance != instance) {
    return false;
  }
  if (--entry->uses == 0) {
    dde.stringIndex.erase(std::make_pair(instance, folded(entry->text)));
    dde.strings.remove(handle);
  }
  return true;
}

CommandAnswer answerOf(HDDEDATA result) {
  switch (reinterpret_cast<ULONG_PTR>(result)) {
    case DDE_FACK:
      return CommandAnswer::Ack;
    case DDE_FBUSY:
      return CommandAnswer::Busy;
    default:
      return CommandAnswer::Nak;
  }
}

// One request to a registered service: a connect for its topic, then, when accepted, the execute.
// The service name is a copy: the callback may end the service whose handler holds the original.
CommandAnswer serve(DWORD instance, std::u16string service, const std::string& topic,
                    const std::string& command) {
  Instance* owner = findInstance(instance);
  if (owner == nullptr) {
    return CommandAnswer::Nak;
  }
  // Copied: the callback may end the instance.
  PFNCALLBACK callback = owner->callback;
  KString topicText = KString::FromUtf8(topic);
  KString commandText = KString::FromUtf8(command);
  HSZ topicHandle = createString(instance, std::u16string(topicText.Data(), topicText.Length()));
  HSZ serviceHandle = createString(instance, service);
  CommandAnswer answer = CommandAnswer::Nak;
  if (callback(XTYP_CONNECT, 0, nullptr, topicHandle, serviceHandle, nullptr, 0, 0) != nullptr) {
    std::vector<BYTE> bytes((static_cast<std::size_t>(commandText.Length()) + 1) * sizeof(char16_t));
    std::memcpy(bytes.data(), commandText.CStr(), bytes.size());
    HDDEDATA data = state().data.add(std::make_unique<std::vector<BYTE>>(std::move(bytes)));
    auto conversation = reinterpret_cast<HCONV>(state().nextConversation++);
    answer = answerOf(callback(XTYP_EXECUTE, 0, conversation, topicHandle, nullptr, data, 0, 0));
    state().data.remove(data);
  }
  freeString(instance, topicHandle);
  freeString(instance, serviceHandle);
  return answer;
}

}  // namespace

UINT DdeInitialize(DWORD* instance, PFNCALLBACK callback, DWORD, DWORD) {
  if (instance == nullptr || callback == nullptr) {
    return DMLERR_INVALIDPARAMETER;
  }
  DdeState& dde = state();
  *instance = dde.nextInstance++;
  dde.instances.emplace(*instance, Instance{callback, {}});
  return DMLERR_NO_ERROR;
}

BOOL DdeUninitialize(DWORD instance) {
  DdeState& dde = state();
  auto found = dde.instances.find(instance);
  if (found == dde.instances.end()) {
    return FALSE;
  }
  found->second.services.clear();
  dde.instances.erase(found);
  for (auto it = dde.stringIndex.begin(); it != dde.stringIndex.end();) {
    if (it->first.first == instance) {
      dde.strings.remove(it->second);
      it = dde.stringIndex.erase(it);
    } else {
      ++it;
    }
  }
  return TRUE;
}

HSZ DdeCreateStringHandle(DWORD instance, LPCWSTR text, int) {
  return text == nullptr ? nullptr : createString(instance, text);
}

BOOL DdeFreeStringHandle(DWORD instance, HSZ handle) {
  return freeString(instance, handle) ? TRUE : FALSE;
}

int DdeCmpStringHandles(HSZ first, HSZ second) {
  const StringEntry* a = findString(first);
  const StringEntry* b = findString(second);
  if (a == nullptr || b == nullptr) {
    return a == b ? 0 : (a == nullptr ? -1 : 1);
  }
  int order = folded(a->text).compare(folded(b->text));
  return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

HDDEDATA DdeNameService(DWORD instance, HSZ service, HSZ, UINT command) {
  Instance* owner = findInstance(instance);
  if (owner == nullptr) {
    return nullptr;
  }
  auto success = reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(1));
  if ((command & DNS_UNREGISTER) != 0) {
    if (service == nullptr) {
      owner->services.clear();
      return success;
    }
    return owner->services.erase(service) > 0 ? success : nullptr;
  }
  const StringEntry* name = findString(service);
  if ((command & DNS_REGISTER) == 0 || name == nullptr || name->instance != instance ||
      owner->services.count(service) > 0) {
    return nullptr;
  }
  std::u16string serviceText = name->text;
  std::string serviceName = KString(serviceText.c_str(), static_cast<int32_t>(serviceText.size())).ToUtf8();
  std::unique_ptr<CommandServer> server = CommandServer::listen(
      serviceName, [instance, serviceText](const std::string& topic, const std::string& text) {
        return serve(instance, serviceText, topic, text);
      });
  if (server == nullptr) {
    return nullptr;
  }
  owner->services.emplace(service, std::move(server));
  return success;
}

DWORD DdeGetData(HDDEDATA data, BYTE* destination, DWORD size, DWORD offset) {
  const std::vector<BYTE>* bytes = data == nullptr ? nullptr : state().data.find(data);
  if (bytes == nullptr || offset > bytes->size()) {
    return 0;
  }
  DWORD available = static_cast<DWORD>(bytes->size()) - offset;
  if (destination == nullptr) {
    return available;
  }
  DWORD count = std::min(available, size);
  std::memcpy(destination, bytes->data() + offset, count);
  return count;
}

}  // namespace native
