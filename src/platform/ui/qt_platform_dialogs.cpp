#include "platform/ui/qt_platform_dialogs.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

namespace bw {
namespace {

QString Text(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::optional<SaveFileChoice> RunFileDialog(QWidget* parent, const FileDialogRequest& request,
                                            QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, Text(request.title), Text(request.initialDirectory),
                       Text(request.filter));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    if (mode == QFileDialog::AcceptOpen && !request.proposedName.empty()) {
        // A name that need not exist: "(none)" confirms the directory shown.
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setLabelText(QFileDialog::Accept, QObject::tr("&Open"));
    }
    if (!request.defaultExtension.empty()) dialog.setDefaultSuffix(Text(request.defaultExtension));
    if (!request.proposedName.empty()) dialog.selectFile(Text(request.proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return SaveFileChoice{dialog.selectedFiles().first().toStdString(),
                          dialog.selectedNameFilter().toStdString()};
}

}  // namespace

std::optional<std::string> QtFileDialogs::OpenFile(const FileDialogRequest& request) {
    const std::optional<SaveFileChoice> chosen =
        RunFileDialog(parent_, request, QFileDialog::AcceptOpen);
    if (!chosen) return std::nullopt;
    return chosen->path;
}

std::optional<std::string> QtFileDialogs::SaveFile(const FileDialogRequest& request) {
    const std::optional<SaveFileChoice> chosen =
        RunFileDialog(parent_, request, QFileDialog::AcceptSave);
    if (!chosen) return std::nullopt;
    return chosen->path;
}

std::optional<SaveFileChoice> QtFileDialogs::SaveFileWithFilter(const FileDialogRequest& request) {
    return RunFileDialog(parent_, request, QFileDialog::AcceptSave);
}

std::optional<Rgb8> QtColourChooser::ChooseColour(const Rgb8& initial) {
    const QColor chosen =
        QColorDialog::getColor(QColor(initial[0], initial[1], initial[2]), parent_);
    if (!chosen.isValid()) return std::nullopt;
    return Rgb8{chosen.red(), chosen.green(), chosen.blue()};
}

int QtShellOpener::Open(const std::string& target) {
    const QString text = Text(target);
    const bool link = text.contains("://") || text.startsWith("mailto:", Qt::CaseInsensitive);
    QUrl url;
    if (link) {
        url = QUrl(text);
    } else {
        const QFileInfo file(text);
        if (!file.exists())
            return QFileInfo(file.absolutePath()).isDir() ? kShellOpenFileNotFound
                                                          : kShellOpenPathNotFound;
        url = QUrl::fromLocalFile(file.absoluteFilePath());
    }
    return QDesktopServices::openUrl(url) ? kShellOpenSuccess : kShellOpenNoAssociation;
}

}  // namespace bw
