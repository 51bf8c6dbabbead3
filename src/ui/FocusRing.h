#pragma once

#include <QFocusFrame>

// A ring two pixels wide, in the colour of text on the window's background, around the control
// that has the keyboard focus. The style's own mark is a faint line that waits for the first
// Tab; this one shows from the moment a window does. Where the control reaches past the edge of
// its parent, the ring closes inside that edge. As a focus frame, assistive tools never see it.
class FocusRing : public QFocusFrame
{
    Q_OBJECT

public:
    static constexpr int Width = 2;

    explicit FocusRing(QWidget *parent = nullptr);

    void follow(QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void place();
};

// One ring for the program, following the focus from window to window.
void ShowFocusAlways();
