#pragma once

#include "settings/Preferences.h"

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
    explicit frmCustomize(Preferences &preferences, QWidget *parent = nullptr);
    ~frmCustomize() override;

    // Escape and the close box come here: they press Cancel.
    void reject() override;

private slots:
    void chkDisplayWarnings_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

private:
    void Form_Load();
    void ShowCurrentSettings();

    std::unique_ptr<Ui::frmCustomize> ui;
    Preferences &m_preferences;
    // A stored custom text longer than the box holds, kept to be saved whole.
    QString m_longCustomText;
    // What the store held when the dialog opened.
    PreferenceValues m_shown;
};
