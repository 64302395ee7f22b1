#include "platform/qt/filedialog_qt.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

#include "platform/qt/qttext.h"

namespace platform
{

QString ToQtNameFilter(const std::string& filter)
{
    QStringList entries;
    for (const auto& e : ParseFileFilter(filter)) {
        QStringList patterns;
        for (const auto& p : e.Patterns)
            patterns << ToQString(p);
        QString description = ToQString(e.Description);
        // "*.qy7|*.qy7" would read "*.qy7 (*.qy7)"; the pattern alone says it.
        if (e.Patterns.size() == 1 && e.Description == e.Patterns.front())
            entries << description;
        else
            entries << description + " (" + patterns.join(' ') + ")";
    }
    return entries.join(";;");
}

std::optional<std::string> FileDialogsImplQt::Run(const FileDialogRequest& request)
{
    QFileDialog dialog(QApplication::activeWindow(), ToQString(request.Caption));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (request.Kind == FileDialogKind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    QString filter = ToQtNameFilter(request.Filter);
    if (!filter.isEmpty()) dialog.setNameFilter(filter);
    // The start directory and name and the chosen file are names as the file
    // system has them: they pass the toolkit's file-name conversion only.
    const QString initialDir = FileNameToQString(request.InitialDir);
    if (!initialDir.isEmpty() && QDir(initialDir).exists()) dialog.setDirectory(initialDir);
    const QString suggested = FileNameToQString(request.InitialName);
    if (!request.InitialName.empty()) dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty()) return std::nullopt;
    // The suggestion's bytes that are no UTF-8 show as replacement
    // characters, which no conversion gives back: the suggestion chosen as
    // shown is the suggested name.
    const QString name = QFileInfo(chosen.front()).fileName();
    if (!request.InitialName.empty() && name == suggested)
        return FileNameFromQString(QDir::toNativeSeparators(chosen.front().chopped(name.size()))) +
               request.InitialName;
    return FileNameFromQString(QDir::toNativeSeparators(chosen.front()));
}

} // namespace platform
