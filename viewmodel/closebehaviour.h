#pragma once

class DialogPresenter;

// What the main window's close button does: the player is asked once, the
// answer is kept, and the settings can change it later. True when the
// launcher goes to the tray instead of quitting.
bool closeKeepsLauncherInTray(DialogPresenter &dialogs);
