#pragma once

#include <ctime>

// A calendar date and time in local time, as shown for files ("DD.MM.YYYY", "HH:MM:SS").
struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

LocalTime toLocalTime(std::time_t t);
