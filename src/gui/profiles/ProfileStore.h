// Where the profile files are and how the program's settings go into and out of them.
// Shipped profiles are read-only beside the program; own profiles and the last-used one are
// written to the user's configuration directory, which is searched first when loading.
#pragma once

#include <QString>
#include <QStringList>

class CResoniApp;

// The "Profile" folder shipped with the program: beside the executable in the build tree,
// <prefix>/share/resoni/Profile when installed.
QString ShippedProfileDirectory();
// $XDG_CONFIG_HOME/resoni/Profile: own profiles and the last-used one.
QString UserProfileDirectory();

class CProfileStore
{
public:
    explicit CProfileStore(CResoniApp& app);

    // $XDG_CONFIG_HOME/resoni/Profile (created when a profile is written).
    QString userDirectory() const { return m_strUserDir; }
    // The "Profile" folder shipped with the program.
    QString shippedDirectory() const { return m_strShippedDir; }
    void setDirectories(const QString& userDir, const QString& shippedDir);

    // The file a kind is read from: the user's copy if there is one, else the shipped one;
    // for a missing file the path it was expected at (the user directory for own profiles).
    QString pathForReading(int kind, const QString& userFile) const;
    // The own profiles, in directory order, as the welcome dialog lists them.
    QStringList userProfileNames() const;

    // Reads the profile of the application's current kind into its settings. A missing file
    // shows the missing-profile message and returns false.
    bool LoadProfile();
    // Writes the application's settings to the file; false when it cannot be written.
    bool WriteProfile(const QString& path);
    // The demo sound of the first start, shipped beside the profiles.
    QString demoSoundPath() const;
    // The list of the files opened last, in the user directory.
    QString recentFilesPath() const;
    // The last-used profile in the user directory.
    QString lastUsedPath() const;

private:
    CResoniApp& m_app;
    QString m_strUserDir;
    QString m_strShippedDir;
};
