#pragma once
// Change notifications of the model. Every model object is a KMessageObject with an owner (none for the root
// of its tree) and an id; a KMessage describing a change travels up the owner chain and the root, usually the
// document, delivers it to its views and listeners.

#include <cstdint>

class KMessageObject;

// A notification record: what changed with its flags, one argument and the object that sent it.
struct KMessage {
  // The low 16 bits of the code name what changed; the bits above are flags.
  static constexpr uint32_t kWhatMask = 0xFFFF;
  static constexpr uint32_t kNotUserEdit =
      0x10000;                                      // the change comes from reading a file, not from the user
  static constexpr uint32_t kBefore = 0x20000;      // sent before the change is made
  static constexpr uint32_t kAfter = 0x40000;       // sent after the change is made
  static constexpr uint32_t kBeginBatch = 0x80000;  // opens a bracket of changes (the root takes its lock)
  static constexpr uint32_t kEndBatch = 0x100000;   // closes the bracket (the root releases its lock)

  uint32_t code = 0;
  // Pointer-sized so that a message may carry an object's address as well as a number.
  intptr_t argument = 0;
  KMessageObject* sender = nullptr;
};

class KMessageObject {
 public:
  explicit KMessageObject(KMessageObject* owner = nullptr, int32_t id = -1) : itsOwner(owner), id(id) {}
  KMessageObject(const KMessageObject&) = default;
  KMessageObject& operator=(const KMessageObject&) = default;
  virtual ~KMessageObject() = default;

  // This object when its id is the one asked for, else null. Containers override it to search their parts.
  virtual KMessageObject* Match(int32_t wantedId);
  // Handles a message that reached this object as the root of its chain; the base ignores it and returns 0.
  virtual int32_t Receive(KMessage& message);

  int32_t Id() const { return id; }
  // A root keeps here the counter of the ids it hands out.
  void SetId(int32_t newId) { id = newId; }
  KMessageObject* Owner() const { return itsOwner; }
  void SetOwner(KMessageObject* owner) { itsOwner = owner; }

  // Fills the record and returns it.
  static KMessage& Message(KMessage& record, uint32_t code, intptr_t argument, KMessageObject* sender);
  // Puts the object into the record's sender when that is empty, walks from the object up its owners to the
  // root and returns what the root's Receive returns. A null object delivers nothing and returns 0.
  static int32_t Send(KMessageObject* object, KMessage& record);

 private:
  KMessageObject* itsOwner;
  int32_t id;
};
