#include "ui/money/payout_editor.h"

#include "core/place_words.h"
#include "core/text.h"
#include "ui/shell/widgets.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QValidator>

namespace rh::ui {

namespace {

/// Digits and one decimal point: every other character is refused as it is typed (or pasted).
class AmountValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return isAmountInput(ss(input)) ? Acceptable : Invalid;
    }
};

const char* const kBoxNames[kPayoutPlaces] = {"txtPayout0", "txtPayout1", "txtPayout2",
                                              "txtPayout3", "txtPayout4", "txtPayout5",
                                              "txtPayout6", "txtPayout7"};
const char* const kPercentNames[kPayoutPlaces] = {"lblPercent0", "lblPercent1", "lblPercent2",
                                                  "lblPercent3", "lblPercent4", "lblPercent5",
                                                  "lblPercent6", "lblPercent7"};
const char* const kPlaceNames[kPayoutPlaces] = {"lblPlace0", "lblPlace1", "lblPlace2", "lblPlace3",
                                                "lblPlace4", "lblPlace5", "lblPlace6", "lblPlace7"};

QLabel* framedValue(QWidget* parent, const char* name) {
    QLabel* label = makeValue(parent, name);
    label->setMinimumWidth(120);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMargin(3);
    return label;
}

} // namespace

PayoutEditor::PayoutEditor(const PayoutEditorRequest& request, IPrompt& prompt, QWidget* parent)
    : QDialog(parent), m_prompt(prompt), m_request(request), m_sheet(request.currency) {
    setObjectName(QStringLiteral("frmPayout"));
    setWindowTitle(QStringLiteral("Payout Worksheet"));
    setModal(true);

    frmPayouts = makeFrame(this, "frmPayouts", "Number of Payouts");
    cbPayouts = makeCombo(frmPayouts, "cbPayouts", "Choose number of payouts");
    cbPayouts->setMinimumWidth(70);
    cmdRefreshPayouts = makeButton(frmPayouts, "cmdRefreshPayouts", "Refresh", "Update Payouts");
    {
        auto* l = new QHBoxLayout(frmPayouts);
        l->addWidget(cbPayouts);
        l->addWidget(cmdRefreshPayouts);
        l->addStretch(1);
    }

    auto* places = new QGridLayout;
    places->setHorizontalSpacing(10);
    const PlaceWords words;
    for (int i = 0; i < kPayoutPlaces; ++i) {
        const std::size_t p = std::size_t(i);
        lblPlace[p] = makeLabel(this, kPlaceNames[i]);
        lblPlace[p]->setText(qs(words.Place(i + 1)) + QStringLiteral(" Place:"));
        txtPayout[p] = makeTextBox(this, kBoxNames[i], "", "Enter dollar amount");
        txtPayout[p]->setAlignment(Qt::AlignRight);
        txtPayout[p]->setValidator(new AmountValidator(txtPayout[p]));
        txtPayout[p]->installEventFilter(this);
        txtPayout[p]->setMinimumWidth(110);
        lblPlace[p]->setBuddy(txtPayout[p]);
        lblPercent[p] = makeLabel(this, kPercentNames[i], "0%");
        lblPercent[p]->setMinimumWidth(40);
        lblPercent[p]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        places->addWidget(lblPlace[p], i, 0, Qt::AlignRight);
        places->addWidget(txtPayout[p], i, 1);
        places->addWidget(lblPercent[p], i, 2);
        connect(txtPayout[p], &QLineEdit::textEdited, this, [this, i](const QString& text) {
            m_sheet.setBoxText(i, ss(text));
            renderTotals();
        });
    }
    places->setColumnStretch(3, 1);

    frmTotalPayout = makeFrame(this, "frmTotalPayout", "Total Payout");
    lblTotalPayout = framedValue(frmTotalPayout, "lblTotalPayout");
    (new QVBoxLayout(frmTotalPayout))->addWidget(lblTotalPayout);
    frmRemainingPayout = makeFrame(this, "frmRemainingPayout", "Remaining Payout");
    lblRemainingPayout = framedValue(frmRemainingPayout, "lblRemainingPayout");
    (new QVBoxLayout(frmRemainingPayout))->addWidget(lblRemainingPayout);
    auto* totals = new QHBoxLayout;
    totals->addWidget(frmTotalPayout);
    totals->addWidget(frmRemainingPayout);

    cmdClear = makeButton(this, "cmdClear", "Clear", "Clear Data");
    OKButton = makeButton(this, "OKButton", "OK");
    CancelButton = makeButton(this, "CancelButton", "Cancel", "Don't Make Changes");
    // Enter belongs to the amount boxes (it moves on), never to a default button.
    for (QPushButton* b : {cmdRefreshPayouts, cmdClear, OKButton, CancelButton}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdClear);
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSpacing(10);
    layout->addWidget(frmPayouts);
    layout->addLayout(places);
    layout->addLayout(totals);
    layout->addLayout(buttons);

    connect(cbPayouts, &QComboBox::activated, this,
            [this](int index) { chooseCount(cbPayouts->itemText(index)); });
    connect(cmdRefreshPayouts, &QPushButton::clicked, this,
            [this] { chooseCount(cbPayouts->currentText()); });
    connect(cmdClear, &QPushButton::clicked, this, &PayoutEditor::clearBoxes);
    connect(OKButton, &QPushButton::clicked, this, &PayoutEditor::tryAccept);
    connect(CancelButton, &QPushButton::clicked, this, &PayoutEditor::reject);

    // Loading: the offered counts, the count at opening selected, the handed-in amounts.
    const bool listed = m_sheet.open(request);
    for (const std::string& item : m_sheet.countItems())
        cbPayouts->addItem(qs(item));
    cbPayouts->setCurrentIndex(
        m_sheet.selectedCount() > 0 ? cbPayouts->findText(qs(fmt00(m_sheet.selectedCount()))) : -1);
    lblTotalPayout->setText(qs(m_sheet.netPayoutText()));
    if (!listed)
        ShowErrorMsg(m_prompt, "SetPayoutIndex", 380, "Invalid property value");
    renderBoxes();
    renderTotals();
}

