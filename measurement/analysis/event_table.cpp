#include "measurement/analysis/event_table.h"

#include "files/number_text.h"

namespace {

std::string typeOf(const ReflectionEvent& e)
{
    if (e.end)
        return "Конец линии";
    return e.polarity > 0 ? "Положительное" : "Отрицательное";
}

} // namespace

const std::array<const char*, kEventColumnCount>& eventColumnTitles()
{
    static const std::array<const char*, kEventColumnCount> titles{"№",         "Расстояние",      "Тип",
                                                                   "Амплитуда", "Обратные потери", "Повтор"};
    return titles;
}

std::vector<EventRow> eventRows(const EventReport& report)
{
    std::vector<EventRow> rows;
    rows.reserve(report.events.size());
    for (const ReflectionEvent& e : report.events)
        rows.push_back({std::to_string(rows.size() + 1), numtext::fixed(e.distance, 2) + " м", typeOf(e),
                        numtext::fixed(e.polarity * e.amplitude, 0),
                        e.returnLossDb ? numtext::fixed(*e.returnLossDb, 1) + " дБ" : "-",
                        e.multiple > 0 ? "×" + std::to_string(e.multiple) : ""});
    return rows;
}
