#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmCustomize;
}

// Options > Customize: edits the four stored preferences. OK saves them; Cancel, Escape and the
// close box save nothing.
class frmCustomize : public QDialog
{
    Q_OBJECT

public:
    explicit frmCustomize(QWidget *parent = nullptr);
    ~frmCustomize() override;

    Ui::frmCustomize *controls() const { return ui.get(); }

public slots:
    void chkDisplayWarnings_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    // Escape and the close box come here: they press Cancel.
    void reject() override;

private:
    void Form_Load();
    void ShowCurrentSettings();

    std::unique_ptr<Ui::frmCustomize> ui;
};

namespace CustomizeStore {

struct Values {
    QString customText;
    bool playSounds = true;
    bool displayWarnings = true;
    QString warningDays;
};

// What the dialog shows from the store: the same conversions the main window uses, so a box
// shows what the program will do, and a hand-edited value never breaks the dialog.
Values Read();

// Saves the four keys in their order; on failure returns why, with the store's path.
bool Write(const Values &values, QString *failure);

} // namespace CustomizeStore
