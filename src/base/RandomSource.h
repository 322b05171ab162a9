#pragma once

#include <QList>
#include <QRandomGenerator>
#include <QtGlobal>

// Where random draws take their numbers from. The program uses a generator
// seeded from the clock; tests script the numbers.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // A number in 0 … upper − 1, each equally likely; 0 when upper < 1.
    virtual int below(int upper) = 0;
};

// Seeded once from the clock when it is made.
class SeededRandom : public RandomSource
{
public:
    explicit SeededRandom(quint64 seed) : m_generator(seed) {}
    int below(int upper) override
    {
        return upper < 1 ? 0 : static_cast<int>(m_generator.bounded(upper));
    }

private:
    QRandomGenerator64 m_generator;
};

namespace draw {

// Picks `count` different positions of 0 … population − 1, in the order they
// are drawn, each equally likely: a partial shuffle, so every position is
// drawn at most once however the numbers fall. Fewer when the population runs out.
QList<int> withoutRepeats(RandomSource &random, int population, int count);

} // namespace draw
