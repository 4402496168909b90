#include "HelpDirectory.h"

#include "HelpContents.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QStringList HelpDirectoryCandidates(const QString& programDirectory)
{
    const QDir dir(programDirectory);
    return {QDir::cleanPath(dir.filePath(QStringLiteral("help"))),
            QDir::cleanPath(dir.filePath(QStringLiteral("../share/resoni/help")))};
}

QString HelpDirectoryBeside(const QString& programDirectory)
{
    for (const QString& candidate : HelpDirectoryCandidates(programDirectory))
        if (QFileInfo(QDir(candidate).filePath(CHelpContents::kContentsFile)).isFile())
            return candidate;
    return QString();
}

QString HelpDirectory()
{
    return HelpDirectoryBeside(QCoreApplication::applicationDirPath());
}
