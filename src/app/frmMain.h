#pragma once

#include <QMainWindow>

#include <memory>

class QTimer;

namespace Ui {
class frmMain;
}

// The main window: the count, its buttons, the Options menu and the web address.
class frmMain : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    Ui::frmMain *controls() const { return ui.get(); }
    QTimer *timDisplay() const { return m_timDisplay; }
    QTimer *tmrSnapshot() const { return m_tmrSnapshot; }
    QTimer *tmrWarning() const { return m_tmrWarning; }

public slots:
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
    void AppendSessionLog();
    void SaveSessionTime(const QString &key, const QString &value);
    bool IsRunning() const;
    void SetDisplayColours(const QColor &text, const QColor &background);
    QTimer *MakeTimer(const char *name, int intervalMs, void (frmMain::*handler)());

    std::unique_ptr<Ui::frmMain> ui;
    QTimer *m_timDisplay = nullptr;
    QTimer *m_tmrSnapshot = nullptr;
    QTimer *m_tmrWarning = nullptr;
    bool m_reportedStoreFailure = false;
};
