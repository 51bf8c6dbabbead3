#pragma once

#include "log/SessionLog.h"

#include <QDialog>
#include <QPersistentModelIndex>

#include <memory>

class SessionsModel;

namespace Ui {
class frmSessions;
}

// The sessions window: the session log as a grid, an editor laid over the clicked cell, and
// Delete Row, Clear Log and Close. Edits stay in the grid until Close saves them.
class frmSessions : public QDialog
{
    Q_OBJECT

public:
    explicit frmSessions(QWidget *parent = nullptr);
    ~frmSessions() override;

    // Escape presses Close.
    void reject() override;
    // The desktop session ends: edits are saved, asked about first where the user may be asked.
    void SessionEnding(bool mayAsk);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void grdSessions_Click();
    void Text1_Change(const QString &text);
    void Text1_KeyDown(int keyCode, Qt::KeyboardModifiers shift);
    void Text1_LostFocus();
    void cmdDeleteRow_Click();
    void cmdClearLog_Click();
    void cmdClose_Click();

private:
    void Form_Load();
    void LoadSessionGrid();
    // Says "Saved", or why the file was not written; it is then as it was.
    bool SaveSessionGrid();

    std::unique_ptr<Ui::frmSessions> ui;
    SessionsModel *m_model = nullptr;
    // The cell the editor writes to: set when it opens, and by nothing else.
    QPersistentModelIndex m_editing;
    SessionLog::Loaded m_loaded; // what the grid was read from
    bool blnModified = false;
    bool m_closing = false; // the closing steps are under way or done
    bool m_closed = false;
};
