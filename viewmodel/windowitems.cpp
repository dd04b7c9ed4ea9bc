#include "viewmodel/windowitems.h"

QObject *WindowItems::find(const QString &objectName) const
{
    if (!m_root)
        return nullptr;
    if (m_root->objectName() == objectName)
        return m_root;
    return m_root->findChild<QObject *>(objectName);
}

bool WindowItems::set(const QString &objectName, const char *property, const QVariant &value)
{
    QObject *item = find(objectName);
    return item && item->setProperty(property, value);
}

bool WindowItems::invoke(const QString &objectName, const char *method, Qt::ConnectionType type)
{
    QObject *item = find(objectName);
    return item && QMetaObject::invokeMethod(item, method, type);
}

QRect WindowItems::rootRect() const
{
    if (!m_root)
        return QRect();
    return QRect(m_root->property("x").toInt(), m_root->property("y").toInt(),
        m_root->property("width").toInt(), m_root->property("height").toInt());
}
