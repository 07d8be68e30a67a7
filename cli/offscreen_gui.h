#pragma once

#include <QGuiApplication>

#include <memory>

// The Qt GUI application the drawing commands need for fonts and painting, on the offscreen platform so
// that no display is needed. Nullptr when an application already exists (tests that run a command in
// process). Its texts are in the language of cliLanguage().report. Qt's notes about the environment are not printed; only its errors are.
std::unique_ptr<QGuiApplication> startOffscreenGui();
