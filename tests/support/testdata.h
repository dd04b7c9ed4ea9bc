#pragma once

#include <QByteArray>

// Bytes that differ from position to position, so a block written at the
// wrong offset is caught.
inline QByteArray patterned(int size)
{
    QByteArray data(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        data[i] = char((i * 13 + i / 509) & 0xFF);
    return data;
}
