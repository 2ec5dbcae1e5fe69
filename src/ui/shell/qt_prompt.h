#pragma once
// QtPrompt: the window's IPrompt, with Qt's message boxes and file dialogs and the program's own
// modal dialogs (frmResolve, frmAutoAdvance, frmPayout). A message without a title of its own is
// titled with the application's title, "Rankhall".

#include "core/prompt.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class QFileDialog;
class QMessageBox;

namespace rh::ui {

/// "Desc|*.ext|Desc2|*.a;*.b" to Qt's "Desc (*.ext *.EXT);;Desc2 (*.a *.A *.b *.B)": each
/// pattern is offered in both letter cases, since file names are case-sensitive here.
QString qtFileFilter(const std::string& filter);
/// The message box for a message, ready to exec.
std::unique_ptr<QMessageBox> buildMessageBox(const Message& message, QWidget* parent);
/// The file dialog for a dialogSpec, ready to exec.
std::unique_ptr<QFileDialog> buildFileDialog(const FileDialogSpec& dialogSpec, bool save,
                                             QWidget* parent);
MsgAnswer answerOf(int standardButton);

class QtPrompt : public IPrompt {
public:
    explicit QtPrompt(QWidget* parent = nullptr) : m_parent(parent) {}
    /// The window the dialogs are centred on.
    void setParentWidget(QWidget* parent) { m_parent = parent; }

    MsgAnswer show(const Message& message) override;
    std::string chooseOpenFile(const FileDialogSpec& dialogSpec) override;
    std::string chooseSaveFile(const FileDialogSpec& dialogSpec) override;
    std::string resolveConflict(const ConflictRequest& request) override;
    void roundOver(bool tournamentOver) override;
    /// Runs the payout worksheet (frmPayout) modally; on OK the request holds the accepted count
    /// and amounts, otherwise it is left as handed in.
    bool editPayouts(PayoutEditorRequest& request) override;
    /// A text question (QInputDialog) centred on the window.
    bool askText(TextRequest& request) override;

private:
    std::string chooseFile(const FileDialogSpec& dialogSpec, bool save);
    QPointer<QWidget> m_parent;
};

} // namespace rh::ui
