#include "foundation/kmessage.h"

KMessageObject* KMessageObject::Match(int32_t wantedId) {
  return wantedId == id ? this : nullptr;
}

int32_t KMessageObject::Receive(KMessage&) {
  return 0;
}

KMessage& KMessageObject::Message(KMessage& record, uint32_t code, intptr_t argument,
                                  KMessageObject* sender) {
  record.code = code;
  record.argument = argument;
  record.sender = sender;
  return record;
}

int32_t KMessageObject::Send(KMessageObject* object, KMessage& record) {
  if (object == nullptr) {
    return 0;
  }
  if (record.sender == nullptr) {
    record.sender = object;
  }
  KMessageObject* root = object;
  while (root->itsOwner != nullptr) {
    root = root->itsOwner;
  }
  return root->Receive(record);
}
