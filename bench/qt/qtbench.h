#pragma once
// What the benchmarks that draw with Qt share: one offscreen application for
// the whole run (a widget application, so that the menu benchmark runs after
// the image ones as well as alone), and one replay of the graphics window's
// display list into an image, as the Qt window paints it.
#include "graphics/graphwindow.h"
#include "platform/qt/canvas_qt.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

inline void EnsureOffscreenApplication()
{
    static int argc = 1;
    static char name[] = "qyr7_bench";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() != nullptr) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(argc, argv);
}

// The image cleared to black, then the whole list drawn into it.
inline void ReplayIntoImage(QImage& Image)
{
    Image.fill(Qt::black);
    QPainter painter(&Image);
    platform::CanvasImplQt canvas(painter);
    FTelmgra.FormPaint(canvas);
}
