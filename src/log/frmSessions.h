#pragma once

#include <QDialog>

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

    Ui::frmSessions *controls() const { return ui.get(); }
    SessionsModel *model() const { return m_model; }
    bool modified() const { return blnModified; }

    void LoadSessionGrid();
    // False, with the reason shown, when the file could not be written; it is then as it was.
    bool SaveSessionGrid();

public slots:
    void grdSessions_Click();
    void Text1_Change(const QString &text);
    void Text1_KeyDown(int keyCode, Qt::KeyboardModifiers shift);
    void Text1_LostFocus();
    void cmdDeleteRow_Click();
    void cmdClearLog_Click();
    void cmdClose_Click();
    // Escape presses Close.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();

    std::unique_ptr<Ui::frmSessions> ui;
    SessionsModel *m_model = nullptr;
    bool blnModified = false;
    bool m_undecodable = false; // saving keeps a copy of the log as it was
    bool m_closing = false;     // the closing steps are under way or done
    bool m_closed = false;
};
