// The program's command line: an optional profile name and an optional file to open, in any
// order ("resoni Chor klang.wav", "resoni klang.wav"). An argument that names an existing file,
// or looks like a path to an audio file, is the file; the first other one is the profile name.
#pragma once

#include <QString>
#include <QStringList>

struct StartArguments
{
    QString profileName;
    QString file; // absolute; may be missing when it only looked like a path
};

// args: the whole command line, the program first.
StartArguments ParseStartArguments(const QStringList& args);
