// Every message box, question, file, colour and modal dialog of the program goes through
// this interface, so that tests can read the exact texts and answer in place of a user.
#pragma once

#include <QColor>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

class QDialog;

// One filter of a file dialog: shown text and its patterns, e.g. {"Wave Files (*.wav)", "*.wav"}.
struct FileFilter
{
    QString text;
    QString patterns; // space separated, e.g. "*.dat *.txt"
};

// The filters of a "Description|pattern|Description|pattern|" list. "*.*" becomes "*", so that
// "Alle Dateien" also shows files without a dot in their name.
QList<FileFilter> FileFiltersFromList(const char* list);

class IUiDialogs
{
public:
    enum class Icon { None, Information, Warning, Critical, Question };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    // What the user answered; Ok for a plain message.
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~IUiDialogs() = default;

    // A message box; title "Resoni" unless one is given.
    virtual Answer messageBox(const QString& text, const QString& title = QString(), Icon icon = Icon::Warning,
                              Buttons buttons = Buttons::Ok) = 0;

    // File dialogs; an empty result means cancelled. selectedFilter is an index into filters;
    // chosenFilter, when given, receives the index of the filter the user left selected.
    virtual QString openFileName(const QString& title, const QList<FileFilter>& filters, int selectedFilter,
                                 const QString& directory) = 0;
    virtual QString saveFileName(const QString& title, const QList<FileFilter>& filters, int selectedFilter,
                                 const QString& directory, const QString& defaultSuffix,
                                 int* chosenFilter = nullptr) = 0;

    virtual std::optional<QColor> chooseColour(const QColor& initial) = 0;

    // Runs a modal dialog of the program (built by the caller) and returns QDialog::Accepted or Rejected.
    virtual int execDialog(QDialog& dialog) = 0;
};
