#include "setup/foldermodes.h"

#include "setup/filehelpers.h"

#include <QDir>

namespace {

bool isRoot(const QString &relative)
{
    return relative.isEmpty() || relative == QLatin1String(".");
}

} // namespace

FolderModes::FolderModes(const QString &root, std::uint32_t forbiddenModeBits)
    : m_root(root)
    , m_forbiddenModeBits(forbiddenModeBits)
{
}

void FolderModes::prepare(const QString &relative)
{
    m_lastMade.clear();
    if (isRoot(relative))
        return;
    // Its parents were prepared with it.
    const auto known = m_folders.constFind(relative);
    if (known != m_folders.constEnd() && known->prepared)
        return;
    int end = -1;
    do {
        end = relative.indexOf(QLatin1Char('/'), end + 1);
        const QString folder = end < 0 ? relative : relative.left(end);
        Folder &entry = m_folders[folder];
        if (entry.prepared)
            continue;
        entry.prepared = true;
        const QString path = m_root + folder;
        // A folder that cannot be made shows when its first file cannot be created.
        if (!filehelpers::lookUp(path)) {
            if (filehelpers::createFolderWithParents(path))
                m_lastMade << folder;
        } else
            entry.opened = filehelpers::openFolderToOwner(path, entry.previous);
    } while (end >= 0);
}

void FolderModes::undoLastPrepare()
{
    for (auto it = m_lastMade.crbegin(); it != m_lastMade.crend(); ++it) {
        QDir().rmdir(m_root + *it);
        m_folders.remove(*it);
    }
    m_lastMade.clear();
}

void FolderModes::store(const QString &relative, std::uint32_t attributes)
{
    if (isRoot(relative))
        return;
    Folder &entry = m_folders[relative];
    entry.stored = true;
    entry.attributes = attributes;
}

void FolderModes::finish()
{
    // Deepest first: a parent made unreadable would hide the folders below it.
    for (auto it = m_folders.end(); it != m_folders.begin();) {
        --it;
        const QString path = m_root + it.key();
        if (it->opened)
            filehelpers::restoreFolderAccess(path, it->previous);
        if (it->stored)
            filehelpers::setAttributes(path, it->attributes, m_forbiddenModeBits);
    }
    m_folders.clear();
}
