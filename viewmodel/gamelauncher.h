#pragma once

#include <QString>

#include <functional>

class DialogPresenter;
class QObject;
class UpdateVersionInfo;

// Starts the installed game and tells whether it runs.
class GameLauncher
{
public:
    explicit GameLauncher(const UpdateVersionInfo &info);

    // The manifest's executable name, or the game's usual one.
    QString exeName() const;
    // The executable in folder, or in the configured install folder.
    QString exePath(const QString &folder) const;
    // Whether the game installed in the configured folder runs.
    bool isRunning() const;
    // False when the program could not be started.
    bool start() const;
    // Sets the owner's exec bit on the executable in folder.
    void makeExecutable(const QString &folder) const;
    // Asks the player to end the running game: on yes it is ended and retry
    // runs once it had waitMs to go (on context's thread, unless context is
    // gone); on no, declined runs.
    void askToEnd(DialogPresenter &dialogs, QObject *context, int waitMs,
        std::function<void()> retry, std::function<void()> declined) const;

private:
    const UpdateVersionInfo &m_info;
};
