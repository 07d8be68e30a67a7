#pragma once

// What a panel configures one of its spin edits with; the unit text is the panel's own.
struct SpinSetup {
    double minimum = 0.0;
    double maximum = 0.0;
    double value = 0.0;
    double step = 0.0;
    int precision = 0;
    friend bool operator==(const SpinSetup&, const SpinSetup&) = default;
};
