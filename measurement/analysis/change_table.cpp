#include "measurement/analysis/change_table.h"

#include "files/number_text.h"
#include "resources/translate_marker.h"

const std::array<const char*, kChangeColumnCount>& changeColumnTitles()
{
    static const std::array<const char*, kChangeColumnCount> titles{
        VARNEL_TRANSLATE_NOOP("ChangeTable", "№"), VARNEL_TRANSLATE_NOOP("ChangeTable", "Расстояние"),
        VARNEL_TRANSLATE_NOOP("ChangeTable", "Изменение"), VARNEL_TRANSLATE_NOOP("ChangeTable", "Амплитуда")};
    return titles;
}

std::vector<ChangeRow> changeRows(const BaselineComparison& comparison)
{
    std::vector<ChangeRow> rows;
    rows.reserve(comparison.changes.size());
    for (const LineChange& c : comparison.changes)
        rows.push_back({std::to_string(rows.size() + 1), numtext::fixed(c.distance, 2) + " м", changeKindText(c.kind),
                        numtext::fixed(c.polarity * c.amplitude, 1)});
    return rows;
}
