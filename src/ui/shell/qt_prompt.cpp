#include "ui/shell/qt_prompt.h"

#include "core/text.h"
#include "ui/dialogs/dialogs.h"
#include "ui/money/payout_editor.h"
#include "ui/shell/widgets.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace rh::ui {

QString qtFileFilter(const std::string& filter) {
    const std::vector<std::string> parts = splitFields(filter, '|');
    QStringList out;
    for (std::size_t i = 0; i < parts.size(); i += 2) {
        const QString desc = qs(trim(parts[i]));
        QStringList patterns;
        if (i + 1 < parts.size()) {
            for (const std::string& p : splitFields(parts[i + 1], ';')) {
                const QString pattern = qs(trim(p));
                if (pattern.isEmpty())
                    continue;
                for (const QString& v : {pattern, pattern.toUpper(), pattern.toLower()})
                    if (!patterns.contains(v))
                        patterns << v;
            }
        }
        if (patterns.isEmpty())
            patterns << QStringLiteral("*");
        out << (desc.isEmpty() ? QString() : desc + QLatin1Char(' ')) + QLatin1Char('(') +
                   patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return out.join(QStringLiteral(";;"));
}

std::unique_ptr<QMessageBox> buildMessageBox(const Message& message, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(qs(message.title.empty() ? std::string(kAppTitle) : message.title));
    QString text = qs(message.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box->setTextFormat(Qt::PlainText);
    box->setText(text);
    switch (message.icon) {
    case MsgIcon::Critical:
        box->setIcon(QMessageBox::Critical);
        break;
    case MsgIcon::Exclamation:
        box->setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Information:
        box->setIcon(QMessageBox::Information);
        break;
    case MsgIcon::None:
        box->setIcon(QMessageBox::NoIcon);
        break;
    }
    switch (message.buttons) {
    case MsgButtons::Ok:
        box->setStandardButtons(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
        break;
    case MsgButtons::OkCancel:
        box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box->setDefaultButton(QMessageBox::Cancel); // the safe answer
        box->setEscapeButton(QMessageBox::Cancel);
        break;
    case MsgButtons::SaveDiscardCancel:
        box->setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
        box->setDefaultButton(QMessageBox::Cancel); // the safe answer
        box->setEscapeButton(QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::No);
        break;
    }
    return box;
}

MsgAnswer answerOf(int standardButton) {
    switch (standardButton) {
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Save:
        return MsgAnswer::Save;
    case QMessageBox::Discard:
        return MsgAnswer::Discard;
    default:
        return MsgAnswer::Ok;
    }
}

std::unique_ptr<QFileDialog> buildFileDialog(const FileDialogSpec& dialogSpec, bool save,
                                             QWidget* parent) {
    auto dialog = std::make_unique<QFileDialog>(parent);
    dialog->setObjectName(save ? QStringLiteral("dlgSave") : QStringLiteral("dlgOpen"));
    if (!dialogSpec.title.empty())
        dialog->setWindowTitle(qs(dialogSpec.title));
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!dialogSpec.filter.empty())
        dialog->setNameFilter(qtFileFilter(dialogSpec.filter));
    if (!dialogSpec.defaultExtension.empty())
        dialog->setDefaultSuffix(qs(dialogSpec.defaultExtension));
    dialog->setOption(QFileDialog::DontConfirmOverwrite, !dialogSpec.confirmOverwrite);
    if (!dialogSpec.initialPath.empty())
        dialog->selectFile(qs(dialogSpec.initialPath));
    return dialog;
}

MsgAnswer QtPrompt::show(const Message& message) {
    auto box = buildMessageBox(message, m_parent);
    const int pressed = box->exec();
    if (message.buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    // Closing the box counts as its escape answer.
    if (pressed != QMessageBox::Ok && pressed != QMessageBox::Cancel &&
        pressed != QMessageBox::Yes && pressed != QMessageBox::No && pressed != QMessageBox::Save &&
        pressed != QMessageBox::Discard)
        return message.buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
    return answerOf(pressed);
}

std::string QtPrompt::chooseFile(const FileDialogSpec& dialogSpec, bool save) {
    auto dialog = buildFileDialog(dialogSpec, save, m_parent);
    if (dialog->exec() != QDialog::Accepted)
        return {};
    const QStringList files = dialog->selectedFiles();
    return files.isEmpty() ? std::string() : ss(files.front());
}

std::string QtPrompt::chooseOpenFile(const FileDialogSpec& dialogSpec) {
    return chooseFile(dialogSpec, false);
}
std::string QtPrompt::chooseSaveFile(const FileDialogSpec& dialogSpec) {
    return chooseFile(dialogSpec, true);
}

std::string QtPrompt::resolveConflict(const ConflictRequest& request) {
    ResolveDialog dialog(request, m_parent);
    // The dialog ends only with OK after the director has chosen one of the two scores.
    dialog.exec();
    return dialog.result();
}

void QtPrompt::roundOver(bool tournamentOver) {
    AutoAdvanceDialog dialog(tournamentOver, m_parent);
    dialog.exec();
}

bool QtPrompt::editPayouts(PayoutEditorRequest& request) {
    PayoutEditor editor(request, *this, m_parent);
    // The worksheet's own messages are centred on the worksheet while it is open.
    const QPointer<QWidget> owner = m_parent;
    m_parent = &editor;
    const bool accepted = editor.exec() == QDialog::Accepted && editor.wasAccepted();
    m_parent = owner;
    request = editor.result();
    return accepted;
}

bool QtPrompt::askText(TextRequest& request) {
    QInputDialog dialog(m_parent);
    dialog.setObjectName(QStringLiteral("dlgAskText"));
    dialog.setWindowTitle(qs(request.title.empty() ? std::string(kAppTitle) : request.title));
    dialog.setLabelText(qs(request.label));
    dialog.setTextValue(qs(request.text));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    request.text = ss(dialog.textValue());
    return true;
}

} // namespace rh::ui
