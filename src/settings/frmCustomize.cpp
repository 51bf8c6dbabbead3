#include "settings/frmCustomize.h"

#include "clock/modStopWatch.h"
#include "settings/SettingsStore.h"
#include "ui/DesignFonts.h"
#include "ui/MessageBox.h"
#include "ui/WindowFrame.h"
#include "ui_frmCustomize.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace SettingsStore;

namespace CustomizeStore {

namespace {
QString OneOrZero(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// Why the settings file can't be written, as near as the file system tells.
QString WriteFailureReason(const QString &path)
{
    const QFileInfo file(path);
    if (file.exists()) {
        QFile probe(path);
        if (!probe.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
            return probe.errorString();
        return QStringLiteral("The file could not be written.");
    }
    // The nearest folder on the way that exists, or the file that stands in a folder's place.
    QFileInfo ancestor(file.absolutePath());
    while (!ancestor.exists() && !ancestor.isRoot() &&
           ancestor.absolutePath() != ancestor.filePath())
        ancestor = QFileInfo(ancestor.absolutePath());
    if (ancestor.exists() && !ancestor.isDir())
        return QStringLiteral("%1 is a file, not a folder.")
            .arg(QDir::toNativeSeparators(ancestor.filePath()));
    return QStringLiteral("The folder %1 cannot be written.")
        .arg(QDir::toNativeSeparators(ancestor.filePath()));
}
} // namespace

Values Read()
{
    Values values;
    values.customText = GetSetting(SectionSettings, KeyCustomText, DefaultCustomText);
    values.playSounds = GetBoolean(SectionSettings, KeyPlaySounds, DefaultPlaySounds);
    values.displayWarnings =
        GetBoolean(SectionSettings, KeyDisplayWarnings, DefaultDisplayWarnings);
    values.warningDays =
        GetSetting(SectionSettings, KeyWarningDays, QString::number(DefaultWarningDays));
    return values;
}

bool Write(const Values &values, QString *failure)
{
    // The texts go in as typed: the main window decides what a days text means.
    const bool saved =
        SaveSetting(SectionSettings, KeyCustomText, values.customText) &&
        SaveSetting(SectionSettings, KeyPlaySounds, OneOrZero(values.playSounds)) &&
        SaveSetting(SectionSettings, KeyDisplayWarnings, OneOrZero(values.displayWarnings)) &&
        SaveSetting(SectionSettings, KeyWarningDays, values.warningDays);
    if (!saved && failure) {
        const QString path = StoreLocation();
        *failure = QStringLiteral("Your settings could not be saved.\n\n%1\n\nSettings file: %2")
                       .arg(WriteFailureReason(path), QDir::toNativeSeparators(path));
    }
    return saved;
}

} // namespace CustomizeStore

frmCustomize::frmCustomize(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::frmCustomize>())
{
    LoadDesign(*ui, this);
    UseDialogFrame(this);

    connect(ui->cmdOK, &QPushButton::clicked, this, &frmCustomize::cmdOK_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmCustomize::cmdCancel_Click);
    // Any change of the box, by the user or from the store, sets the days box.
    connect(ui->chkDisplayWarnings, &QCheckBox::toggled, this,
            &frmCustomize::chkDisplayWarnings_Click);

    Form_Load();
    ui->txtCustomText->setFocus();
}

frmCustomize::~frmCustomize() = default;

void frmCustomize::Form_Load()
{
    ShowCurrentSettings();
}

// The boxes start unchecked and the days box enabled: only a box that comes up checked
// changes anything, so the days box opens enabled even when warnings are off.
void frmCustomize::ShowCurrentSettings()
{
    const CustomizeStore::Values values = CustomizeStore::Read();
    ui->txtCustomText->setText(values.customText);
    ui->chkPlaySounds->setChecked(values.playSounds);
    ui->chkDisplayWarnings->setChecked(values.displayWarnings);
    ui->txtWarningDays->setText(values.warningDays);
}

void frmCustomize::chkDisplayWarnings_Click()
{
    ui->txtWarningDays->setEnabled(ui->chkDisplayWarnings->isChecked());
}

void frmCustomize::cmdOK_Click()
{
    CustomizeStore::Values values;
    values.customText = ui->txtCustomText->text();
    values.playSounds = ui->chkPlaySounds->isChecked();
    values.displayWarnings = ui->chkDisplayWarnings->isChecked();
    values.warningDays = ui->txtWarningDays->text();

    QString failure;
    if (!CustomizeStore::Write(values, &failure)) {
        // Stay open: what was typed is not lost, and Cancel still leaves.
        MessageBox::error(this, failure);
        return;
    }
    modStopWatch::Prefs().blnPlaySounds = values.playSounds;
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
