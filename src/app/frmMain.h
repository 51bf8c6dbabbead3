#pragma once

#include "desktop/CommandLine.h"
#include "settings/SessionTimes.h"

#include <QMainWindow>

#include <QPointer>

#include <memory>

class Preferences;
class frmCompact;
class QTimer;

namespace modStopWatch {
class StopWatch;
}

namespace Ui {
class frmMain;
}

// The main window: the count, its buttons, the Options menu and the web address. It drives the
// count and shows it; what the count is lives in the count.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    frmMain(modStopWatch::StopWatch &count, Preferences &preferences, QWidget *parent = nullptr);
    ~frmMain() override;

    // What the desktop asks (another launch, the command line, the session bus), done as the
    // window's own controls do it. Returns why not, in a sentence, or nothing when done.
    QString Perform(CommandLine::Command command);

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private slots:
    void cmdStartStop_Click();
    void cmdReset_Click();
    void cmdSnapshot_Click();
    void cmdExit_Click();
    void timDisplay_Timer();
    void tmrSnapshot_Timer();
    void tmrWarning_Timer();
    void mnuCustomize_Click();
    void mnuSessions_Click();
    void mnuCompact_Click();
    void mnuHelp_Click();
    void mnuClose_Click();
    void lblURL_Click();

private:
    void Form_Load();
    void LoadSettings();
    void ApplyPreferences();
    QString TakeSnapshot();
    QString AppendSessionLog();
    void BringToFront();
    void ReportUnstoredTimes(bool stored);
    void ShowButtons();
    void ShowCount();
    void SyncDisplayTimer();
    void ArmWarning(int days);
    void ShowWarningInstead(bool warning);
    void SetDisplayColours(const QColor &text, const QColor &background);
    void TakeFocusBack();
    QTimer *MakeTimer(const char *name, int intervalMs, void (frmMain::*handler)());

    std::unique_ptr<Ui::frmMain> ui;
    modStopWatch::StopWatch &m_count;
    Preferences &m_preferences;
    SessionTimes m_sessionTimes;
    QTimer *m_timDisplay = nullptr;
    QTimer *m_tmrSnapshot = nullptr;
    QTimer *m_tmrWarning = nullptr;
    bool m_reportedStoreFailure = false;
    bool m_warningTold = false;     // this arming's warning was told
    QPointer<frmCompact> m_compact; // while the compact window stands in for this one
};
