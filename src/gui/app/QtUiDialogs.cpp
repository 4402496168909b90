#include "QtUiDialogs.h"

#include "core/audio/FileFilter.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

QWidget* CQtUiDialogs::parent() const
{
    if (m_parentProvider)
        return m_parentProvider();
    return QApplication::activeWindow();
}

IUiDialogs::Answer CQtUiDialogs::messageBox(const QString& text, const QString& title, Icon icon,
                                            Buttons buttons)
{
    QMessageBox box(parent());
    box.setWindowTitle(title.isEmpty() ? QStringLiteral("Resoni") : title);
    box.setText(text);
    switch (icon) {
    case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
    case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case Buttons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Ok: return Answer::Ok;
    default: return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel; // closed with Esc or the title bar
    }
}

QList<FileFilter> FileFiltersFromList(const char* list)
{
    QList<FileFilter> filters;
    for (const FileFilterEntry& e : SplitFileFilter(list)) {
        const QString pattern = QString::fromStdString(e.strPattern);
        filters.append({QString::fromStdString(e.strDescription),
                        pattern == QStringLiteral("*.*") ? QStringLiteral("*") : pattern});
    }
    return filters;
}

QString CQtUiDialogs::filterString(const QList<FileFilter>& filters)
{
    QStringList parts;
    for (const FileFilter& f : filters)
        parts << QStringLiteral("%1 (%2)").arg(f.text, f.patterns);
    return parts.join(QStringLiteral(";;"));
}

namespace {

QString selectedFilterText(const QList<FileFilter>& filters, int index)
{
    if (index < 0 || index >= filters.size())
        return QString();
    return QStringLiteral("%1 (%2)").arg(filters[index].text, filters[index].patterns);
}

} // namespace

QString CQtUiDialogs::openFileName(const QString& title, const QList<FileFilter>& filters, int selectedFilter,
                                   const QString& directory)
{
    QString selected = selectedFilterText(filters, selectedFilter);
    return QFileDialog::getOpenFileName(parent(), title, directory, filterString(filters), &selected);
}

QString CQtUiDialogs::saveFileName(const QString& title, const QList<FileFilter>& filters, int selectedFilter,
                                   const QString& directory, const QString& defaultSuffix, int* chosenFilter)
{
    QFileDialog dialog(parent(), title, directory, filterString(filters));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    const QString selected = selectedFilterText(filters, selectedFilter);
    if (!selected.isEmpty())
        dialog.selectNameFilter(selected);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    if (chosenFilter) {
        *chosenFilter = selectedFilter;
        for (int i = 0; i < filters.size(); ++i)
            if (selectedFilterText(filters, i) == dialog.selectedNameFilter())
                *chosenFilter = i;
    }
    return dialog.selectedFiles().constFirst();
}

std::optional<QColor> CQtUiDialogs::chooseColour(const QColor& initial)
{
    const QColor c = QColorDialog::getColor(initial, parent());
    if (!c.isValid())
        return std::nullopt;
    return c;
}

int CQtUiDialogs::execDialog(QDialog& dialog)
{
    return dialog.exec();
}
