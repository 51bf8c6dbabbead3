#include "settings/frmCustomize.h"

#include "files/Autostart.h"
#include "settings/Preferences.h"
#include "tray/TrayIcon.h"
#include "ui/Design.h"
#include "ui/MessageBox.h"
#include "ui/WindowFrame.h"
#include "ui_frmCustomize.h"

#include <QCoreApplication>

#include <limits>

using SettingsStore::ToInteger16;

namespace {
// The custom-text box holds this much: far more than the main window shows, and still quick to
// edit. A text box lays out and paints its whole text at every key, and a megabyte of it froze
// the dialog for a second or more per key press.
constexpr int LongestCustomText = 65'535;

// A text as a message quotes it: a pasted page would fill the screen.
QString ShortText(const QString &text)
{
    constexpr int Longest = 40;
    return text.size() <= Longest ? text : text.left(Longest - 1) + QChar(0x2026);
}
} // namespace

frmCustomize::frmCustomize(Preferences &preferences, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::frmCustomize>())
    , m_preferences(preferences)
{
    LoadDesign(*ui, this, ":/ui/pendrel.png");
    UseDialogFrame(this);
    // A text box would otherwise cut what it shows, and then what OK saves, at 32,767 characters.
    ui->txtCustomText->setMaxLength(LongestCustomText);
    ui->txtWarningDays->setMaxLength(std::numeric_limits<int>::max());

    connect(ui->cmdOK, &QPushButton::clicked, this, &frmCustomize::cmdOK_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmCustomize::cmdCancel_Click);
    // Enter in a box presses OK, as in any dialog, though none of its buttons is the default.
    for (QLineEdit *box : {ui->txtCustomText, ui->txtWarningDays})
        connect(box, &QLineEdit::returnPressed, ui->cmdOK, &QPushButton::click);
    // Any change of the box, by the user or from the store, sets the days box.
    connect(ui->chkDisplayWarnings, &QCheckBox::toggled, this,
            &frmCustomize::chkDisplayWarnings_Click);

    if (!TrayIcon::Available()) {
        ui->chkShowInTray->setEnabled(false);
        ui->chkShowInTray->setText(
            QStringLiteral("Show in the system tray (this desktop has none)"));
    }

    Form_Load();
    ui->txtCustomText->setFocus();
}

frmCustomize::~frmCustomize() = default;

void frmCustomize::Form_Load()
{
    ShowCurrentSettings();
}

// The boxes start unchecked and the days box enabled: only a box that comes up checked
// changes anything, so the days box opens enabled even when warnings are off. The boxes read
// the store as the program does, so a box shows what the program will do, and a hand-edited
// value never breaks the dialog.
void frmCustomize::ShowCurrentSettings()
{
    const PreferenceValues values = Preferences::Read();
    m_shown = values;
    // A longer stored text (edited by hand) is kept whole unless the user changes its
    // beginning, which is all the box can hold; the user is told so first.
    m_longCustomText.clear();
    if (values.strCustomText.size() > LongestCustomText) {
        m_longCustomText = values.strCustomText;
        MessageBox::information(
            this, QStringLiteral("The custom text is %L1 characters long; this box shows its "
                                 "first %L2. It is kept whole unless you change it here.")
                      .arg(values.strCustomText.size())
                      .arg(LongestCustomText));
    }
    ui->txtCustomText->setText(values.strCustomText.left(LongestCustomText));
    ui->chkPlaySounds->setChecked(values.blnPlaySounds);
    ui->chkDisplayWarnings->setChecked(values.blnDisplayWarnings);
    ui->txtWarningDays->setText(values.strWarningDays);
    ui->chkKeepCounting->setChecked(values.blnKeepCounting);
    ui->chkShowInTray->setChecked(values.blnShowInTray);
    // The desktop's own start-up settings may have switched it off meanwhile.
    ui->chkStartAtLogin->setChecked(Autostart::IsOn());
}

void frmCustomize::chkDisplayWarnings_Click()
{
    ui->txtWarningDays->setEnabled(ui->chkDisplayWarnings->isChecked());
}

void frmCustomize::cmdOK_Click()
{
    PreferenceValues values;
    values.strCustomText = ui->txtCustomText->text();
    if (!m_longCustomText.isEmpty() &&
        values.strCustomText == QStringView(m_longCustomText).left(LongestCustomText))
        values.strCustomText = m_longCustomText;
    values.blnPlaySounds = ui->chkPlaySounds->isChecked();
    values.blnDisplayWarnings = ui->chkDisplayWarnings->isChecked();
    values.strWarningDays = ui->txtWarningDays->text();
    values.blnKeepCounting = ui->chkKeepCounting->isChecked();
    values.blnShowInTray = ui->chkShowInTray->isChecked();
    if (ui->txtWarningDays->isEnabled() && !ToInteger16(values.strWarningDays)) {
        // Stored, it would silently mean the default; the user meant some number of days.
        MessageBox::error(this, QStringLiteral("Please type the number of days after which the "
                                               "warning appears, such as 3.\n\n\"%1\" is not "
                                               "a number.")
                                    .arg(ShortText(values.strWarningDays)));
        ui->txtWarningDays->setFocus();
        ui->txtWarningDays->selectAll();
        return;
    }

    // What this dialog left as it found it takes what the store holds now: another copy's OK
    // meanwhile is not undone.
    const PreferenceValues now = Preferences::Read();
    if (values.strCustomText == m_shown.strCustomText)
        values.strCustomText = now.strCustomText;
    if (values.blnPlaySounds == m_shown.blnPlaySounds)
        values.blnPlaySounds = now.blnPlaySounds;
    if (values.blnDisplayWarnings == m_shown.blnDisplayWarnings)
        values.blnDisplayWarnings = now.blnDisplayWarnings;
    if (values.strWarningDays == m_shown.strWarningDays)
        values.strWarningDays = now.strWarningDays;
    if (values.blnKeepCounting == m_shown.blnKeepCounting)
        values.blnKeepCounting = now.blnKeepCounting;
    if (values.blnShowInTray == m_shown.blnShowInTray)
        values.blnShowInTray = now.blnShowInTray;

    const bool startAtLogin = ui->chkStartAtLogin->isChecked();
    if (startAtLogin != Autostart::IsOn()) {
        const QString failed =
            Autostart::Set(startAtLogin, QCoreApplication::applicationFilePath());
        if (!failed.isEmpty()) {
            MessageBox::error(this, QStringLiteral("Pendrel could not be set to %1 when you log "
                                                   "in.\n\n%2\n\nStart-up entry: %3")
                                        .arg(startAtLogin ? QStringLiteral("start")
                                                          : QStringLiteral("stop starting"),
                                             failed, Autostart::EntryPath()));
            return;
        }
    }

    QString failure;
    if (!m_preferences.Save(values, &failure)) {
        // Stay open: what was typed is not lost, and Cancel still leaves.
        MessageBox::error(this, failure);
        return;
    }
    accept();
}

void frmCustomize::cmdCancel_Click()
{
    QDialog::reject();
}

void frmCustomize::reject()
{
    cmdCancel_Click();
}
