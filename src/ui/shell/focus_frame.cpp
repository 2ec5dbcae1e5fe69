#include "ui/shell/focus_frame.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>

namespace rh::ui {

namespace {

class HighlightFrame : public QFocusFrame {
public:
    explicit HighlightFrame(QWidget* parent) : QFocusFrame(parent) {
        setObjectName(QStringLiteral("focusHighlight"));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!widget())
            return;
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing, false);
        QPen pen(palette().color(QPalette::Active, QPalette::Highlight), FocusHighlight::kWidth);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        const int inset = FocusHighlight::kWidth / 2;
        p.drawRect(rect().adjusted(inset, inset, -inset - 1, -inset - 1));
    }
};

} // namespace

FocusHighlight::FocusHighlight(QWidget* window)
    : QObject(window), m_window(window), m_frame(new HighlightFrame(window)) {
    setObjectName(QStringLiteral("focusHighlighter"));
    m_frame->hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { follow(now); });
    follow(QApplication::focusWidget());
}

QWidget* FocusHighlight::framed() const {
    return m_frame ? m_frame->widget() : nullptr;
}

void FocusHighlight::follow(QWidget* now) {
    if (!m_frame) // its last parent has gone, and the frame with it
        m_frame = new HighlightFrame(m_window);
    // Only the window's own controls: a list's open popup or a dialog has its own window.
    if (!now || now->window() != m_window || now == m_window) {
        m_frame->setWidget(nullptr);
        m_frame->hide();
        return;
    }
    m_frame->setWidget(now);
    m_frame->show();
    m_frame->raise();
}

FocusHighlight* installFocusHighlight(QWidget* window) {
    return new FocusHighlight(window);
}

} // namespace rh::ui
