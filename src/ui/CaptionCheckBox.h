#pragma once

#include <QCheckBox>

// A check box whose caption reads from its left edge, in line with the captions above and
// below it, and whose box stands at its right end. A click anywhere on it toggles it, as on
// its caption.
class CaptionCheckBox : public QCheckBox
{
    Q_OBJECT

public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;
};
