// The integer data class's share of formatted text: its printf conversions d, i, o, u, x, X (and 'p'
// through 'x') and its scanf conversions d, D, i, o, O, u, x, X (and 'p' and every conversion character
// without a handler of its own).
#ifndef FRAMEWORK_DATA_ZAFINTEGERDATA_H
#define FRAMEWORK_DATA_ZAFINTEGERDATA_H

class ZafIntegerData {
 public:
  // Registers the conversions once per program; later calls return at once.
  static void RegisterFormats();
};

#endif
