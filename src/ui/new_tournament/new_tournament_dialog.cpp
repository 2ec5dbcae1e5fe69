#include "ui/new_tournament/new_tournament_dialog.h"

#include "core/currency.h"
#include "core/prompt.h"
#include "money/fee_choices.h"
#include "services/entrant_import.h"
#include "services/load_save.h"
#include "ui/shell/widgets.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <stdexcept>

namespace rh::ui {

namespace {

constexpr const char* kTitle = "New Tournament";
constexpr int kMostFindingsShown = 3;

QComboBox* feeList(QWidget* parent, const char* name, const char* hint,
                   const std::vector<int>& cents, int chosen, const CurrencyFormat& currency) {
    QComboBox* list = makeCombo(parent, name, hint);
    for (int c : cents)
        list->addItem(qs(formatMoney(c / 100.0, currency)), c);
    list->setCurrentIndex(list->findData(chosen));
    return list;
}

double feeOf(const QComboBox* list) {
    return list->currentIndex() < 0 ? 0 : list->currentData().toInt() / 100.0;
}

std::string joined(const std::vector<std::string>& lines, const char* separator) {
    std::string out;
    for (const std::string& line : lines)
        out += (out.empty() ? "" : separator) + line;
    return out;
}

} // namespace

std::chrono::year_month_day localToday() {
    const QDate d = QDate::currentDate();
    return std::chrono::year_month_day{std::chrono::year{d.year()},
                                       std::chrono::month{static_cast<unsigned>(d.month())},
                                       std::chrono::day{static_cast<unsigned>(d.day())}};
}

NewTournamentDialog::NewTournamentDialog(IPrompt& prompt, const CurrencyFormat& currency,
                                         std::chrono::year_month_day today, QWidget* parent)
    : QDialog(parent), m_prompt(prompt), m_currency(currency), m_today(today),
      m_qualityTimer(new QTimer(this)) {
    setObjectName(QStringLiteral("frmNewTournament"));
    setWindowTitle(qs(kTitle));
    setModal(true);

    auto* settings = makeFrame(this, "frmNewSettings", "Tournament");
    txtTitle = makeTextBox(settings, "txtTitle", "", "The title shown on the window and the page");
    txtCode = makeTextBox(settings, "txtCode", "", "Score sheet code, also used in file names");
    txtCode->setMaxLength(static_cast<int>(kMaxCodeLength));
    txtJackpotTitle = makeTextBox(settings, "txtNewJackpotTitle", "Bump Jackpot",
                                  "Enter the name of your Jackpot");
    optProgressive = makeOption(settings, "optProgressive", "&Progressive",
                                "Players change partners every round, four to a table");
    optTeam = makeOption(settings, "optTeam", "&Team", "Fixed pairs, two teams to a table");
    optProgressive->setChecked(true);
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(optProgressive);
    kinds->addButton(optTeam);
    spinRounds = new QSpinBox(settings);
    spinRounds->setObjectName(QStringLiteral("spinRounds"));
    spinRounds->setRange(1, kMaxRounds);
    spinRounds->setValue(8);
    cbEntryFee = feeList(settings, "cbNewEntryFee", "Entry fee", entryFeeCents(), 0, currency);
    cbBumpFee = feeList(settings, "cbNewBumpFee", "Select fee to charge for each bump",
                        bumpFeeCents(), 0, currency);
    cbWoodFee = feeList(settings, "cbNewWoodFee", "Select fee to charge for each woodpecker",
                        woodFeeCents(), 0, currency);
    {
        auto* kindRow = new QHBoxLayout;
        kindRow->addWidget(optProgressive);
        kindRow->addWidget(optTeam);
        kindRow->addStretch(1);
        auto* f = new QFormLayout(settings);
        f->addRow(qs("T&itle:"), txtTitle);
        f->addRow(qs("&Code:"), txtCode);
        f->addRow(qs("&Jackpot title:"), txtJackpotTitle);
        f->addRow(qs("Kind:"), kindRow);
        f->addRow(qs("&Rounds:"), spinRounds);
        f->addRow(qs("Entry fee:"), cbEntryFee);
        f->addRow(qs("Bump:"), cbBumpFee);
        f->addRow(qs("Woodpecker:"), cbWoodFee);
    }

    auto* entrants = makeFrame(this, "frmNewEntrants", "Entrants");
    lblEntrants = makeLabel(entrants, "lblEntrants", "");
    txtEntrants = new QPlainTextEdit(entrants);
    txtEntrants->setObjectName(QStringLiteral("txtEntrants"));
    txtEntrants->setToolTip(qs("One name a line: type them, paste them or import a list"));
    txtEntrants->setLineWrapMode(QPlainTextEdit::NoWrap);
    cmdImport =
        makeButton(entrants, "cmdImport", "I&mport...", "Read the names from a text or CSV file");
    lblEntrantCount = makeLabel(entrants, "lblEntrantCount");
    lblEntrantCount->setWordWrap(true);
    lblEntrantCount->setTextFormat(Qt::PlainText);
    {
        auto* top = new QHBoxLayout;
        top->addWidget(lblEntrants, 1);
        top->addWidget(cmdImport);
        auto* l = new QVBoxLayout(entrants);
        l->addLayout(top);
        l->addWidget(txtEntrants, 1);
        l->addWidget(lblEntrantCount);
    }

    auto* quality = makeFrame(this, "frmSeatingQuality", "Seating");
    lblSeatingQuality = makeLabel(quality, "lblSeatingQuality");
    lblSeatingQuality->setTextFormat(Qt::PlainText);
    lblSeatingQuality->setWordWrap(true);
    (new QVBoxLayout(quality))->addWidget(lblSeatingQuality);

    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Ok)->setText(qs("&Create..."));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));

    auto* left = new QVBoxLayout;
    left->addWidget(settings);
    left->addWidget(quality);
    left->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 2);
    columns->addWidget(entrants, 3);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(columns, 1);
    outer->addWidget(buttons);

    m_qualityTimer->setSingleShot(true);
    m_qualityTimer->setInterval(250);
    connect(m_qualityTimer, &QTimer::timeout, this, &NewTournamentDialog::refreshQuality);
    connect(txtTitle, &QLineEdit::textEdited, this, &NewTournamentDialog::onTitleEdited);
    connect(txtCode, &QLineEdit::textEdited, this, [this] { m_codeTyped = true; });
    connect(optTeam, &QRadioButton::toggled, this, &NewTournamentDialog::onKindChanged);
    connect(spinRounds, &QSpinBox::valueChanged, this, &NewTournamentDialog::scheduleRefresh);
    connect(txtEntrants, &QPlainTextEdit::textChanged, this, &NewTournamentDialog::scheduleRefresh);
    connect(cmdImport, &QPushButton::clicked, this, &NewTournamentDialog::importEntrants);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { tryAccept(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    onTitleEdited();
    onKindChanged();
    refreshNow();
    resize(900, 560);
}

NewTournamentRequest NewTournamentDialog::request() const {
    NewTournamentRequest r;
    r.title = ss(txtTitle->text());
    r.code = ss(txtCode->text());
    r.jackpotTitle = ss(txtJackpotTitle->text());
    r.kind = optTeam->isChecked() ? TournamentKind::Team : TournamentKind::Progressive;
    r.rounds = spinRounds->value();
    r.entryFee = feeOf(cbEntryFee);
    r.bumpFee = feeOf(cbBumpFee);
    r.woodFee = feeOf(cbWoodFee);
    const EntrantImport list = importEntrantText(ss(txtEntrants->toPlainText()));
    r.entrants = list.names();
    r.entrantLines = list.lines();
    return r;
}

void NewTournamentDialog::onTitleEdited() {
    if (!m_codeTyped)
        txtCode->setText(qs(suggestCode(ss(txtTitle->text()), m_today)));
}

void NewTournamentDialog::onKindChanged() {
    lblEntrants->setText(optTeam->isChecked() ? qs("Teams, one a line:")
                                              : qs("Players, one a line:"));
    scheduleRefresh();
}

void NewTournamentDialog::scheduleRefresh() {
    refreshCount();
    m_qualityTimer->start();
}

void NewTournamentDialog::refreshNow() {
    m_qualityTimer->stop();
    refreshCount();
    refreshQuality();
}

void NewTournamentDialog::refreshCount() {
    const bool team = optTeam->isChecked();
    const EntrantImport list = importEntrantText(ss(txtEntrants->toPlainText()));
    const int n = static_cast<int>(list.entrants.size());
    const int perTable = team ? 2 : 4;
    std::string line = std::to_string(n) + " " + (team ? "team" : "player") + (n == 1 ? "" : "s");
    if (n < perTable) {
        line += ": at least " + std::to_string(perTable) + " are needed";
    } else {
        const int tables = n / perTable;
        line += ", " + std::to_string(tables) + (tables == 1 ? " table" : " tables");
        if (const int out = n % perTable; out > 0)
            line += "; " + std::to_string(out) + (out == 1 ? " sits" : " sit") + " out each round";
    }
    std::vector<std::string> findings = list.findings;
    if (findings.size() > static_cast<std::size_t>(kMostFindingsShown)) {
        const auto more = findings.size() - kMostFindingsShown;
        findings.resize(kMostFindingsShown);
        findings.push_back("... and " + std::to_string(more) + " more.");
    }
    if (!findings.empty())
        line += "\n" + joined(findings, "\n");
    lblEntrantCount->setText(qs(line));
}

void NewTournamentDialog::refreshQuality() {
    NewTournamentRequest r = request();
    const int least = r.kind == TournamentKind::Team ? 2 : 4;
    if (static_cast<int>(r.entrants.size()) < least ||
        static_cast<int>(r.entrants.size()) > kMaxEntrants) {
        lblSeatingQuality->setText(qs("The seating follows once the entrants can fill a table."));
        return;
    }
    try {
        lblSeatingQuality->setText(qs(joined(qualityLines(seatingFor(r).quality, r.kind), "\n")));
    } catch (const std::exception& e) {
        lblSeatingQuality->setText(qs(std::string("No seating: ") + e.what()));
    }
}

void NewTournamentDialog::importEntrants() {
    FileDialogSpec fileDialog;
    fileDialog.title = "Import Entrants";
    fileDialog.filter = "Entrant lists (*.txt;*.csv)|*.txt;*.csv|All files (*.*)|*.*";
    const std::string path = m_prompt.chooseOpenFile(fileDialog);
    if (path.empty())
        return;
    EntrantImport list;
    try {
        list = importEntrantFile(path);
    } catch (const RhError& e) {
        ShowErrorMsg(m_prompt, "Import", e);
        return;
    }
    QString text = txtEntrants->toPlainText();
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    for (const EntrantLine& e : list.entrants)
        text += qs(e.name) + QLatin1Char('\n');
    txtEntrants->setPlainText(text);
    std::string report = std::to_string(list.entrants.size()) + " names read from the file.";
    if (!list.findings.empty())
        report += "\r\n" + joined(list.findings, "\r\n");
    showMessage(m_prompt, "Import", report,
                list.findings.empty() ? MsgIcon::Information : MsgIcon::Exclamation);
    refreshNow();
}

bool NewTournamentDialog::tryAccept() {
    const NewTournamentRequest r = request();
    const std::vector<std::string> problems = validateRequest(r);
    if (!problems.empty()) {
        showMessage(m_prompt, kTitle, joined(problems, "\r\n"), MsgIcon::Exclamation);
        return false;
    }
    FileDialogSpec fileDialog;
    fileDialog.title = kSaveTitle;
    fileDialog.filter = kSaveFilter;
    fileDialog.defaultExtension = "QMC";
    fileDialog.confirmOverwrite = true;
    fileDialog.pathMustExist = true;
    fileDialog.initialPath = r.code + ".QMC";
    const std::string path = m_prompt.chooseSaveFile(fileDialog);
    if (path.empty())
        return false;
    if (!writeNewTournament(r, path, m_prompt).written)
        return false;
    m_savedPath = path;
    accept();
    return true;
}

} // namespace rh::ui
