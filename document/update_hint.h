#pragma once

// Hints of the document's update broadcast; each view decides from the hint what to rebuild.
// The numbers are the hints' own: other parts of the program name them by number.
enum UpdateHint : int {
    kHintRedraw = 0,       // cursors, offsets, zoom, approximation or the propagation factor changed
    kHintNewSamples = 1,   // new live samples were stored in L1 and L2
    kHintAcqParams = 2,    // range or pulse changed; a running acquisition restarts
    kHintSaved = 3,        // a reflectogram was saved; the library refreshes
    kHintLines = 4,        // lines, difference base or display mode changed; layouts recompute
    kHintSpeedMode = 5,    // V/2 versus KU presentation toggled
    kHintReturnLoss = 6,   // return-loss presentation toggled
    kHintEvents = 7,       // the event list's marks changed, or a mark was chosen on the screen
};
