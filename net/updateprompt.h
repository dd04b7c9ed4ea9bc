#pragma once

#include <QString>

// The questions the launcher's self-update asks the player. The decision
// lives in the core library; whoever owns a window answers through this.
class UpdatePrompt
{
public:
    // A yes/no question; true when confirmed. confirmText names the confirm
    // button.
    virtual bool ask(const QString &title, const QString &text, const QString &confirmText) = 0;
    // A notice with a single button.
    virtual void tell(const QString &title, const QString &text) = 0;

protected:
    ~UpdatePrompt() = default;
};
