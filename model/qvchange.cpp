#include "model/qvchange.h"

QvChange::QvChange(KMessageObject* object, uint16_t what, intptr_t argument)
    : itsObject(object), what(what), argument(argument) {
  KMessage message;
  KMessageObject::Send(
      itsObject, KMessageObject::Message(message, KMessage::kBeginBatch | KMessage::kBefore | what, argument,
                                         itsObject));
}

QvChange::~QvChange() {
  KMessage message;
  KMessageObject::Send(
      itsObject,
      KMessageObject::Message(message, KMessage::kAfter | KMessage::kEndBatch | what, argument, itsObject));
}
