#include "measurement/analysis/event_table.h"

#include "files/number_text.h"
#include "resources/translate_marker.h"

namespace {

std::string typeOf(const ReflectionEvent& e)
{
    if (e.end)
        return VARNEL_TRANSLATE_NOOP("EventTable", "Конец линии");
    return e.polarity > 0 ? VARNEL_TRANSLATE_NOOP("EventTable", "Положительное")
                          : VARNEL_TRANSLATE_NOOP("EventTable", "Отрицательное");
}

} // namespace

const std::array<const char*, kEventColumnCount>& eventColumnTitles()
{
    static const std::array<const char*, kEventColumnCount> titles{
        VARNEL_TRANSLATE_NOOP("EventTable", "№"),         VARNEL_TRANSLATE_NOOP("EventTable", "Расстояние"),
        VARNEL_TRANSLATE_NOOP("EventTable", "Тип"),       VARNEL_TRANSLATE_NOOP("EventTable", "Амплитуда"),
        VARNEL_TRANSLATE_NOOP("EventTable", "Обратные потери"), VARNEL_TRANSLATE_NOOP("EventTable", "Повтор")};
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
