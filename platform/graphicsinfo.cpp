#include "platform/graphicsinfo.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QStringList>

namespace platform {

QString graphicsDescription()
{
    QOffscreenSurface surface;
    surface.create();
    QOpenGLContext context;
    if (!context.create() || !context.makeCurrent(&surface))
        return QString();
    QOpenGLFunctions *gl = context.functions();
    if (!gl)
        return QString();
    auto text = [gl](GLenum name) {
        return QString::fromLatin1(reinterpret_cast<const char *>(gl->glGetString(name)));
    };
    const QString description
        = QStringList { text(GL_VENDOR), text(GL_RENDERER), text(GL_VERSION) }.join(
            QLatin1Char(' '));
    context.doneCurrent();
    return description;
}

} // namespace platform
