#pragma once

#include <QString>

// Names inside a game package that its setup treats apart.
namespace gamepackagenames {

// The package's list of files to remove once it is unpacked.
inline const QString kDeleteList = QStringLiteral("deletefiles.txt");
// The game's metadata file, and the copy that takes its place when a package
// brings it empty.
inline const QString kMetadataPrimary
    = QStringLiteral("Quorvela_Data/Managed/Metadata/global-metadata.dat");
inline const QString kMetadataFallback
    = QStringLiteral("Quorvela_Data/Native/Data/Metadata/global-metadata.dat");

} // namespace gamepackagenames
