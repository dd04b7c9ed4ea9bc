#include "core/errordefine.h"

#include <QMetaEnum>

void ErrorDefine::registerMetaTypes()
{
    qRegisterMetaType<ErrorDefine::ErrorCode>("ErrorDefine::ErrorCode");
    qRegisterMetaType<ErrorDefine::ErrorCode>("ErrorCode");
}

QString errorCodeText(ErrorDefine::ErrorCode code)
{
    const char *name = QMetaEnum::fromType<ErrorDefine::ErrorCode>().valueToKey(code);
    return name ? QString::fromLatin1(name) : QString();
}

QString formatError(ErrorDefine::ErrorCode code, const QString &text)
{
    return QStringLiteral("[%1]:%2").arg(int(code)).arg(text);
}
