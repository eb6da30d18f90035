// Fits a DXT colour block: end points from the texels' principal axis, refined by least squares over
// the chosen indices and by a search of neighbouring 5:6:5 end points where the error is still large;
// a block of one colour takes its end points from tables. Integers only, so that every platform and
// every thread count chooses the same bytes.
#include "picture/ColourBlockFit.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <utility>

namespace pelliton {

namespace {

constexpr int kTexels = 16;
constexpr int kChannels = 3;
constexpr std::array<int, kChannels> kBits = {5, 6, 5};

// Blocks whose squared error summed over the texels is at most kRefineThreshold (about one level per
// channel and texel) are not refined further; the neighbour search, the costly part, waits for
// errors above kSearchThreshold. Smooth blocks, most of a large picture, stop early.
constexpr int kRefineThreshold = 48;
constexpr int kSearchThreshold = 144;
constexpr int kSearchPasses = 1;
constexpr int kLeastSquaresRounds = 2;
// Opaque DXT1 blocks try the three-colour mode only when four colours leave more error than this.
constexpr int kThreeColourThreshold = 600;

enum class Mode { FourColours, ThreeColours };

// The block's texels, channels apart; weight 0 marks DXT1's transparent texels, which the colours need
// not follow.
struct BlockTexels {
    std::array<std::array<int, kTexels>, kChannels> colour{};
    std::array<int, kTexels> weight{};
    int count = 0;  // texels of weight 1
};

using Ends = std::array<std::array<int, kChannels>, 2>;  // quantised: 5, 6 and 5 bits

struct Fit {
    Ends ends{};
    int error = INT_MAX;
    std::array<std::uint8_t, kTexels> index{};
};

int Widen(int value, int bits) { return bits == 5 ? (value << 3) | (value >> 2) : (value << 2) | (value >> 4); }

int Narrow(int value, int bits) {
    const int top = (1 << bits) - 1;
    return (value * top + 127) / 255;
}

int Packed(const std::array<int, kChannels>& end) { return end[0] << 11 | end[1] << 5 | end[2]; }

// The texels' squared error and nearest indices with the end points, the palette rounded as the
// decoder rounds it. Three-colour mode repeats its middle colour so that the loop stays the same; the
// first of equal distances wins, so index 3 (transparent black there) is never chosen.
Fit Evaluate(const BlockTexels& texels, const Ends& ends, Mode mode) {
    std::array<std::array<int, 4>, kChannels> palette{};
    for (int c = 0; c < kChannels; ++c) {
        const int a = Widen(ends[0][c], kBits[c]), b = Widen(ends[1][c], kBits[c]);
        if (mode == Mode::FourColours) {
            palette[c] = {a, b, (2 * a + b) / 3, (a + 2 * b) / 3};
        } else {
            palette[c] = {a, b, (a + b) / 2, (a + b) / 2};
        }
    }
    // Distances for all texels to one palette colour at a time, then the nearest: loops the compiler
    // turns into vector instructions.
    std::array<std::array<int, kTexels>, 4> distance{};
    for (int k = 0; k < 4; ++k) {
        for (int i = 0; i < kTexels; ++i) {
            const int dr = texels.colour[0][i] - palette[0][k];
            const int dg = texels.colour[1][i] - palette[1][k];
            const int db = texels.colour[2][i] - palette[2][k];
            distance[k][i] = dr * dr + dg * dg + db * db;
        }
    }
    Fit fit{ends, 0, {}};
    for (int i = 0; i < kTexels; ++i) {
        int best = distance[0][i], bestIndex = 0;
        for (int k = 1; k < 4; ++k) {
            const bool nearer = distance[k][i] < best;
            best = nearer ? distance[k][i] : best;
            bestIndex = nearer ? k : bestIndex;
        }
        fit.error += best * texels.weight[i];
        fit.index[i] = static_cast<std::uint8_t>(bestIndex);
    }
    return fit;
}

Ends Quantised(const std::array<int, kChannels>& end0, const std::array<int, kChannels>& end1) {
    Ends ends{};
    for (int c = 0; c < kChannels; ++c) {
        ends[0][c] = Narrow(end0[c], kBits[c]);
        ends[1][c] = Narrow(end1[c], kBits[c]);
    }
    return ends;
}

int RoundedDivide(int numerator, int denominator) {  // denominator > 0
    return numerator >= 0 ? (numerator + denominator / 2) / denominator
                          : -((-numerator + denominator / 2) / denominator);
}

// The end points that best fit the texels with the indices fit chose: each texel is taken as
// ((d - t) end0 + t end1) / d, and the normal equations of the least squares are solved per channel.
// False when every texel has the same index, which leaves the end points free.
bool LeastSquares(const BlockTexels& texels, const Fit& fit, Mode mode, Ends& ends) {
    const int d = mode == Mode::FourColours ? 3 : 2;
    const std::array<int, 4> steps = mode == Mode::FourColours ? std::array{0, 3, 1, 2} : std::array{0, 2, 1, 1};
    int aa = 0, ab = 0, bb = 0;
    std::array<int, kChannels> ax{}, bx{};
    for (int i = 0; i < kTexels; ++i) {
        const int w = texels.weight[i];
        const int t = steps[fit.index[i]], s = d - t;
        aa += w * s * s;
        ab += w * s * t;
        bb += w * t * t;
        for (int c = 0; c < kChannels; ++c) {
            ax[c] += w * s * texels.colour[c][i];
            bx[c] += w * t * texels.colour[c][i];
        }
    }
    const int determinant = aa * bb - ab * ab;
    if (determinant == 0) return false;
    std::array<int, kChannels> end0{}, end1{};
    for (int c = 0; c < kChannels; ++c) {
        end0[c] = std::clamp(RoundedDivide(d * (bb * ax[c] - ab * bx[c]), determinant), 0, 255);
        end1[c] = std::clamp(RoundedDivide(d * (aa * bx[c] - ab * ax[c]), determinant), 0, 255);
    }
    ends = Quantised(end0, end1);
    return true;
}

// The direction along which the texels spread most: a few rounds of power iteration on their
// covariance, scaled to stay within 16 bits.
std::array<int, kChannels> PrincipalAxis(const BlockTexels& texels) {
    std::array<int, kChannels> sum{};
    std::array<std::array<int, kChannels>, kChannels> products{};
    for (int i = 0; i < kTexels; ++i) {
        const int w = texels.weight[i];
        for (int c = 0; c < kChannels; ++c) {
            sum[c] += w * texels.colour[c][i];
            for (int e = c; e < kChannels; ++e) products[c][e] += w * texels.colour[c][i] * texels.colour[e][i];
        }
    }
    // count * count times the covariance: at most 16 * 16 * 255 * 255, within 25 bits.
    std::array<std::array<long long, kChannels>, kChannels> covariance{};
    for (int c = 0; c < kChannels; ++c) {
        for (int e = c; e < kChannels; ++e) {
            covariance[c][e] = covariance[e][c] =
                static_cast<long long>(texels.count) * products[c][e] - static_cast<long long>(sum[c]) * sum[e];
        }
    }
    // Starting from the row of the widest channel never starts orthogonal to the axis.
    int widest = 0;
    for (int c = 1; c < kChannels; ++c) {
        if (covariance[c][c] > covariance[widest][widest]) widest = c;
    }
    std::array<long long, kChannels> axis = covariance[widest];
    constexpr int kRounds = 4;
    for (int round = 0;; ++round) {
        long long largest = 0;
        for (const long long v : axis) largest = std::max(largest, std::llabs(v));
        while (largest >= (1LL << 16)) {
            for (long long& v : axis) v /= 2;
            largest /= 2;
        }
        if (round == kRounds) break;
        std::array<long long, kChannels> next{};
        for (int c = 0; c < kChannels; ++c) {
            for (int e = 0; e < kChannels; ++e) next[c] += covariance[c][e] * axis[e];
        }
        if (next == std::array<long long, kChannels>{}) break;
        axis = next;
    }
    return {static_cast<int>(axis[0]), static_cast<int>(axis[1]), static_cast<int>(axis[2])};
}

// Moves one end point's channel at a time by one step while that lowers the error.
void SearchNeighbours(const BlockTexels& texels, Mode mode, Fit& best) {
    for (int pass = 0; pass < kSearchPasses; ++pass) {
        bool improved = false;
        for (int end = 0; end < 2; ++end) {
            for (int c = 0; c < kChannels; ++c) {
                for (const int step : {-1, 1}) {
                    Ends ends = best.ends;
                    ends[end][c] += step;
                    if (ends[end][c] < 0 || ends[end][c] >= (1 << kBits[c])) continue;
                    Fit candidate = Evaluate(texels, ends, mode);
                    if (candidate.error < best.error) {
                        best = candidate;
                        improved = true;
                    }
                }
            }
        }
        if (!improved) return;
    }
}

Fit FitColours(const BlockTexels& texels, Mode mode) {
    const std::array<int, kChannels> axis = PrincipalAxis(texels);
    int lowest = INT_MAX, highest = INT_MIN, low = 0, high = 0;
    for (int i = 0; i < kTexels; ++i) {
        if (texels.weight[i] == 0) continue;
        const int projection =
            axis[0] * texels.colour[0][i] + axis[1] * texels.colour[1][i] + axis[2] * texels.colour[2][i];
        if (projection < lowest) lowest = projection, low = i;
        if (projection > highest) highest = projection, high = i;
    }
    const auto texel = [&texels](int i) {
        return std::array{texels.colour[0][i], texels.colour[1][i], texels.colour[2][i]};
    };
    Fit best = Evaluate(texels, Quantised(texel(low), texel(high)), mode);
    for (int round = 0; round < kLeastSquaresRounds && best.error > kRefineThreshold; ++round) {
        Ends ends{};
        if (!LeastSquares(texels, best, mode, ends) || ends == best.ends) break;
        Fit candidate = Evaluate(texels, ends, mode);
        if (candidate.error >= best.error) break;
        best = candidate;
    }
    if (best.error > kSearchThreshold) SearchNeighbours(texels, mode, best);
    return best;
}

// For each 8-bit value, the quantised end points whose middle colour comes closest to it.
struct SingleColourEnds {
    std::uint8_t end0 = 0, end1 = 0, error = 0;
};
using SingleColourTable = std::array<SingleColourEnds, 256>;

SingleColourTable MakeSingleColourTable(int bits, Mode mode) {
    // First the end points closest together for each middle value some pair reaches, then for each
    // value the nearest value reached; of two as near, the pair closer together.
    SingleColourTable reached{};
    std::array<int, 256> spreads{};
    spreads.fill(INT_MAX);
    for (int end0 = 0; end0 < (1 << bits); ++end0) {
        for (int end1 = 0; end1 < (1 << bits); ++end1) {
            const int a = Widen(end0, bits), b = Widen(end1, bits);
            const int middle = mode == Mode::FourColours ? (2 * a + b) / 3 : (a + b) / 2;
            if (std::abs(a - b) < spreads[static_cast<std::size_t>(middle)]) {
                spreads[static_cast<std::size_t>(middle)] = std::abs(a - b);
                reached[static_cast<std::size_t>(middle)] = {static_cast<std::uint8_t>(end0),
                                                             static_cast<std::uint8_t>(end1), 0};
            }
        }
    }
    SingleColourTable table{};
    for (int value = 0; value < 256; ++value) {
        for (int error = 0;; ++error) {
            int best = -1;
            for (const int near : {value - error, value + error}) {
                if (near < 0 || near > 255 || spreads[static_cast<std::size_t>(near)] == INT_MAX) continue;
                if (best < 0 || spreads[static_cast<std::size_t>(near)] < spreads[static_cast<std::size_t>(best)]) best = near;
            }
            if (best < 0) continue;
            table[static_cast<std::size_t>(value)] = reached[static_cast<std::size_t>(best)];
            table[static_cast<std::size_t>(value)].error = static_cast<std::uint8_t>(error);
            break;
        }
    }
    return table;
}

const SingleColourTable& SingleColourTableFor(int channel, Mode mode) {
    static const std::array<std::array<SingleColourTable, 2>, 2> tables = {{
        {MakeSingleColourTable(5, Mode::FourColours), MakeSingleColourTable(6, Mode::FourColours)},
        {MakeSingleColourTable(5, Mode::ThreeColours), MakeSingleColourTable(6, Mode::ThreeColours)},
    }};
    return tables[mode == Mode::ThreeColours][kBits[channel] == 6];
}

// Every texel at index 2, the colour two thirds or half the way between the end points.
Fit FitSingleColour(const std::array<int, kChannels>& colour, int count, Mode mode) {
    Fit fit{};
    fit.error = 0;
    for (int c = 0; c < kChannels; ++c) {
        const SingleColourEnds& entry = SingleColourTableFor(c, mode)[static_cast<std::size_t>(colour[c])];
        fit.ends[0][c] = entry.end0;
        fit.ends[1][c] = entry.end1;
        fit.error += count * entry.error * entry.error;
    }
    fit.index.fill(2);
    return fit;
}

// The block's bytes. Four-colour mode needs colour0 > colour1 and three-colour mode colour0 <=
// colour1: swapping the end points swaps indices 0 and 1 and, with four colours, 2 and 3. Equal end
// points leave one colour, index 0, whatever the mode.
void WriteBlock(const Fit& fit, Mode mode, const std::array<bool, kTexels>& transparent, std::uint8_t* block) {
    int colour0 = Packed(fit.ends[0]), colour1 = Packed(fit.ends[1]);
    std::array<std::uint8_t, kTexels> index = fit.index;
    const bool swap = mode == Mode::FourColours ? colour0 < colour1 : colour0 > colour1;
    if (swap) {
        std::swap(colour0, colour1);
        for (std::uint8_t& i : index) i = static_cast<std::uint8_t>(mode == Mode::FourColours || i < 2 ? i ^ 1 : i);
    }
    if (colour0 == colour1) index.fill(0);
    constexpr std::uint8_t kTransparentIndex = 3;
    for (int i = 0; i < kTexels; ++i) {
        if (transparent[i]) index[i] = kTransparentIndex;
    }
    block[0] = static_cast<std::uint8_t>(colour0);
    block[1] = static_cast<std::uint8_t>(colour0 >> 8);
    block[2] = static_cast<std::uint8_t>(colour1);
    block[3] = static_cast<std::uint8_t>(colour1 >> 8);
    for (int y = 0; y < 4; ++y) {
        block[4 + y] = static_cast<std::uint8_t>(index[4 * y] | index[4 * y + 1] << 2 | index[4 * y + 2] << 4 |
                                                 index[4 * y + 3] << 6);
    }
}

}  // namespace

void EncodeColourBlock(const std::uint8_t* rgba, bool oneBitAlpha, std::uint8_t* block) {
    BlockTexels texels;
    std::array<bool, kTexels> transparent{};
    int first = -1;
    bool oneColour = true;
    for (int i = 0; i < kTexels; ++i) {
        const std::uint8_t* texel = rgba + 4 * i;
        transparent[i] = oneBitAlpha && texel[3] < 128;
        texels.weight[i] = transparent[i] ? 0 : 1;
        for (int c = 0; c < kChannels; ++c) texels.colour[c][i] = texel[c];
        if (transparent[i]) continue;
        ++texels.count;
        if (first < 0) first = i;
        for (int c = 0; c < kChannels; ++c) oneColour = oneColour && texel[c] == rgba[4 * first + c];
    }
    if (texels.count == 0) {
        WriteBlock(Fit{}, Mode::ThreeColours, transparent, block);
        return;
    }
    const bool mustUseThree = texels.count < kTexels;
    Fit four, three;
    if (oneColour) {
        const std::array colour = {int{rgba[4 * first]}, int{rgba[4 * first + 1]}, int{rgba[4 * first + 2]}};
        if (!mustUseThree) four = FitSingleColour(colour, texels.count, Mode::FourColours);
        if (oneBitAlpha) three = FitSingleColour(colour, texels.count, Mode::ThreeColours);
    } else {
        if (!mustUseThree) four = FitColours(texels, Mode::FourColours);
        if (oneBitAlpha && (mustUseThree || four.error > kThreeColourThreshold)) {
            three = FitColours(texels, Mode::ThreeColours);
        }
    }
    if (three.error < four.error) {
        WriteBlock(three, Mode::ThreeColours, transparent, block);
    } else {
        WriteBlock(four, Mode::FourColours, transparent, block);
    }
}

}  // namespace pelliton
