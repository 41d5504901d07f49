// Sines rounded to float, written once for vectors of doubles. Included by one source file per
// instruction set after its vector types; internal linkage, as in ReverbKernel.h.
//
// A float only needs the double-precision sine to the nearest float. The evaluation below (a
// Cody-Waite reduction to |r| <= pi/4 and published minimax polynomials) is within 2^-49 of the
// true sine relative to it, and std::sin within 2^-52. Where the whole interval of +-2^-47 around
// the result rounds to one float, std::sin's result rounds to that float too; elsewhere (about one
// argument in 10^7), at zero and outside the arguments the chain forms, std::sin itself is called.

#include "engine/VectorKernels.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace halvo
{
namespace
{

constexpr int doubleLanes = sizeof(DoubleVector) / sizeof(double);

constexpr double lowestArgument = -0.53;
constexpr double highestArgument = 6.29;
constexpr double twoOverPi = 6.36619772367581382433e-01;
// pi/2 in two parts; the first has 33 significant bits, so k times it is exact for small k.
constexpr double halfPiHigh = 1.57079632673412561417e+00;
constexpr double halfPiLow = 6.07710050650619224932e-11;
// Adding and subtracting 1.5 * 2^52 rounds to the nearest integer, which lands in the low bits.
constexpr double roundingShift = 6755399441055744.0;
constexpr double relativeMargin = 0x1p-47;

constexpr double s1 = -1.66666666666666324348e-01, s2 = 8.33333333332248946124e-03,
                 s3 = -1.98412698298579493134e-04, s4 = 2.75573137070700676789e-06,
                 s5 = -2.50507602534068634195e-08, s6 = 1.58969099521155010221e-10;
constexpr double c1 = 4.16666666666666019037e-02, c2 = -1.38888888888741095749e-03,
                 c3 = 2.48015872894767294178e-05, c4 = -2.75573143513906633035e-07,
                 c5 = 2.08757232129817482790e-09, c6 = -1.13596475577881948265e-11;

float exactRoundedSine(double x, double scale) noexcept
{
    return static_cast<float>(scale * std::sin(x));
}

bool allSet(HalfIntVector mask) noexcept
{
    std::uint64_t words[sizeof mask / sizeof(std::uint64_t)];
    std::memcpy(words, &mask, sizeof mask);
    std::uint64_t all = ~std::uint64_t{0};
    for (const std::uint64_t word : words)
        all &= word;
    return all == ~std::uint64_t{0};
}

void roundedSines(const float* arguments, float* out, int count, double scale) noexcept
{
    int i = 0;
    for (; i + doubleLanes <= count; i += doubleLanes)
    {
        HalfFloatVector argument;
        std::memcpy(&argument, arguments + i, sizeof argument);
        const auto x = __builtin_convertvector(argument, DoubleVector);

        const DoubleVector shifted = x * twoOverPi + roundingShift;
        const DoubleVector k = shifted - roundingShift;
        const auto quadrant = reinterpret_cast<LongVector>(shifted);
        const DoubleVector r = (x - k * halfPiHigh) - k * halfPiLow;
        const DoubleVector z = r * r;
        const DoubleVector sine =
            r + r * z * (s1 + z * (s2 + z * (s3 + z * (s4 + z * (s5 + z * s6)))));
        const DoubleVector cosine =
            (1.0 - 0.5 * z) + z * z * (c1 + z * (c2 + z * (c3 + z * (c4 + z * (c5 + z * c6)))));
        const DoubleVector turned = (quadrant & 1) != 0 ? cosine : sine;
        const DoubleVector value = ((quadrant & 2) != 0 ? -turned : turned) * scale;

        const auto magnitude = reinterpret_cast<DoubleVector>(reinterpret_cast<LongVector>(value) &
                                                              0x7fffffffffffffffLL);
        const DoubleVector margin = magnitude * relativeMargin;
        const auto rounded = __builtin_convertvector(value, HalfFloatVector);
        const auto roundedLow = __builtin_convertvector(value - margin, HalfFloatVector);
        const auto roundedHigh = __builtin_convertvector(value + margin, HalfFloatVector);
        // Zero goes to std::sin too: the polynomial gives +0 for -0.
        const auto inRange = __builtin_convertvector(
            (x >= lowestArgument) & (x <= highestArgument) & (x != 0.0), HalfIntVector);
        const HalfIntVector proven = (roundedLow == roundedHigh) & inRange;

        std::memcpy(out + i, &rounded, sizeof rounded);
        if (!allSet(proven))
            for (int lane = 0; lane < doubleLanes; ++lane)
                if (proven[lane] == 0)
                    out[i + lane] = exactRoundedSine(x[lane], scale);
    }
    for (; i < count; ++i)
        out[i] = exactRoundedSine(static_cast<double>(arguments[i]), scale);
}

} // namespace
} // namespace halvo
