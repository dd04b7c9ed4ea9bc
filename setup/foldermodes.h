#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <cstdint>

// The folders an extraction writes into. They stay open to their owner while
// items are written and get the mode the package stores for them only after
// the last item, as 7-Zip does: a read-only folder in a package, or one left
// read-only by the last install, never stops its own files. The root, the
// install folder, is never changed.
class FolderModes
{
public:
    FolderModes(const QString &root, std::uint32_t forbiddenModeBits);

    // Makes the folder, a cleaned "/"-separated path below the root, and the
    // missing ones above it, opening each existing one to its owner.
    void prepare(const QString &relative);
    // Removes the folders the last prepare made, for an item that was then
    // refused: nothing of it stays behind.
    void undoLastPrepare();
    // Keeps the attributes of a folder item for finish().
    void store(const QString &relative, std::uint32_t attributes);
    // Puts back what prepare opened and applies what store kept.
    void finish();

private:
    struct Folder
    {
        bool prepared = false;
        bool opened = false;
        std::uint32_t previous = 0;
        bool stored = false;
        std::uint32_t attributes = 0;
    };

    QString m_root; // ends with a separator
    std::uint32_t m_forbiddenModeBits;
    // Sorted, so a folder comes after everything below it when walked backwards.
    QMap<QString, Folder> m_folders;
    QStringList m_lastMade; // parents first
};
