#include "platform/preallocate.h"

#include <QFile>

namespace platform {

bool preallocateFile(QFile &file, qint64 size)
{
    // NTFS allocates the clusters when the end of file moves (SetEndOfFile).
    if (file.size() == size)
        return true;
    const qint64 former = file.size();
    if (file.resize(size))
        return true;
    file.resize(former);
    return false;
}

} // namespace platform
