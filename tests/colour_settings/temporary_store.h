// Points the per-user settings store at a fresh temporary folder for the life of the object,
// so that tests never touch the user's own settings and each test starts from an empty store.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QString>
#include <QTemporaryDir>

namespace orvik::test {

class TemporaryStore {
  public:
    TemporaryStore() { UseFolder(folder.path()); }

    // Moves the store to another folder (which may be unusable on purpose).
    static void UseFolder(const QString& path) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, path);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, path);
    }

    QString Folder() const { return folder.path(); }
    QString FilePath() const { return folder.path() + QStringLiteral("/Telmora/Kestrune.conf"); }

    // Replaces the settings file with these bytes.
    void WriteFile(const QByteArray& bytes) const {
        QDir().mkpath(folder.path() + QStringLiteral("/Telmora"));
        QFile file(FilePath());
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            file.write(bytes);
        }
    }

    // The settings file's bytes, empty when there is none.
    QByteArray FileBytes() const {
        QFile file(FilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

  private:
    QTemporaryDir folder;
};

}  // namespace orvik::test
