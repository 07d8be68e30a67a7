#pragma once

#include <array>
#include <string_view>

// The program's contact lines: the printed report's header and the About box show them.
inline constexpr std::array<std::string_view, 3> kContactLines = {
    "Программа VARNEL",
    "Сайт: https://varnel.example.org",
    "Почта: support@varnel.example.org",
};
