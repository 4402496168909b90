// The real dialogs: Qt message boxes, file and colour dialogs, modal exec.
#pragma once

#include "UiDialogs.h"

class QWidget;

class CQtUiDialogs : public IUiDialogs
{
public:
    explicit CQtUiDialogs(QWidget* (*parentProvider)() = nullptr) : m_parentProvider(parentProvider) {}

    Answer messageBox(const QString& text, const QString& title, Icon icon, Buttons buttons) override;
    QString openFileName(const QString& title, const QList<FileFilter>& filters, int selectedFilter,
                         const QString& directory) override;
    QString saveFileName(const QString& title, const QList<FileFilter>& filters, int selectedFilter,
                         const QString& directory, const QString& defaultSuffix,
                         int* chosenFilter = nullptr) override;
    std::optional<QColor> chooseColour(const QColor& initial) override;
    int execDialog(QDialog& dialog) override;

    // "A (*.a);;B (*.b)" as Qt's file dialogs want it.
    static QString filterString(const QList<FileFilter>& filters);

private:
    QWidget* parent() const;
    QWidget* (*m_parentProvider)();
};
