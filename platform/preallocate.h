#pragma once

#include <QtGlobal>

class QFile;

namespace platform {

// Makes file exactly size bytes long with its blocks really reserved, so a
// disk that is too small fails now rather than in the middle of a download.
// A file of that size already is left as it is; bytes below size are never
// changed. On failure the file keeps its former length.
bool preallocateFile(QFile &file, qint64 size);

} // namespace platform
