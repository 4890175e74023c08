#pragma once
// KStreamMenu: what kind of link a settings text names. Field 0 of the text is a serial port number (0 for
// none) or one of the network link types below; the remaining fields belong to that kind of link.

#include <cstdint>

class KString;

class KStreamMenu {
 public:
  static constexpr int32_t kTcpConnect = -1;
  static constexpr int32_t kTcpListen = -2;
  static constexpr int32_t kUdp = -3;

  // Reads field 0 of the settings text, blanks around it ignored; false when it is missing or not a number.
  static bool ParseType(const KString& text, int32_t& type);
};
