#pragma once

#include <array>

// The median of a changing set of sample levels (-128..127), kept as a histogram so that adding or
// removing one level and reading the median cost a few steps, however the set slides along a trace.
class CLevelMedian {
public:
    void clear();
    void add(int level);
    void remove(int level);   // a level that was added
    int count() const { return total; }
    // The middle level; for an even count the mean of the two middle ones. 0 for an empty set.
    double median();
    // The median of the levels taken as integer readings of a smooth signal, each standing for values
    // spread evenly over half a count either side: finer than a count where the noise is under one.
    double groupedMedian();

private:
    static constexpr int kOffset = 128;
    std::array<int, 256> bins{};
    int total = 0;
    int mid = kOffset;    // the bin holding the lower middle level
    int below = 0;        // levels in the bins under `mid`
};
