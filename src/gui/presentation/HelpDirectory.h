// Where the help pages lie: "help" beside the program (the build tree, where the build copies
// them), or "share/resoni/help" of an installation beside its "bin".
#pragma once

#include <QString>
#include <QStringList>

// The two folders searched for a program in programDirectory, in this order:
// <programDirectory>/help, then <programDirectory>/../share/resoni/help.
QStringList HelpDirectoryCandidates(const QString& programDirectory);

// The first candidate that holds the help's contents file, or an empty string.
QString HelpDirectoryBeside(const QString& programDirectory);

// HelpDirectoryBeside for the running program.
QString HelpDirectory();
