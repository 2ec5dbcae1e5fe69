#include "ui/scores/tab_scores.h"

#include "core/text.h"
#include "ui/shell/widgets.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <iterator>

namespace rh::ui {

namespace {

// What a list item is found by: the text without blanks and without the "*" of a waiting
// entrant; a number without its leading zeros ("00" stays "0"), case folded.
QString searchKey(QString text) {
    text = text.trimmed();
    while (text.startsWith(QLatin1Char('*')))
        text.remove(0, 1);
    text = text.trimmed();
    bool digits = !text.isEmpty();
    for (const QChar c : text)
        digits = digits && c.isDigit();
    if (digits) {
        qsizetype zeros = 0;
        while (zeros + 1 < text.size() && text.at(zeros) == QLatin1Char('0'))
            ++zeros;
        text.remove(0, zeros);
    }
    return text.toCaseFolded();
}

bool isStepKey(int key) {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

// Type-to-find on one drop-down list: see the header. Watches the closed list and its popup.
// On a list whose every choice is stored (`storesChoice`), the arrow keys and the mouse wheel do
// not step through the closed list either, since each step would be stored (a score stepped
// through would land on one entrant after another): the arrows open the list instead.
class TypeAhead : public QObject {
public:
    TypeAhead(QComboBox* list, bool storesChoice)
        : QObject(list), m_list(list), m_storesChoice(storesChoice) {
        // The popup first: creating it sends the list events of its own.
        list->view()->installEventFilter(this);
        list->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::Wheel)
            return false;
        const bool closed = watched == m_list && !m_list->view()->isVisible();
        if (event->type() == QEvent::Wheel)
            return m_storesChoice && closed;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            return false;
        if (isStepKey(key->key())) {
            if (!m_storesChoice || !closed)
                return false;
            if (m_list->isEnabled() && m_list->count() > 0)
                m_list->showPopup();
            return true;
        }
        const QString text = key->text();
        if (text.size() != 1 || !text.at(0).isPrint())
            return false;
        const bool restart =
            !m_typing.isValid() || m_typing.elapsed() > QApplication::keyboardInputInterval();
        // A blank opens the closed list as usual; it only counts inside a name being typed.
        if (text == QStringLiteral(" ") && (restart || m_typed.isEmpty()))
            return false;
        if (!m_list->isEnabled() || m_list->count() == 0)
            return false;
        m_typed = restart ? text : m_typed + text;
        m_typing.start();
        int row = findTypedRow(m_list, m_typed);
        if (row < 0) {
            m_typed = text;
            row = findTypedRow(m_list, m_typed);
        }
        QAbstractItemView* popup = m_list->view();
        if (watched == m_list && !popup->isVisible())
            m_list->showPopup();
        if (row >= 0) {
            const QModelIndex index = m_list->model()->index(row, m_list->modelColumn());
            popup->setCurrentIndex(index);
            popup->scrollTo(index);
        }
        return true;
    }

private:
    QComboBox* m_list;
    bool m_storesChoice;
    QString m_typed;
    QElapsedTimer m_typing;
};

void fillNumbers(QComboBox* list, int last, bool blankFirst) {
    if (blankFirst)
        list->addItem(QString());
    for (int n = 0; n <= last; ++n)
        list->addItem(qs(fmtItem(n)), n);
    list->setCurrentIndex(-1);
}

// One related entrant's row in a grid of columns Name, Score, Total, Lones, Bumps, Woods, Owes.
RelatedRow makeRelatedRow(QGroupBox* box, QGridLayout* grid, int row, const char* suffix) {
    auto name = [&](const char* prefix) { return std::string(prefix) + suffix; };
    RelatedRow r;
    r.name = makeTextBox(box, name("txt").c_str(), "", nullptr, true);
    r.name->setMinimumWidth(200);
    r.name->setFocusPolicy(Qt::NoFocus);
    r.score = makeValue(box, name("lblScore").c_str());
    r.total = makeValue(box, name("lbTotalScore").c_str());
    r.lones = makeValue(box, name("lbLones").c_str());
    r.bumps = makeValue(box, name("lbBumps").c_str());
    r.woods = makeValue(box, name("lbWoods").c_str());
    r.fee = makeValue(box, name("lblTotalFee").c_str());
    QWidget* cells[] = {r.name, r.score, r.total, r.lones, r.bumps, r.woods, r.fee};
    for (int c = 0; c < 7; ++c)
        grid->addWidget(cells[c], row, c);
    return r;
}

QGridLayout* relatedGrid(QGroupBox* box) {
    auto* g = new QGridLayout(box);
    g->setHorizontalSpacing(8);
    const char* headings[] = {"Name", "Score", "Total", "Lones", "Bumps", "Woods", "Owes"};
    for (int c = 0; c < 7; ++c) {
        auto* h = new QLabel(qs(headings[c]), box);
        h->setAlignment(c == 0 ? Qt::AlignLeft : Qt::AlignCenter);
        g->addWidget(h, 0, c);
    }
    g->setColumnStretch(0, 3);
    for (int c = 1; c < 7; ++c)
        g->setColumnStretch(c, 1);
    return g;
}

} // namespace

int findTypedRow(const QComboBox* list, const QString& typed) {
    const QString wanted = searchKey(typed);
    if (wanted.isEmpty())
        return -1;
    for (int row = 0; row < list->count(); ++row)
        if (searchKey(list->itemText(row)).startsWith(wanted))
            return row;
    return -1;
}

ScoresTab::ScoresTab(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabScores"));

    frmEnterScores = makeFrame(this, "frmEnterScores", "");
    lblSelectRound = makeLabel(frmEnterScores, "lblSelectRound", "Select Round:");
    comboSelectRnd = makeCombo(frmEnterScores, "comboSelectRnd", "Select Round to add/modify data");
    comboSelectRnd->setMinimumWidth(80);
    lblSelectRound->setBuddy(comboSelectRnd);

    boxPlayer = makeFrame(frmEnterScores, "boxPlayer", "Player Round Score");
    lblPlayer = makeLabel(boxPlayer, "lblPlayer", "Name");
    comboPlayerName = makeCombo(boxPlayer, "comboPlayerName", "Select Player");
    comboPlayerName->setMinimumWidth(260);
    checkAll =
        makeCheck(boxPlayer, "checkAll", "Show All", "Show/Hide Players who have entered a score");
    lblTable = makeValue(boxPlayer, "lblTable", "The table of this round");
    lblTable->setMinimumWidth(80);
    checkByTable =
        makeCheck(frmEnterScores, "checkByTable", "By table",
                  "Offer the entrants table by table, and type a table's scores at once");
    lblTableScores = makeLabel(frmEnterScores, "lblTableScores", "Table scores:");
    txtTableScores = makeTextBox(frmEnterScores, "txtTableScores", "",
                                 "Both scores of the table, e.g. 10 6, then Enter");
    txtTableScores->setPlaceholderText(QStringLiteral("10 6"));
    txtTableScores->setMaximumWidth(120);
    lblTableScores->setBuddy(txtTableScores);
    lblPlayerScore = makeLabel(boxPlayer, "lblPlayerScore", "Score");
    comboPlayerScore = makeCombo(boxPlayer, "comboPlayerScore", "Select Score");
    fillNumbers(comboPlayerScore, 32, true);

    frmCumulative = makeFrame(boxPlayer, "frmCumulative", "Cumulative Values");
    lblLones = makeLabel(frmCumulative, "lblLones", "Lones");
    comboPlayerLones = makeCombo(frmCumulative, "comboPlayerLones", "Select Cumulatiive Lones");
    lblBumps = makeLabel(frmCumulative, "lblBumps", "Bumps");
    comboPlayerBumps = makeCombo(frmCumulative, "comboPlayerBumps", "Select Cumulatiive Bumps");
    fillNumbers(comboPlayerBumps, 99, false);
    lblWoods = makeLabel(frmCumulative, "lblWoods", "Woods");
    comboPlayerWoods =
        makeCombo(frmCumulative, "comboPlayerWoods", "Select Cumulatiive Woodpeckers");
    fillNumbers(comboPlayerWoods, 99, false);
    {
        auto* g = new QGridLayout(frmCumulative);
        QLabel* captions[] = {lblLones, lblBumps, lblWoods};
        QComboBox* lists[] = {comboPlayerLones, comboPlayerBumps, comboPlayerWoods};
        for (int c = 0; c < 3; ++c) {
            captions[c]->setBuddy(lists[c]);
            lists[c]->setMinimumWidth(70);
            g->addWidget(captions[c], 0, c);
            g->addWidget(lists[c], 1, c);
        }
    }
    lblTotalScoreCaption = makeLabel(boxPlayer, "lblTotalScoreCaption", "Total");
    lbTotalScorePlayer = makeValue(boxPlayer, "lbTotalScorePlayer", "Total Player Score");
    checkPaid = makeCheck(boxPlayer, "checkPaid", "Paid", "Bumps-Woods Paid Indicator");
    lblTotalFeeCaption = makeLabel(boxPlayer, "lblTotalFeeCaption", "Owes");
    lblTotalFeePlayer =
        makeValue(boxPlayer, "lblTotalFeePlayer", "Total Bump/Woodpecker money owed");
    lblTotalFeePlayer->setMinimumWidth(80);
    {
        auto* g = new QGridLayout(boxPlayer);
        g->setHorizontalSpacing(10);
        g->addWidget(lblPlayer, 0, 0);
        g->addWidget(comboPlayerName, 0, 1, 1, 2);
        g->addWidget(lblTable, 0, 3);
        g->addWidget(checkAll, 0, 4);
        g->addWidget(lblPlayerScore, 1, 0);
        g->addWidget(comboPlayerScore, 1, 1);
        g->addWidget(frmCumulative, 2, 0, 1, 5);
        g->addWidget(lblTotalScoreCaption, 3, 0);
        g->addWidget(lbTotalScorePlayer, 3, 1);
        g->addWidget(checkPaid, 3, 2);
        g->addWidget(lblTotalFeeCaption, 3, 3, Qt::AlignRight);
        g->addWidget(lblTotalFeePlayer, 3, 4);
        comboPlayerScore->setMinimumWidth(90);
        lbTotalScorePlayer->setMinimumWidth(90);
        g->setColumnStretch(3, 1);
        lblPlayer->setBuddy(comboPlayerName);
        lblPlayerScore->setBuddy(comboPlayerScore);
    }

    frmPartnerScore = makeFrame(frmEnterScores, "frmPartnerScore", "Partner Round Score");
    {
        QGridLayout* g = relatedGrid(frmPartnerScore);
        partner = makeRelatedRow(frmPartnerScore, g, 1, "Partner");
        partner.name->setObjectName(QStringLiteral("txtPartnerName"));
    }
    frmOpponent = makeFrame(frmEnterScores, "frmOpponent", "Opponent Round Score");
    {
        QGridLayout* g = relatedGrid(frmOpponent);
        oppo1 = makeRelatedRow(frmOpponent, g, 1, "Oppo1");
        oppo2 = makeRelatedRow(frmOpponent, g, 2, "Oppo2");
        oppo1.name->setObjectName(QStringLiteral("txtOppo1Name"));
        oppo2.name->setObjectName(QStringLiteral("txtOppo2Name"));
    }
    {
        auto* round = new QHBoxLayout;
        round->addWidget(lblSelectRound);
        round->addWidget(comboSelectRnd);
        round->addSpacing(16);
        round->addWidget(checkByTable);
        round->addSpacing(16);
        round->addWidget(lblTableScores);
        round->addWidget(txtTableScores);
        round->addStretch(1);
        auto* l = new QVBoxLayout(frmEnterScores);
        l->setSpacing(10);
        l->addLayout(round);
        l->addWidget(boxPlayer);
        l->addWidget(frmPartnerScore);
        l->addWidget(frmOpponent);
    }

    // The hidden tools.
    cmdValidateScore = makeButton(this, "cmdValidateScore", "Validate Score");
    frmDebug = makeFrame(this, "frmDebug", "Roster");
    cmbDebugRound = makeCombo(frmDebug, "cmbDebugRound");
    cmbDebugPlorte = makeCombo(frmDebug, "cmbDebugPlorte");
    txtDebugPartner = makeTextBox(frmDebug, "txtDebugPartner", "", nullptr, true);
    txtDebugOppo1 = makeTextBox(frmDebug, "txtDebugOppo1", "", nullptr, true);
    txtDebugOppo2 = makeTextBox(frmDebug, "txtDebugOppo2", "", nullptr, true);
    {
        auto* f = new QFormLayout(frmDebug);
        f->addRow(makeLabel(frmDebug, "lblDebugRound", "Round:"), cmbDebugRound);
        f->addRow(makeLabel(frmDebug, "lblDebugPlorte", "Player or Team"), cmbDebugPlorte);
        f->addRow(makeLabel(frmDebug, "lblDebugPartner", "Partner"), txtDebugPartner);
        f->addRow(makeLabel(frmDebug, "lblDebugOppo1", "Opponent1"), txtDebugOppo1);
        f->addRow(makeLabel(frmDebug, "lblDebugOppo2", "Opponent2"), txtDebugOppo2);
    }
    frmDebugNames = makeFrame(this, "frmDebugNames", "Debug Names");
    lstDebug = new QListWidget(frmDebugNames);
    lstDebug->setObjectName(QStringLiteral("lstDebug"));
    lstDebug->setUniformItemSizes(true);
    (new QVBoxLayout(frmDebugNames))->addWidget(lstDebug);

    auto* tools = new QVBoxLayout;
    tools->addWidget(cmdValidateScore, 0, Qt::AlignLeft);
    tools->addWidget(frmDebug);
    tools->addWidget(frmDebugNames, 1);

    auto* top = new QHBoxLayout(this);
    top->setContentsMargins(10, 10, 10, 10);
    top->setSpacing(12);
    frmEnterScores->setMinimumWidth(720);
    frmEnterScores->setMaximumWidth(820);
    top->addWidget(frmEnterScores, 0, Qt::AlignLeft | Qt::AlignTop);
    top->addLayout(tools, 1);
    setToolsVisible(false);

    QWidget* order[] = {comboSelectRnd,   comboPlayerName,  comboPlayerScore, comboPlayerLones,
                        comboPlayerBumps, comboPlayerWoods, checkPaid,        checkAll,
                        checkByTable,     txtTableScores};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    for (QComboBox* list : {comboSelectRnd, comboPlayerName})
        new TypeAhead(list, false);
    for (QComboBox* list : {comboPlayerScore, comboPlayerLones, comboPlayerBumps, comboPlayerWoods})
        new TypeAhead(list, true);
}

void ScoresTab::showTableScores(bool visible) {
    lblTableScores->setVisible(visible);
    txtTableScores->setVisible(visible);
}

void ScoresTab::setToolsVisible(bool visible) {
    cmdValidateScore->setVisible(visible);
    frmDebug->setVisible(visible);
    frmDebugNames->setVisible(visible);
}

} // namespace rh::ui
