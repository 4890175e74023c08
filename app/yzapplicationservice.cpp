// The application object's command service and event fetch: other programs' commands are taken by the
// service's callback, one at a time, and served at the next idle step of the main loop; the scoreboards'
// Initialize and Refresh are served as they are fetched.
#include "app/busypointer.h"
#include "app/framecommands.h"
#include "app/linkbusy.h"
#include "app/producttitle.h"
#include "app/qvzcontrol.h"
#include "app/qvzeventmdi.h"
#include "app/servicecommand.h"
#include "app/yzapplication.h"
#include "devices/qvscoreboards.h"
#include "model/qvevent.h"
#include "model/yleg.h"

namespace {

constexpr const char16_t* kTopic = u"System";
// Fail self-connections, advise, poke and request transactions; skip connect confirmations, registrations,
// unregistrations and disconnects: only connects and executes reach the callback.
constexpr native::DWORD kServiceFilter = 0x3F5000;
// How soon a command held back by a busy link is tried again (ms).
constexpr uint32_t kHeldCommandRetryMs = 100;

native::HDDEDATA Answer(native::ULONG_PTR value) {
  return reinterpret_cast<native::HDDEDATA>(value);
}

}  // namespace

bool YZApplication::StartDdeServer() {
  if (FindArgument(u"-noddeserver") || InstanceNumber() != 1) {
    return true;
  }
  native::DWORD instance = 0;
  if (native::DdeInitialize(&instance, &YZApplication::DdeCallback, kServiceFilter, 0) !=
      native::DMLERR_NO_ERROR) {
    return false;
  }
  ddeInstance = instance;
  serviceName = native::DdeCreateStringHandle(instance, kProductName, native::CP_WINUNICODE);
  topicName = native::DdeCreateStringHandle(instance, kTopic, native::CP_WINUNICODE);
  // A name already served (by a copy that did not count itself, say) is a service that did not start.
  if (!native::DdeNameService(instance, serviceName, nullptr, native::DNS_REGISTER)) {
    EndDdeServer();
    return false;
  }
  return true;
}

void YZApplication::EndDdeServer() {
  if (ddeInstance == 0) {
    return;
  }
  native::DdeNameService(ddeInstance, serviceName, nullptr, native::DNS_UNREGISTER);
  native::DdeFreeStringHandle(ddeInstance, serviceName);
  native::DdeFreeStringHandle(ddeInstance, topicName);
  native::DdeUninitialize(ddeInstance);
  ddeInstance = 0;
  serviceName = nullptr;
  topicName = nullptr;
}

native::HDDEDATA YZApplication::DdeCallback(native::UINT type, native::UINT, native::HCONV, native::HSZ topic,
                                            native::HSZ service, native::HDDEDATA data, native::ULONG_PTR,
                                            native::ULONG_PTR) {
  YZApplication* application = Current();
  if (!application || application->ddeInstance == 0 ||
      native::DdeCmpStringHandles(topic, application->topicName) != 0) {
    return nullptr;
  }
  switch (type) {
    case native::XTYP_CONNECT:
      return Answer(native::DdeCmpStringHandles(service, application->serviceName) == 0 ? 1 : 0);
    case native::XTYP_EXECUTE:
      return application->TakeCommand(data);
    default:
      return nullptr;
  }
}

native::HDDEDATA YZApplication::TakeCommand(native::HDDEDATA data) {
  // One command at a time: the buffer holds it from its arrival until its work (its questions and error
  // boxes included) is over.
  if (!ddeCommand.IsEmpty()) {
    return Answer(native::DDE_FBUSY);
  }
  // Never more than the buffer holds, whether or not the sender ended the text with a 0.
  uint8_t bytes[kMaxServiceCommandBytes];
  const native::DWORD size = native::DdeGetData(data, bytes, sizeof bytes, 0);
  if (size > 0) {
    ddeCommand = ServiceCommandText(bytes, size);
  }
  return Answer(native::DDE_FACK);
}

bool YZApplication::Idle(int32_t idleCount) {
  // An exit kept through an operation on the link whose end found the queue full.
  LinkBusyClaim::QueueKeptExit();
  ServeCommand();
  if (!ddeCommand.IsEmpty()) {
    IdleAgainWithin(kHeldCommandRetryMs);
  }
  return KZApplication::Idle(idleCount);
}

void YZApplication::ServeCommand() {
  // Served from the main loop only, never inside a dialog or box (one the user opened or one this very
  // command opened): no window opens behind a modal one, and error boxes do not nest. An operation on the
  // control-unit link runs no loop but its questions', so a command taken during it waits for its end.
  if (ddeCommand.IsEmpty() || servingCommand || InModalLoop() || !frame) {
    return;
  }
  // The command stays in the buffer while it is carried out, so that further ones are answered BUSY.
  struct Serving {
    YZApplication& application;
    ~Serving() {
      application.servingCommand = false;
      application.ddeCommand.Clear();
    }
  } serving{*this};
  servingCommand = true;
  const BusyPointer busy;
  const std::optional<KString> file = OpenEventFileOf(ddeCommand);
  if (!file) {
    return;
  }
  if (QvZEventMDI* window = frame->OpenEventFile(&*file); window && window->GetEvent()->GetLegCount() > 0) {
    window->GetEvent()->Leg(0)->Notify();
  }
}

bool YZApplication::GetEvent(ZafEventRecord& event, uint32_t flags) {
  if (!KZApplication::GetEvent(event, flags)) {
    return false;
  }
  if (event.type < ScoreboardInitializeCommand || event.type > ScoreboardRefreshCommand) {
    return true;
  }
  if (scoreboards) {
    if (event.type == ScoreboardInitializeCommand) {
      scoreboards->RequestStop();
    } else if (event.type == ScoreboardRefreshCommand) {
      scoreboards->InvalidateAll();
    }
  }
  return false;
}
