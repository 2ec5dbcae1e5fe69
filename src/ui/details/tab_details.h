#pragma once
// Tab 5, "Details": the game detail grid, every entrant's score in every round.

#include <QWidget>

class QTreeView;

namespace rh::ui {

class DetailsTab : public QWidget {
    Q_OBJECT
public:
    explicit DetailsTab(QWidget* parent = nullptr);

    QTreeView* lvGameDetail;
};

} // namespace rh::ui
