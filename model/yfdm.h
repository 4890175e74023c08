#pragma once
// The results-database transaction link. This product never creates one: the program-wide link stays null
// and every caller tests for it first.

class QvEvent;
class QvResult;

class YFDM {
 public:
  virtual ~YFDM() = default;

  // Sends a finish, and an event's wind, to the database.
  virtual void SendResult(const QvResult& result) = 0;
  virtual void SendWind(const QvEvent& event) = 0;

  // The program-wide link; null in this product.
  static YFDM* Instance() { return instance; }

 private:
  static inline YFDM* instance = nullptr;
};
