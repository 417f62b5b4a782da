#include "QtPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

int QtPromptHandler::show(const QString& text, const QString& caption, int flags)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(caption);
    box.setText(text);
    switch (flags & MsgFlags::IconMask) {
    case MsgFlags::IconError:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgFlags::IconQuestion:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgFlags::IconWarning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgFlags::IconInformation:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
    }
    switch (flags & MsgFlags::ButtonMask) {
    case MsgFlags::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MsgFlags::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return IdOk;
    case QMessageBox::Yes:
        return IdYes;
    case QMessageBox::No:
        return IdNo;
    case QMessageBox::Cancel:
        return IdCancel;
    default:
        // Closed by the title bar or Esc.
        return (flags & MsgFlags::ButtonMask) == MsgFlags::YesNo ? IdNo
               : (flags & MsgFlags::ButtonMask) == MsgFlags::Ok  ? IdOk
                                                                  : IdCancel;
    }
}

QString QtFileDialogs::ask(QWidget* parent, const Request& request)
{
    QFileDialog dialog(parent, request.title);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    switch (request.kind) {
    case Request::OpenFile:
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        break;
    case Request::SaveFile:
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        break;
    case Request::ChooseFolder:
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
        break;
    }
    if (!request.filter.isEmpty())
        dialog.setNameFilter(request.filter);
    if (!request.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.proposedPath.isEmpty()) {
        if (request.kind == Request::ChooseFolder)
            dialog.setDirectory(request.proposedPath);
        else
            dialog.selectFile(request.proposedPath);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}
