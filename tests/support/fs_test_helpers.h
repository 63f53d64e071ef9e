#pragma once

#include <QFile>
#include <QString>
#include <QtGlobal>

#include <ftw.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

// Removes Folder and everything below it by the bytes of the names: Qt's own removal skips
// names that are not valid UTF-8 and leaves such a tree behind. Links are not followed.
inline bool RemoveTree(const QString& Folder) {
    const auto removeOne = [](const char* Path, const struct stat*, int, FTW*) {
        return ::remove(Path);
    };
    return ::nftw(QFile::encodeName(Folder).constData(), removeOne, 16, FTW_DEPTH | FTW_PHYS) == 0;
}

// For the length of its life, file-system permission checks apply as to an ordinary user:
// a test running as root would otherwise read and delete everything. Active() is false
// when the checks cannot be made to apply.
class AsOrdinaryUser {
  public:
    AsOrdinaryUser() {
        if (geteuid() != 0)
            m_active = true;
        else
            m_active = m_switched = seteuid(NobodyId) == 0;
    }
    ~AsOrdinaryUser() {
        if (m_switched && seteuid(0) != 0)
            qFatal("could not return to the test's own user");
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;
    bool Active() const { return m_active; }

    static constexpr uid_t NobodyId = 65534;

    // Lets an ordinary user reach the files below Folder (a test's temporary folder).
    static bool OpenToOthers(const QString& Folder) {
        return ::chmod(QFile::encodeName(Folder).constData(), 0755) == 0;
    }

  private:
    bool m_active = false;
    bool m_switched = false;
};
