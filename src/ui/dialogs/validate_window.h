#pragma once
// frmValidate: the validation window, opened by "Validate Score" (a new window for each press).
// "Check" lists every seated player of every round so far with the partner's score beside it,
// "&Validate" only the players whose score differs from their partner's; "&Clear" empties the
// list and "Close" closes the window. The window is not modal and works alone: each press reads
// the open tournament afresh, and the list stays as it is until it is cleared, run again or the
// window is closed.
//
// Ownership: a top-level window parented to the main window (so it closes with it), deleted when
// closed. The Session must outlive it.

#include <QWidget>

class QListWidget;
class QPushButton;

namespace rh {
class Session;
}

namespace rh::ui {

class ValidateWindow : public QWidget {
    Q_OBJECT
public:
    explicit ValidateWindow(Session& session, QWidget* parent = nullptr);

    QListWidget* lstValidate;
    QPushButton* cmdCheck;
    QPushButton* cmdValidate;
    QPushButton* cmdClear;
    QPushButton* cmdClose;

public slots:
    void Check();
    void Validate();
    void Clear();

private:
    void fill(bool validateOnly);

    Session& m_session;
};

} // namespace rh::ui
