#include "setup/foldermodes.h"

#include "setup/filehelpers.h"

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
        if (!filehelpers::lookUp(path))
            filehelpers::createFolderWithParents(path);
        else
            entry.opened = filehelpers::openFolderToOwner(path, entry.previous);
    } while (end >= 0);
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
