// Answers the program's dialogs in tests: records every message box and file dialog with its
// exact texts, and answers from a queue (or with defaults: Ok / Cancel / no file).
#pragma once

#include "gui/app/UiDialogs.h"

#include <QDialog>
#include <QStringList>

#include <deque>
#include <functional>

struct RecordedMessage
{
    QString text;
    QString title;
    IUiDialogs::Icon icon;
    IUiDialogs::Buttons buttons;
};

struct RecordedFileDialog
{
    QString title;
    QList<FileFilter> filters;
    int selectedFilter;
    bool save;
};

class CScriptedDialogs : public IUiDialogs
{
public:
    Answer messageBox(const QString& text, const QString& title, Icon icon, Buttons buttons) override;
    QString openFileName(const QString& title, const QList<FileFilter>& filters, int selectedFilter,
                         const QString& directory) override;
    QString saveFileName(const QString& title, const QList<FileFilter>& filters, int selectedFilter,
                         const QString& directory, const QString& defaultSuffix, int* chosenFilter) override;
    std::optional<QColor> chooseColour(const QColor& initial) override;
    int execDialog(QDialog& dialog) override;

    std::vector<RecordedMessage> messages;
    QStringList messageTexts() const; // the texts of `messages`, in order
    std::vector<RecordedFileDialog> fileDialogs;
    QStringList dialogTitles; // window titles of the modal dialogs run

    std::deque<Answer> answers;  // next message-box answers
    std::deque<QString> files;   // next file-dialog results ("" = cancelled)
    std::deque<int> filterChoices; // filters the user leaves selected in the next save dialogs
    std::deque<QColor> colours;  // next colour-dialog results (none left = cancelled)
    // Acts on the next modal dialog (sets its controls) and returns Accepted or Rejected.
    std::deque<std::function<int(QDialog&)>> dialogActions;
};
