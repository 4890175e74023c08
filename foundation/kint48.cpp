#include "foundation/kint48.h"

#include "foundation/kstream.h"
#include "foundation/kx.h"

KInt48 KInt48::Divide(const KInt48& divisor, KInt48* remainder) const {
  int64_t denominator = divisor.Value();
  if (denominator == 0) {
    throw KX(kErrOperationFailed);
  }
  // Both operands fit in 48 bits, so the 64-bit quotient cannot overflow; only its wrap to 48 bits remains.
  int64_t numerator = Value();
  if (remainder != nullptr) {
    *remainder = KInt48(numerator % denominator);
  }
  return KInt48(numerator / denominator);
}

void KInt48::Write(KStream& stream) const {
  for (uint16_t word : words) {
    stream.WriteUInt16(word);
  }
}

void KInt48::Read(KStream& stream) {
  // Read all three before storing, so a stream that ends early leaves the value as it was.
  uint16_t low = stream.ReadUInt16();
  uint16_t middle = stream.ReadUInt16();
  uint16_t high = stream.ReadUInt16();
  *this = FromWords(low, middle, high);
}
