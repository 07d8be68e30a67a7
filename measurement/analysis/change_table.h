#pragma once

#include "measurement/analysis/baseline_compare.h"

#include <array>
#include <string>
#include <vector>

inline constexpr int kChangeColumnCount = 4;
using ChangeRow = std::array<std::string, kChangeColumnCount>;

// The change list's columns (UTF-8): "№", "Расстояние", "Изменение", "Амплитуда".
const std::array<const char*, kChangeColumnCount>& changeColumnTitles();

// The rows of the change list, one per change in order: number, distance in metres, kind ("новое",
// "пропало", "изменилось"), and the amplitude of the change signed by the echo's polarity.
std::vector<ChangeRow> changeRows(const BaselineComparison& comparison);
