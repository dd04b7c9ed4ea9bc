#pragma once

#include "viewmodel/presscounter.h"

#include <QElapsedTimer>

#include <functional>

class DialogPresenter;
class UpdateVersionInfo;

// The hidden spot in the window's corner: ten quick presses open the app
// information for support.
class AppInfoSpot
{
public:
    AppInfoSpot(DialogPresenter &dialogs, const UpdateVersionInfo &info);

    // For tests: the steady clock the presses are counted by.
    void setClock(std::function<qint64()> clockMs) { m_clockMs = std::move(clockMs); }
    void press();

private:
    DialogPresenter &m_dialogs;
    const UpdateVersionInfo &m_info;
    PressCounter m_presses;
    QElapsedTimer m_steady;
    std::function<qint64()> m_clockMs;
};
