#include "Performance.h"

#include <algorithm>

namespace halvo::render
{

void sortByTime(Performance& performance)
{
    const auto earlier = [](const auto& a, const auto& b) { return a.seconds < b.seconds; };
    std::stable_sort(performance.midi.begin(), performance.midi.end(), earlier);
    std::stable_sort(performance.parameterChanges.begin(), performance.parameterChanges.end(),
                     earlier);
    std::stable_sort(performance.markers.begin(), performance.markers.end(), earlier);
}

void dropParameterChanges(Performance& performance, const std::vector<int>& parameterIndices)
{
    std::erase_if(performance.parameterChanges,
                  [&](const ParameterChange& change)
                  {
                      return std::find(parameterIndices.begin(), parameterIndices.end(),
                                       change.parameterIndex) != parameterIndices.end();
                  });
}

} // namespace halvo::render
