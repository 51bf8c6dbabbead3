#pragma once

#include <QFrame>

// A sunken panel that clips its child widgets to its inside, border excluded, so that labels
// reaching past its edges show only the band that lies within.
class ClipPanel : public QFrame
{
    Q_OBJECT

public:
    explicit ClipPanel(QWidget *parent = nullptr);

protected:
    bool event(QEvent *event) override;

private:
    void clipChildren();
};
