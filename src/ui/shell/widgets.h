#pragma once
// Small builders for the window's controls: each gets its object name, caption and hint in one
// call, so the tab files read as a list of controls. Also the text conversions between the
// core's UTF-8 strings and QString.

#include "core/colour.h"
#include "timing/clock.h"

#include <QLabel>
#include <QString>

#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;
class QColor;

namespace rh::ui {

inline QString qs(const std::string& s) {
    return QString::fromStdString(s);
}
inline QString qs(const char* s) {
    return QString::fromUtf8(s);
}
inline std::string ss(const QString& s) {
    return s.toStdString();
}
QColor toQColor(Rgb rgb);

QLabel* makeLabel(QWidget* parent, const char* name, const char* text = "",
                  const char* hint = nullptr);
/// A value label: sunken panel, so an empty value still shows where it will appear.
QLabel* makeValue(QWidget* parent, const char* name, const char* hint = nullptr);
QPushButton* makeButton(QWidget* parent, const char* name, const char* caption,
                        const char* hint = nullptr);
QComboBox* makeCombo(QWidget* parent, const char* name, const char* hint = nullptr);
QGroupBox* makeFrame(QWidget* parent, const char* name, const char* caption);
QLineEdit* makeTextBox(QWidget* parent, const char* name, const char* text = "",
                       const char* hint = nullptr, bool readOnly = false);
QCheckBox* makeCheck(QWidget* parent, const char* name, const char* caption,
                     const char* hint = nullptr);
QRadioButton* makeOption(QWidget* parent, const char* name, const char* caption,
                         const char* hint = nullptr);

/// A label that acts as a link: pointing-hand cursor, and clicked() on a left click.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(QWidget* parent, const char* name, const char* text, const char* hint = nullptr);
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

/// Paints a widget's background in the colour, or gives it back its ordinary background.
void setBackground(QWidget* widget, std::optional<Rgb> colour);

} // namespace rh::ui