PayoutEditorRequest PayoutEditor::result() const {
    return m_accepted ? m_sheet.result() : m_request;
}

void PayoutEditor::chooseCount(const QString& text) {
    m_sheet.chooseCount(text.trimmed().isEmpty() ? 0 : text.trimmed().toInt());
    renderBoxes();
    renderTotals();
}

void PayoutEditor::clearBoxes() {
    m_sheet.clear();
    renderBoxes();
    renderTotals();
}

void PayoutEditor::renderBox(int place) {
    const std::size_t p = std::size_t(place);
    const QString text = qs(m_sheet.boxText(place));
    if (txtPayout[p]->text() != text)
        txtPayout[p]->setText(text);
    txtPayout[p]->setEnabled(m_sheet.boxEnabled(place));
    lblPercent[p]->setText(qs(m_sheet.percentText(place)));
}

void PayoutEditor::renderBoxes() {
    for (int i = 0; i < kPayoutPlaces; ++i)
        renderBox(i);
}

void PayoutEditor::renderTotals() {
    lblRemainingPayout->setText(qs(m_sheet.remainingText()));
    setBackground(lblRemainingPayout, m_sheet.remainingColor());
    OKButton->setEnabled(m_sheet.okEnabled());
}

int PayoutEditor::boxIndex(const QObject* object) const {
    for (int i = 0; i < kPayoutPlaces; ++i)
        if (txtPayout[std::size_t(i)] == object)
            return i;
    return -1;
}

bool PayoutEditor::eventFilter(QObject* watched, QEvent* event) {
    const int place = boxIndex(watched);
    if (place < 0)
        return QDialog::eventFilter(watched, event);
    QLineEdit* box = txtPayout[std::size_t(place)];
    switch (event->type()) {
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Enter moves on as Tab does.
            focusNextChild();
            return true;
        }
        break;
    }
    case QEvent::FocusIn:
        // Edit the plain number, selected whole (after the click that brought the focus).
        m_sheet.setBoxText(place, ss(box->text()));
        box->setText(qs(m_sheet.enterBox(place)));
        QTimer::singleShot(0, box, [box] { box->selectAll(); });
        break;
    case QEvent::FocusOut: {
        // A message box or another window taking the focus for a while is not leaving the box.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
            break;
        m_sheet.setBoxText(place, ss(box->text()));
        m_sheet.leaveBox(place);
        renderBox(place);
        renderTotals();
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void PayoutEditor::tryAccept() {
    switch (m_sheet.balance()) {
    case PayoutBalance::Exceeds:
        showMessage(m_prompt, "", kPayoutsExceedText);
        txtPayout[0]->setFocus(Qt::OtherFocusReason);
        return;
    case PayoutBalance::Short:
        if (ask(m_prompt, "", kFundsLeftText, MsgButtons::YesNo, MsgIcon::None) == MsgAnswer::Yes) {
            if (cbPayouts->currentIndex() < 0)
                cbPayouts->setFocus(Qt::OtherFocusReason);
            else
                txtPayout[0]->setFocus(Qt::OtherFocusReason);
            return;
        }
        break;
    case PayoutBalance::Balanced:
        break;
    }
    m_accepted = true;
    accept();
}

void PayoutEditor::reject() {
    m_sheet.cancel();
    m_accepted = false;
    QDialog::reject();
}

} // namespace rh::ui
