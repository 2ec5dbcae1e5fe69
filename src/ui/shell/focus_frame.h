#pragma once
// FocusHighlight: a clear frame around whichever control of a window has the keyboard focus, so
// that a director working from the keyboard always sees where the next key goes. The frame is a
// QFocusFrame (it follows the control as it moves and resizes, and lets the mouse through)
// painted as a 3 px border in the palette's highlight colour, whatever the widget style draws.
//
// Ownership: installFocusHighlight creates one highlight as a child of the window; the frame
// itself is re-parented by QFocusFrame to the focused control's parent and back to the window
// when that control goes away.

#include <QFocusFrame>
#include <QPointer>

namespace rh::ui {

class FocusHighlight : public QObject {
    Q_OBJECT
public:
    explicit FocusHighlight(QWidget* window);

    /// The control the frame is around, nullptr when none of the window's controls has focus.
    QWidget* framed() const;
    QFocusFrame* frame() const { return m_frame; }

    /// The width of the border, in pixels.
    static constexpr int kWidth = 3;

private:
    void follow(QWidget* now);

    QWidget* m_window;
    QPointer<QFocusFrame> m_frame;
};

/// Frames the keyboard focus inside `window` from now on.
FocusHighlight* installFocusHighlight(QWidget* window);

} // namespace rh::ui
