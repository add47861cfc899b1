#include "leq/ExceededLevels.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace {

// Puts the levels of the given ranks (ascending positions in sorted order, strictly increasing)
// in their places. Each selection splits the levels around its rank, so the next one
// searches only the part it lies in: five percentiles cost about two selections, not five.
void SelectRanks(std::span<float> levels, std::span<const std::size_t> ranks, std::size_t lo, std::size_t hi)
{
    if (ranks.empty())
        return;
    const std::size_t middle = ranks.size() / 2;
    const std::size_t rank = ranks[middle];
    const auto at = [&levels](std::size_t i) { return levels.begin() + static_cast<std::ptrdiff_t>(i); };
    std::nth_element(at(lo), at(rank), at(hi));
    SelectRanks(levels, ranks.first(middle), lo, rank);
    SelectRanks(levels, ranks.subspan(middle + 1), rank + 1, hi);
}

// The position, from the bottom, of the level exceeded by N % of n levels.
std::size_t ExceededRank(std::size_t n, int percent)
{
    const std::size_t position = (static_cast<std::size_t>(std::clamp(percent, 1, 100)) * n + 99) / 100;
    return n - position;
}

}  // namespace

void ExceededLevels(std::span<float> levels, std::span<const int> percents, std::span<double> out)
{
    const std::size_t n = levels.size();
    if (n == 0)
        return;
    std::vector<std::size_t> ranks(percents.size());
    std::transform(percents.begin(), percents.end(), ranks.begin(),
                   [n](int percent) { return ExceededRank(n, percent); });
    // Few levels give some percentiles the same rank.
    std::vector<std::size_t> distinct = ranks;
    std::sort(distinct.begin(), distinct.end());
    distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
    SelectRanks(levels, distinct, 0, n);
    for (std::size_t k = 0; k < ranks.size() && k < out.size(); ++k)
        out[k] = levels[ranks[k]];
}
