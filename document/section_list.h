#pragma once

#include <vector>

// One section of the line; positions and length in nominal metres x 100.
struct Section {
    double ku = 0.0;
    double length = 0.0;
    double start = 0.0;
    double end = 0.0;
};

// The document's line sections. Accessors asked for an index outside the list yield 0.0.
class CSectionList {
public:
    int count() const { return static_cast<int>(records.size()); }
    bool empty() const { return records.empty(); }
    void clear() { records.clear(); }
    void add(const Section& s) { records.push_back(s); }
    const std::vector<Section>& all() const { return records; }

    double ku(int i) const { return valid(i) ? records[i].ku : 0.0; }
    double length(int i) const { return valid(i) ? records[i].length : 0.0; }
    double start(int i) const { return valid(i) ? records[i].start : 0.0; }
    double end(int i) const { return valid(i) ? records[i].end : 0.0; }

private:
    bool valid(int i) const { return i >= 0 && i < count(); }
    std::vector<Section> records;
};
