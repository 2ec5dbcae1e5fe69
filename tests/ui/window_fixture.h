#pragma once
// WindowFixture: the main window with every presenter installed, on a session of its own in a
// temporary folder of its own, driven as a director drives it (the Load button, the tabs, the
// lists' choices, heading clicks). Shared by every window test, with the shorthands they use.
// The fixture owns the folder, the scripted prompt (of type P), the session and the window, in
// that order of construction: the session reads the temporary folder once, when it is made.

#include "core/ids.h"
#include "core/scripted_prompt.h"
#include "persistence/journal.h"
#include "services/changes.h"
#include "services/load_save.h"
#include "services/session.h"
#include "state/tournament_state.h"
#include "support/generator.h"
#include "support/temp_dir.h"
#include "ui/grids/grid_model.h"
#include "ui/shell/main_flow.h"
#include "ui/shell/main_window.h"
#include "ui/shell/presenters.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeView>
#include <QtTest>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace rh::test {

inline EntrantId eid(long long n) {
    return *entrantIdOf(n);
}
inline EntrantId eid(std::string_view text) {
    return *entrantIdOf(text);
}
inline EntrantId eid(const QString& text) {
    return eid(text.toStdString());
}
inline RoundNo rno(long long n) {
    return *roundNoOf(n);
}
inline QString qs(const std::string& text) {
    return QString::fromStdString(text);
}
inline QString s(const char* text) {
    return QString::fromUtf8(text);
}
/// The texts joined by "|".
inline QStringList list(const char* joined) {
    return s(joined).split(u'|');
}
inline std::string example(const char* name) {
    return std::string(RANKHALL_SOURCE_DIR) + "/examples/" + name;
}
/// An entrant's stored bumps (0 when none is stored).
inline int bumpsOf(const TournamentState& s, EntrantId id) {
    const EntrantRecord* r = s.entrant(id);
    return r ? r->bumps.value_or(0) : 0;
}

/// A choice of the director: the list shows the item and says it was activated.
inline bool choose(QComboBox* list, int index) {
    if (!list->isEnabled() || index < 0 || index >= list->count())
        return false;
    list->setCurrentIndex(index);
    emit list->activated(index);
    return true;
}
/// A click in the middle of a column's heading.
inline void clickHeading(QTreeView* view, int column) {
    QHeaderView* header = view->header();
    view->scrollTo(view->model()->index(0, column));
    const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}
inline QStringList columnTexts(const QAbstractItemModel& model, int column) {
    QStringList out;
    for (int r = 0; r < model.rowCount(); ++r)
        out << model.index(r, column).data().toString();
    return out;
}
inline QStringList tagsOf(const QAbstractItemModel& model) {
    QStringList out;
    for (int r = 0; r < model.rowCount(); ++r)
        out << model.index(r, 0).data(ui::GridModel::TagRole).toString();
    return out;
}
inline QColor foreground(const QAbstractItemModel& model, int row, int column) {
    return model.index(row, column).data(Qt::ForegroundRole).value<QBrush>().color();
}
/// The colour a label fills its background with (invalid when it fills none).
inline QColor background(const QWidget* w) {
    return w->autoFillBackground() ? w->palette().color(QPalette::Window) : QColor();
}

template <class P = ScriptedPrompt> struct BasicWindowFixture {
    TempDir dir;
    P prompt;
    Session session{prompt};
    ui::MainWindow window{session};
    QList<QUrl> opened;  // what the window asked the system to open
    bool browser = true; // whether the system has anything to open them with

    BasicWindowFixture() {
        ui::installPresenters(window);
        window.setUrlOpener([this](const QUrl& url) {
            opened << url;
            return browser;
        });
    }

    template <class T = QWidget> T* child(const char* name) {
        return window.findChild<T*>(QString::fromUtf8(name));
    }
    template <class T> T* presenter() { return window.findChild<T*>(); }
    QString text(const char* label) { return child<QLabel>(label)->text(); }
    ui::MainFlow& flow() { return *presenter<ui::MainFlow>(); }

    /// "&Load" with the file chosen in the open dialog ("" = cancel); a question about the open
    /// tournament takes the prompt's default answer (OK) unless one is queued.
    void clickLoad(const std::string& file) {
        prompt.openFiles.push_back(file);
        child<QPushButton>("cmdLoad")->click();
    }
    /// One of examples/ loaded through the Load button, its messages forgotten.
    bool load(const char* name) {
        clickLoad(example(name));
        prompt.clear();
        return session.isLoaded() && session.tourney().TourneyCode() != "";
    }
    /// A generated tournament, opened as if it had been loaded from a file.
    void loadGenerated(const GeneratorOptions& options) {
        auto state = std::make_shared<TournamentState>();
        generateTournament(*state, options);
        openBuiltTournament(session, std::move(state), [this] { flow().AfterLoadRefresh(); });
        prompt.clear();
    }
    /// The change stored as the window stores it, then the views told as after a score.
    void store(const Change& change) {
        storeChange(session, change);
        window.notifyScoreStored();
    }
    /// Shows the tab, showing it afresh when it already shows.
    void showTab(int index) {
        if (window.tabs()->currentIndex() == index)
            window.tabs()->setCurrentIndex(index == 0 ? 1 : 0);
        window.tabs()->setCurrentIndex(index);
    }
    /// Shown, with the focus in the window (for the keyboard).
    bool activate() {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
};
using WindowFixture = BasicWindowFixture<>;

} // namespace rh::test
