#include "telemetry/ui/SharedGlContext.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QSurfaceFormat>

// Exported by Qt GUI, which calls it itself at start under Qt::AA_ShareOpenGLContexts.
QOpenGLContext* qt_gl_global_share_context();
void qt_gl_set_global_share_context(QOpenGLContext* context);

void ShareOpenGlContextsFromNowOn() {
    if (qt_gl_global_share_context())
        return;
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    auto* context = new QOpenGLContext(qApp);
    context->setFormat(QSurfaceFormat::defaultFormat());
    // Without OpenGL (a headless run) the engine falls back to drawing in software; it still
    // needs a context object to ask.
    context->create();
    qt_gl_set_global_share_context(context);
}
