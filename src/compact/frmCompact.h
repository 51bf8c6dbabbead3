#pragma once

#include "compact/CompactDrag.h"

#include <QDialog>

#include <memory>

class QLabel;
class QMouseEvent;
class QTimer;

namespace Ui {
class frmCompact;
}

namespace modStopWatch {
class StopWatch;
}

// Top-left position that puts a window of `frameSize` in the bottom-right corner of
// `workArea`, wherever the work area itself begins.
QPoint CompactCorner(const QRect &workArea, const QSize &frameSize);

// The small frameless counter that stands in for the main window. It shows either the running
// count, kept current by its own timer, or the texts handed over when the count was stopped.
class frmCompact : public QDialog
{
    Q_OBJECT

public:
    explicit frmCompact(modStopWatch::StopWatch &count, QWidget *parent = nullptr);
    ~frmCompact() override;

    // Handed over before the window is shown; the load step reads them.
    bool blnActive = false;
    QString strHours;
    QString strMinutes;
    QString strSeconds;
    QString strSecHundreds;

    void setVisible(bool visible) override;
    void done(int result) override;

private slots:
    void timDisplay_Timer();
    void tmrDragEnd_Timer();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void Form_Load();
    void Form_Unload();
    void SyncDisplayTimer();
    void Label_MouseDown(QWidget *label, QMouseEvent *event);
    void Label_MouseMove(QMouseEvent *event);
    void Label_MouseUp(QMouseEvent *event);
    void Label_DblClick(QMouseEvent *event);
    void Apply(const CompactDrag::Action &action);
    bool IsCountLabel(QObject *object) const;

    std::unique_ptr<Ui::frmCompact> ui;
    modStopWatch::StopWatch &m_count;
    QTimer *m_timDisplay = nullptr;
    QTimer *m_tmrDragEnd = nullptr;
    CompactDrag m_drag;
    bool m_loaded = false;
    bool m_systemMoving = false; // the window system had the last drag
};
