#include "framework/qt/FileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace {

QString& LastFolder()
{
    static QString folder = QDir::currentPath();
    return folder;
}

} // namespace

FileDialogChoice ChooseFile(const FileDialogRequest& request)
{
    QStringList nameFilters;
    for (const FileTypeEntry& entry : request.types)
        nameFilters << QtNameFilter(entry);

    QFileDialog dialog(nullptr, QString(), LastFolder());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (request.kind == FileDialogRequest::Kind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmReplace);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(request.kind == FileDialogRequest::Kind::OpenMany ? QFileDialog::ExistingFiles
                                                                             : QFileDialog::ExistingFile);
    }
    dialog.setNameFilters(nameFilters);
    if (request.initialType >= 1 && request.initialType <= nameFilters.size())
        dialog.selectNameFilter(nameFilters[request.initialType - 1]);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.initialName.isEmpty())
        dialog.selectFile(request.initialName);

    FileDialogChoice choice;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return choice;
    choice.accepted = true;
    for (const QString& file : dialog.selectedFiles())
        choice.paths << QFileInfo(file).absoluteFilePath();
    choice.path = choice.paths.constFirst();
    choice.selectedType = static_cast<int>(nameFilters.indexOf(dialog.selectedNameFilter())) + 1;
    LastFolder() = QFileInfo(choice.path).absolutePath();
    return choice;
}
