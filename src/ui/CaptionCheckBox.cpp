#include "ui/CaptionCheckBox.h"

#include <QStyleOptionButton>
#include <QStylePainter>

void CaptionCheckBox::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // The style lays a right-to-left box out with its box at the right end, but would set the
    // caption against the box; the caption is drawn here instead, from the left edge. The
    // program's focus ring marks the focus.
    option.direction = Qt::RightToLeft;
    option.state &= ~QStyle::State_HasFocus;
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_CheckBox, option);
    const QRect box = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    QRect captionArea = rect();
    captionArea.setRight(box.left() - style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing));
    painter.drawItemText(captionArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                         palette(), isEnabled(), caption, QPalette::WindowText);
}

bool CaptionCheckBox::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}
