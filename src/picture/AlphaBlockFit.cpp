// Fits the alpha of a block: DXT3 rounds each value to 4 bits; DXT5 tries both of its modes with end
// points from the block's range, refined by least squares and by a search of neighbouring end points.
#include "picture/AlphaBlockFit.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>

namespace pelliton {

namespace {

constexpr int kTexels = 16;
constexpr int kLeastSquaresRounds = 2;
constexpr int kSearchPasses = 2;
// Blocks whose squared alpha error summed over the texels is at most this need no neighbour search.
constexpr int kSearchThreshold = 16;

using Alphas = std::array<int, kTexels>;

struct AlphaFit {
    int end0 = 0, end1 = 0;
    int error = INT_MAX;
    std::array<std::uint8_t, kTexels> index{};
};

// The eight values the indices choose, as the decoder rounds them: end0 > end1 puts six values between
// the ends; otherwise four, then 0 and 255.
std::array<int, 8> Palette(int end0, int end1) {
    std::array<int, 8> palette{end0, end1};
    if (end0 > end1) {
        for (int i = 2; i < 8; ++i) palette[i] = ((8 - i) * end0 + (i - 1) * end1) / 7;
    } else {
        for (int i = 2; i < 6; ++i) palette[i] = ((6 - i) * end0 + (i - 1) * end1) / 5;
        palette[6] = 0;
        palette[7] = 255;
    }
    return palette;
}

AlphaFit Evaluate(const Alphas& alphas, int end0, int end1) {
    const std::array<int, 8> palette = Palette(end0, end1);
    AlphaFit fit{end0, end1, 0, {}};
    for (int i = 0; i < kTexels; ++i) {
        int best = INT_MAX, bestIndex = 0;
        for (int k = 0; k < 8; ++k) {
            const int distance = (alphas[i] - palette[k]) * (alphas[i] - palette[k]);
            if (distance < best) {
                best = distance;
                bestIndex = k;
            }
        }
        fit.error += best;
        fit.index[i] = static_cast<std::uint8_t>(bestIndex);
    }
    return fit;
}

int RoundedDivide(int numerator, int denominator) {  // denominator > 0
    return numerator >= 0 ? (numerator + denominator / 2) / denominator
                          : -((-numerator + denominator / 2) / denominator);
}

// The end points that best fit the texels the fit placed between them, each taken as
// ((d - t) end0 + t end1) / d; texels at the fixed 0 and 255 of the six-value mode take no part.
// False when they leave the end points free or would turn the mode.
bool LeastSquares(const Alphas& alphas, const AlphaFit& fit, bool eightValues, int& end0, int& end1) {
    const int d = eightValues ? 7 : 5;
    int aa = 0, ab = 0, bb = 0, ax = 0, bx = 0;
    for (int i = 0; i < kTexels; ++i) {
        const int index = fit.index[i];
        if (!eightValues && index >= 6) continue;
        const int t = index == 0 ? 0 : index == 1 ? d : index - 1, s = d - t;
        aa += s * s;
        ab += s * t;
        bb += t * t;
        ax += s * alphas[i];
        bx += t * alphas[i];
    }
    const int determinant = aa * bb - ab * ab;
    if (determinant == 0) return false;
    end0 = std::clamp(RoundedDivide(d * (bb * ax - ab * bx), determinant), 0, 255);
    end1 = std::clamp(RoundedDivide(d * (aa * bx - ab * ax), determinant), 0, 255);
    return eightValues ? end0 > end1 : end0 <= end1;
}

// Least squares, then single steps of either end point while they lower the error, within the mode.
void Refine(const Alphas& alphas, bool eightValues, AlphaFit& best) {
    for (int round = 0; round < kLeastSquaresRounds && best.error > 0; ++round) {
        int end0 = 0, end1 = 0;
        if (!LeastSquares(alphas, best, eightValues, end0, end1)) break;
        const AlphaFit candidate = Evaluate(alphas, end0, end1);
        if (candidate.error >= best.error) break;
        best = candidate;
    }
    for (int pass = 0; pass < kSearchPasses && best.error > kSearchThreshold; ++pass) {
        bool improved = false;
        for (const auto& [step0, step1] : {std::pair{-1, 0}, std::pair{1, 0}, std::pair{0, -1}, std::pair{0, 1}}) {
            const int end0 = best.end0 + step0, end1 = best.end1 + step1;
            if (std::min(end0, end1) < 0 || std::max(end0, end1) > 255) continue;
            if (eightValues ? end0 <= end1 : end0 > end1) continue;
            const AlphaFit candidate = Evaluate(alphas, end0, end1);
            if (candidate.error < best.error) {
                best = candidate;
                improved = true;
            }
        }
        if (!improved) return;
    }
}

}  // namespace

void EncodeExplicitAlphaBlock(const std::uint8_t* rgba, std::uint8_t* block) {
    for (int i = 0; i < kTexels; i += 2) {
        // 4 bits widen to 8 as n * 17: the nearest n is (alpha + 8) / 17.
        const int low = (rgba[4 * i + 3] + 8) / 17, high = (rgba[4 * i + 7] + 8) / 17;
        block[i / 2] = static_cast<std::uint8_t>(low | high << 4);
    }
}

void EncodeInterpolatedAlphaBlock(const std::uint8_t* rgba, std::uint8_t* block) {
    Alphas alphas{};
    int lowest = 255, highest = 0;
    int lowestBetween = 255, highestBetween = 0;  // leaving out 0 and 255, which six-value mode holds
    for (int i = 0; i < kTexels; ++i) {
        const int alpha = alphas[i] = rgba[4 * i + 3];
        lowest = std::min(lowest, alpha);
        highest = std::max(highest, alpha);
        if (alpha != 0 && alpha != 255) {
            lowestBetween = std::min(lowestBetween, alpha);
            highestBetween = std::max(highestBetween, alpha);
        }
    }
    AlphaFit best;
    if (lowest == highest) {
        best = Evaluate(alphas, lowest, lowest);
    } else {
        best = Evaluate(alphas, highest, lowest);
        Refine(alphas, true, best);
        if (best.error > 0) {
            if (lowestBetween > highestBetween) lowestBetween = highestBetween = 0;
            AlphaFit six = Evaluate(alphas, lowestBetween, highestBetween);
            Refine(alphas, false, six);
            if (six.error < best.error) best = six;
        }
    }
    block[0] = static_cast<std::uint8_t>(best.end0);
    block[1] = static_cast<std::uint8_t>(best.end1);
    std::uint64_t indices = 0;
    for (int i = kTexels; i-- > 0;) indices = indices << 3 | best.index[i];
    for (int at = 2; at < 8; ++at, indices >>= 8) block[at] = static_cast<std::uint8_t>(indices);
}

}  // namespace pelliton
