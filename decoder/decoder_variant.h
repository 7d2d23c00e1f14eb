// The two decoding paths, and the processor test's pick between them. A decoder context is
// built for one of them and keeps it for its life (DecoderContext::variant); the processor's
// pick is only the default of whatever builds a context (the clip library, orvik-frame without
// --variant).
#pragma once

namespace orvik {

// Each path whole, from the quantisation tables to the picture:
//   kPacked: 16-bit quantisation tables and working block, InverseDctPacked,
//            ConvertPlanesPacked (rows of exactly 3w bytes);
//   kScalar: 32-bit quantisation tables and working block, InverseDctScalar,
//            ConvertPlanesScalar (rows padded to a multiple of 4 bytes).
// The two transforms keep different precision, so the two paths' pictures can differ
// slightly; each is exact to its own portable code.
enum class DecoderVariant { kScalar, kPacked };
inline constexpr DecoderVariant kDecoderVariants[] = {DecoderVariant::kScalar,
                                                      DecoderVariant::kPacked};

// "scalar" or "packed".
const char* VariantName(DecoderVariant variant);

// The processor test's pick: packed where the processor has the packed 64-bit integer
// instructions (every x86-64 processor has), scalar elsewhere.
DecoderVariant ProcessorVariant();

}  // namespace orvik
