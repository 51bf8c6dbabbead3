#pragma once

#include <QMenu>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class frmMain;
class QAction;
class QSystemTrayIcon;

namespace modStopWatch {
class StopWatch;
}

// The count in the panel's tray, while the user wants it there: the tooltip says "N days, hh:mm"
// and the menu drives the main window. It wakes once a minute at most, when the tooltip changes.
class TrayIcon : public QObject
{
    Q_OBJECT

public:
    TrayIcon(modStopWatch::StopWatch &count, frmMain &window, QObject *parent = nullptr);
    ~TrayIcon() override;

    // Whether the desktop has a tray to show an icon in; tests may say otherwise.
    static bool Available();
    static void SetAvailability(std::function<bool()> available);

    void SetShown(bool shown);
    bool IsShown() const { return m_icon != nullptr; }
    QString ToolTip() const;
    QMenu *Menu() const { return m_menu.get(); } // made when first shown
    // A click on the icon: shows the main window, or hides it while it shows.
    void Clicked();

private:
    void Update();
    void MakeMenu();

    modStopWatch::StopWatch &m_count;
    frmMain &m_window;
    QSystemTrayIcon *m_icon = nullptr;
    std::unique_ptr<QMenu> m_menu;
    QAction *m_startStop = nullptr;
    QTimer m_nextMinute{this};
};
