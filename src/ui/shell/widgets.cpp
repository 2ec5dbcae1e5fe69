#include "ui/shell/widgets.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

namespace rh::ui {

QColor toQColor(Rgb rgb) {
    return QColor(rgb.r, rgb.g, rgb.b);
}

namespace {

template <class W> W* named(W* w, const char* name, const char* hint) {
    w->setObjectName(QString::fromUtf8(name));
    if (hint)
        w->setToolTip(QString::fromUtf8(hint));
    return w;
}

} // namespace

QLabel* makeLabel(QWidget* parent, const char* name, const char* text, const char* hint) {
    return named(new QLabel(qs(text), parent), name, hint);
}

QLabel* makeValue(QWidget* parent, const char* name, const char* hint) {
    auto* l = named(new QLabel(parent), name, hint);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMinimumWidth(60);
    l->setAlignment(Qt::AlignCenter);
    return l;
}

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, const char* hint) {
    return named(new QPushButton(qs(caption), parent), name, hint);
}

QComboBox* makeCombo(QWidget* parent, const char* name, const char* hint) {
    return named(new QComboBox(parent), name, hint);
}

QGroupBox* makeFrame(QWidget* parent, const char* name, const char* caption) {
    return named(new QGroupBox(qs(caption), parent), name, nullptr);
}

QLineEdit* makeTextBox(QWidget* parent, const char* name, const char* text, const char* hint,
                       bool readOnly) {
    auto* t = named(new QLineEdit(qs(text), parent), name, hint);
    t->setReadOnly(readOnly);
    return t;
}

QCheckBox* makeCheck(QWidget* parent, const char* name, const char* caption, const char* hint) {
    return named(new QCheckBox(qs(caption), parent), name, hint);
}

QRadioButton* makeOption(QWidget* parent, const char* name, const char* caption, const char* hint) {
    return named(new QRadioButton(qs(caption), parent), name, hint);
}

LinkLabel::LinkLabel(QWidget* parent, const char* name, const char* text, const char* hint)
    : QLabel(qs(text), parent) {
    named(this, name, hint);
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 200));
    setPalette(pal);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void setBackground(QWidget* widget, std::optional<Rgb> colour) {
    QPalette pal = widget->palette();
    if (colour) {
        pal.setColor(QPalette::Window, toQColor(*colour));
        widget->setPalette(pal);
        widget->setAutoFillBackground(true);
    } else {
        // The parent's palette again (a label over the tab page shows the page's colour).
        widget->setPalette(QPalette());
        widget->setAutoFillBackground(false);
    }
}

} // namespace rh::ui
