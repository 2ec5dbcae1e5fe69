#include "ui/dialogs/validate_window.h"

#include "services/score_entry.h"
#include "services/session.h"
#include "state/validate.h"
#include "ui/shell/widgets.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace rh::ui {

ValidateWindow::ValidateWindow(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window), m_session(session) {
    setObjectName(QStringLiteral("frmValidate"));
    setWindowTitle(QStringLiteral("Validate"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::NonModal);

    lstValidate = new QListWidget(this);
    lstValidate->setObjectName(QStringLiteral("lstValidate"));
    // Every seated player of every round can make a long list: rows of one height scroll fast.
    lstValidate->setUniformItemSizes(true);
    cmdCheck = makeButton(this, "cmdCheck", "Check");
    cmdValidate = makeButton(this, "cmdValidate", "&Validate");
    cmdClear = makeButton(this, "cmdClear", "&Clear");
    cmdClose = makeButton(this, "cmdClose", "Close");
    connect(cmdCheck, &QPushButton::clicked, this, &ValidateWindow::Check);
    connect(cmdValidate, &QPushButton::clicked, this, &ValidateWindow::Validate);
    connect(cmdClear, &QPushButton::clicked, this, &ValidateWindow::Clear);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdCheck, cmdValidate, cmdClear})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto* l = new QVBoxLayout(this);
    l->addWidget(lstValidate, 1);
    l->addLayout(buttons);
    resize(620, 460);
}

void ValidateWindow::Check() {
    fill(false);
}

void ValidateWindow::Validate() {
    fill(true);
}

void ValidateWindow::Clear() {
    lstValidate->clear();
}

void ValidateWindow::fill(bool validateOnly) {
    lstValidate->clear();
    runTrapped(m_session, validateOnly ? "Validate" : "Check", [&] {
        const std::vector<std::string> lines = ValidateList(
            m_session.state(), validateOnly ? ValidateMode::Validate : ValidateMode::Check);
        QStringList items;
        items.reserve(static_cast<qsizetype>(lines.size()));
        for (const std::string& line : lines)
            items << qs(line);
        lstValidate->addItems(items);
    });
}

} // namespace rh::ui
