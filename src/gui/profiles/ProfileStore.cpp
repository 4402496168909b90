#include "ProfileStore.h"

#include "gui/app/ResoniApp.h"

#include "core/audio/DemoSound.h"
#include "core/profiles/IniFile.h"
#include "core/profiles/RecentFileList.h"
#include "core/profiles/ProfileFiles.h"
#include "core/profiles/ProfileSettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString ShippedProfileDirectory()
{
    // Beside the program in the build tree; <prefix>/share/resoni/Profile beside <prefix>/bin
    // when installed (wherever the prefix is); else wherever the data directories hold it.
    const QString programDir = QCoreApplication::applicationDirPath();
    for (const QString& candidate : {programDir + QStringLiteral("/Profile"),
                                     QDir::cleanPath(programDir + QStringLiteral("/../share/resoni/Profile"))})
        if (QFileInfo(candidate).isDir())
            return candidate;
    const QString installed =
        QStandardPaths::locate(QStandardPaths::GenericDataLocation, QStringLiteral("resoni/Profile"),
                               QStandardPaths::LocateDirectory);
    return installed.isEmpty() ? programDir + QStringLiteral("/Profile") : installed;
}

QString UserProfileDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/resoni/Profile");
}

CProfileStore::CProfileStore(CResoniApp& app)
    : m_app(app), m_strUserDir(UserProfileDirectory()), m_strShippedDir(ShippedProfileDirectory())
{
}

void CProfileStore::setDirectories(const QString& userDir, const QString& shippedDir)
{
    m_strUserDir = userDir;
    m_strShippedDir = shippedDir;
}

QString CProfileStore::pathForReading(int kind, const QString& userFile) const
{
    const QString name = QString::fromStdString(ProfileFileName(kind, userFile.toStdString()));
    const QString user = m_strUserDir + QLatin1Char('/') + name;
    if (kind == kProfileUser || QFileInfo(user).isFile())
        return user;
    return m_strShippedDir + QLatin1Char('/') + name;
}

QStringList CProfileStore::userProfileNames() const
{
    QStringList names;
    for (const std::string& n : ListUserProfileNames(m_strUserDir.toStdString()))
        names << QString::fromStdString(n);
    return names;
}

QString CProfileStore::demoSoundPath() const
{
    return m_strShippedDir + QLatin1Char('/') + QString::fromUtf8(DemoSound::kFileName);
}

QString CProfileStore::recentFilesPath() const
{
    return m_strUserDir + QLatin1Char('/') + QString::fromUtf8(RecentFileList::kFileName);
}

QString CProfileStore::lastUsedPath() const
{
    return m_strUserDir + QLatin1Char('/') +
           QString::fromStdString(ProfileFileName(kProfileLastUsed, std::string()));
}

bool CProfileStore::LoadProfile()
{
    const QString path = pathForReading(m_app.m_nProfileKind, m_app.m_strProfileFile);
    if (!QFileInfo(path).isFile()) {
        m_app.dialogs().messageBox(QString::fromStdString(MissingProfileMessage(path.toStdString())), QString(),
                                   IUiDialogs::Icon::Critical);
        return false;
    }
    CIniFile ini(path.toStdString(), std::string(), false);
    m_app.ExchangeProfile(ini, true);
    return true;
}

bool CProfileStore::WriteProfile(const QString& path)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    CIniFile ini(path.toStdString(), std::string(), false);
    m_app.ExchangeProfile(ini, false);
    return QFileInfo(path).isFile();
}
