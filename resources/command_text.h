#pragma once

// The string resources of a command: its menu text, the status-bar prompt and the tooltip.
struct CommandText {
    int id;
    const char* menu;
    const char* prompt;    // status-bar text
    const char* tooltip;   // empty when the command has none
};

// The texts of `id`, or nullptr for a command without texts.
const CommandText* commandText(int id);
