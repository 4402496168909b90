#include "StartArguments.h"

#include <QFileInfo>

namespace {

bool looksLikeAudioPath(const QString& arg)
{
    static const QStringList kSuffixes = {
        QStringLiteral("wav"), QStringLiteral("wave"), QStringLiteral("flac"), QStringLiteral("ogg"),
        QStringLiteral("oga"), QStringLiteral("aif"),  QStringLiteral("aiff"), QStringLiteral("au")};
    return arg.contains(QLatin1Char('/')) || kSuffixes.contains(QFileInfo(arg).suffix().toLower());
}

} // namespace

StartArguments ParseStartArguments(const QStringList& args)
{
    StartArguments start;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg.isEmpty())
            continue;
        if (start.file.isEmpty() && (QFileInfo(arg).isFile() || looksLikeAudioPath(arg)))
            start.file = QFileInfo(arg).absoluteFilePath();
        else if (start.profileName.isEmpty())
            start.profileName = arg;
    }
    return start;
}
