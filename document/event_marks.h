#pragma once

#include <vector>

// One event of the event list as the main screen marks it: where its leading edge starts.
struct EventMark {
    double position = 0.0;   // nominal metres
    bool ghost = false;      // a re-reflection: drawn dimmed
    friend bool operator==(const EventMark&, const EventMark&) = default;
};

// The events the open event list shows, for the main screen to mark. The list writes them and the
// screen only reads them; a click on a mark goes back the same way, as `chosen`.
struct EventMarks {
    int trace = -1;                // the trace they were found in; -1 while the list is closed
    std::vector<EventMark> marks;  // in the list's order: mark k is row k
    int chosen = -1;               // the mark clicked on the screen, whose row the list selects
};
