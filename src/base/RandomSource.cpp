#include "base/RandomSource.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace draw {

QList<int> withoutRepeats(RandomSource &random, int population, int count)
{
    if (population < 1 || count < 1)
        return {};
    count = std::min(count, population);
    QList<int> positions(population);
    std::iota(positions.begin(), positions.end(), 0);
    for (int i = 0; i < count; ++i) {
        // A number outside what was asked for is taken modulo the rest, so a
        // faulty source can bias the draw but never repeat or overrun it.
        const int left = population - i;
        const int pick = ((random.below(left) % left) + left) % left;
        std::swap(positions[i], positions[i + pick]);
    }
    positions.resize(count);
    return positions;
}

} // namespace draw
