#include "foundation/krational.h"

#include <limits>
#include <numeric>

#include "foundation/kx.h"

KRational::KRational(int32_t numeratorIn, int32_t denominatorIn) {
  if (denominatorIn == 0) {
    throw KX(kErrOperationFailed);
  }
  // Work in 64 bits: negating -2^31 does not fit 32 bits.
  int64_t top = numeratorIn;
  int64_t bottom = denominatorIn;
  if (bottom < 0) {
    top = -top;
    bottom = -bottom;
  }
  int64_t divisor = std::gcd(top, bottom);
  top /= divisor;
  bottom /= divisor;
  if (top < std::numeric_limits<int32_t>::min() || top > std::numeric_limits<int32_t>::max() ||
      bottom > std::numeric_limits<int32_t>::max()) {
    throw KX(kErrOperationFailed);
  }
  numerator = static_cast<int32_t>(top);
  denominator = static_cast<int32_t>(bottom);
}
