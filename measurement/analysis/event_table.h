#pragma once

#include "measurement/analysis/event_finder.h"

#include <array>
#include <string>
#include <vector>

inline constexpr int kEventColumnCount = 6;
using EventRow = std::array<std::string, kEventColumnCount>;

// The event list's columns (UTF-8): "№", "Расстояние", "Тип", "Амплитуда", "Обратные потери", "Повтор".
const std::array<const char*, kEventColumnCount>& eventColumnTitles();

// The rows of the event list, one per event in order, as the window shows them and the report prints
// them: number, distance in metres, type, signed amplitude, return loss ("-" without one), "×k" for a
// re-reflection.
std::vector<EventRow> eventRows(const EventReport& report);
