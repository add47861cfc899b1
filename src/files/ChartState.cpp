#include "files/ChartState.h"

#include <algorithm>

namespace {

std::uint32_t DefaultSubsetColor(std::size_t subset)
{
    static const std::uint32_t colors[] = {
        PEargb(255, 0, 0, 0),   PEargb(255, 198, 0, 0),   PEargb(255, 0, 0, 198),
        PEargb(255, 0, 128, 0), PEargb(255, 128, 0, 128), PEargb(255, 0, 128, 128),
    };
    return colors[subset % std::size(colors)];
}

}  // namespace

void SetChartSize(ChartState& state, std::int32_t subsets, std::int32_t points)
{
    subsets = std::clamp(subsets, 1, MaxSubsets);
    points = std::clamp(points, 0, MaxPoints);
    state.Subsets = subsets;
    state.Points = points;
    const auto cells = static_cast<std::size_t>(subsets) * static_cast<std::size_t>(points);
    state.XDataII.assign(cells, 0.0);
    state.YData.assign(cells, static_cast<float>(state.NullDataValueY));
    const auto count = static_cast<std::size_t>(subsets);
    if (state.SubsetLabels.size() < count)
        state.SubsetLabels.resize(count);
    while (state.SubsetColors.size() < count)
        state.SubsetColors.push_back(DefaultSubsetColor(state.SubsetColors.size()));
    if (state.SubsetLineTypes.size() < count)
        state.SubsetLineTypes.resize(count, 0);
}

bool EnsureAnnotation(ChartState& state, int index)
{
    if (index < 0 || index >= MaxAnnotations)
        return false;
    if (state.GraphAnnotations.size() <= static_cast<std::size_t>(index))
        state.GraphAnnotations.resize(static_cast<std::size_t>(index) + 1);
    return true;
}
