#pragma once

#include "resources/translate_marker.h"

#include <array>
#include <string_view>

// The program's contact lines: the printed report's header and the About box show them, translated.
inline constexpr std::array<std::string_view, 3> kContactLines = {
    VARNEL_TRANSLATE_NOOP("ContactLines", "Программа VARNEL"),
    VARNEL_TRANSLATE_NOOP("ContactLines", "Сайт: https://varnel.example.org"),
    VARNEL_TRANSLATE_NOOP("ContactLines", "Почта: support@varnel.example.org"),
};

// The addresses behind them: "Сайт программы" opens the first, "Напишите нам" a letter to the second.
inline constexpr std::string_view kWebAddress = "https://varnel.example.org";
inline constexpr std::string_view kMailAddress = "support@varnel.example.org";
