#include "model/qvchange.h"

#include <exception>

#include "foundation/klog.h"
#include "foundation/kstring.h"
#include "foundation/kx.h"

namespace {

void LogFailedEnd(const KString& reason) {
  if (KLog* log = KLog::ProgramLog()) {
    KString line(u"QvChange::~QvChange: the end of a change failed: ");
    line.Append(reason);
    log->Error(line);
  }
}

}  // namespace

QvChange::QvChange(KMessageObject* object, uint16_t what, intptr_t argument)
    : itsObject(object), what(what), argument(argument) {
  KMessage message;
  KMessageObject::Send(
      itsObject, KMessageObject::Message(message, KMessage::kBeginBatch | KMessage::kBefore | what, argument,
                                         itsObject));
}

QvChange::~QvChange() {
  // The change is made by now; a listener that fails to take note of it must not end the program (a throw
  // out of a destructor does) and lose every unsaved result with it. The event has released its lock.
  KMessage message;
  try {
    KMessageObject::Send(
        itsObject,
        KMessageObject::Message(message, KMessage::kAfter | KMessage::kEndBatch | what, argument, itsObject));
  } catch (const KX& failure) {
    KString reason(u"error ");
    reason.AppendInt(failure.Code());
    LogFailedEnd(reason);
  } catch (const std::exception& failure) {
    LogFailedEnd(KString::FromUtf8(failure.what()));
  } catch (...) {
    LogFailedEnd(u"unknown exception");
  }
}
