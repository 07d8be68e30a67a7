#pragma once

#include "resources/translate_marker.h"

#include <array>

// The units the core writes after its numbers ("12.50 м"): the window and the report show them in the
// program's language.
inline constexpr std::array<const char*, 7> kUnitTexts = {
    VARNEL_TRANSLATE_NOOP("Units", "м"),   VARNEL_TRANSLATE_NOOP("Units", "км"),
    VARNEL_TRANSLATE_NOOP("Units", "нс"),  VARNEL_TRANSLATE_NOOP("Units", "мкс"),
    VARNEL_TRANSLATE_NOOP("Units", "дБ"),  VARNEL_TRANSLATE_NOOP("Units", "м/мкс"),
    VARNEL_TRANSLATE_NOOP("Units", "отсч."),
};
