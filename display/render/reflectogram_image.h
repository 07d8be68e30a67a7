#pragma once

#include <QImage>
#include <QSize>

struct Trace;

// The picture of one reflectogram file as the library preview draws it: grid and labels, y -128..127,
// x labels from 0 to the file's range in real metres at its KU, every step-th sample of its record in
// RGB(0,200,255) joined by straight lines. `file` holds what was read from the file. A null image for
// an empty size.
QImage reflectogramImage(const Trace& file, QSize size);
