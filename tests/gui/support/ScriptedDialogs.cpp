#include "ScriptedDialogs.h"

IUiDialogs::Answer CScriptedDialogs::messageBox(const QString& text, const QString& title, Icon icon,
                                                Buttons buttons)
{
    messages.push_back({text, title, icon, buttons});
    if (answers.empty())
        return buttons == Buttons::Ok || buttons == Buttons::OkCancel ? Answer::Ok : Answer::Cancel;
    const Answer a = answers.front();
    answers.pop_front();
    return a;
}

QStringList CScriptedDialogs::messageTexts() const
{
    QStringList texts;
    for (const RecordedMessage& m : messages)
        texts << m.text;
    return texts;
}

QString CScriptedDialogs::openFileName(const QString& title, const QList<FileFilter>& filters, int selectedFilter,
                                       const QString& /*directory*/)
{
    fileDialogs.push_back({title, filters, selectedFilter, false});
    if (files.empty())
        return QString();
    const QString f = files.front();
    files.pop_front();
    return f;
}

QString CScriptedDialogs::saveFileName(const QString& title, const QList<FileFilter>& filters, int selectedFilter,
                                       const QString& /*directory*/, const QString& /*defaultSuffix*/,
                                       int* chosenFilter)
{
    fileDialogs.push_back({title, filters, selectedFilter, true});
    if (chosenFilter) {
        *chosenFilter = selectedFilter;
        if (!filterChoices.empty()) {
            *chosenFilter = filterChoices.front();
            filterChoices.pop_front();
        }
    }
    if (files.empty())
        return QString();
    const QString f = files.front();
    files.pop_front();
    return f;
}

std::optional<QColor> CScriptedDialogs::chooseColour(const QColor& /*initial*/)
{
    if (colours.empty())
        return std::nullopt;
    const QColor c = colours.front();
    colours.pop_front();
    return c;
}

int CScriptedDialogs::execDialog(QDialog& dialog)
{
    dialogTitles << dialog.windowTitle();
    if (dialogActions.empty())
        return QDialog::Rejected;
    auto action = dialogActions.front();
    dialogActions.pop_front();
    return action(dialog);
}
