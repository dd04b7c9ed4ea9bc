#pragma once

#include <QByteArray>
#include <QTranslator>

// The launcher's own translations, from the "language" folder beside the
// launcher. The file is read whole into memory: it is one of the program
// files the update moves away.
class UpdaterTranslator : public QTranslator
{
public:
    // The translation file of a launcher language code ("de-de" gives
    // "i18n_de.qm"); English for a code the launcher does not have.
    static QString fileForLanguage(const QString &code);

    bool loadFrom(const QString &launcherFolder, const QString &code);

private:
    QByteArray m_data;
};
