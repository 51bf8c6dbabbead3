#include "TestSupport.h"

#include "app/frmMain.h"
#include "settings/SettingsStore.h"
#include "settings/frmCustomize.h"
#include "ui_frmCustomize.h"

#include <QtTest>

using namespace SettingsStore;

static QString Shown(const Ui::frmCustomize &ui) // "text|sounds|warnings|days|days box enabled"
{
    return QStringList{ui.txtCustomText->text(), QString::number(ui.chkPlaySounds->isChecked()),
                       QString::number(ui.chkDisplayWarnings->isChecked()),
                       ui.txtWarningDays->text(), QString::number(ui.txtWarningDays->isEnabled())}
        .join('|');
}

static QString Stored() // the four keys, in the dialog's order
{
    QStringList values;
    for (const QString &key : {KeyCustomText, KeyPlaySounds, KeyDisplayWarnings, KeyWarningDays})
        values << GetSetting(SectionSettings, key, "-");
    return values.join('|');
}

class tst_customize : public QObject
{
    Q_OBJECT

private slots:
    // What the dialog shows and saves, through the menu, the three ways out and a failed save.
    void okAndCancel()
    {
        TestWorld world;
        frmMain w;
        QCOMPARE(Shown(*frmCustomize().controls()) + " stored " + Stored(),
                 "You have not had sex in:|1|1|3|1 stored -|-|-|-");
        for (const char *junk : {"maybe", "99999", ""}) { // hand-edited: opens as stored
            for (const QString &key : {KeyPlaySounds, KeyDisplayWarnings, KeyWarningDays})
                QVERIFY(SaveSetting(SectionSettings, key, junk));
            QCOMPARE(Shown(*frmCustomize().controls()).section('|', 1),
                     "1|1|" + QString(junk) + "|1");
        }
        modStopWatch::Prefs() = {true, 0, true}; // not what OK will store
        QTimer::singleShot(0, [] {               // OK with an empty text and the days box disabled
            auto *ui = qobject_cast<frmCustomize *>(QApplication::activeModalWidget())->controls();
            ui->txtCustomText->clear();
            ui->chkPlaySounds->click();
            ui->txtWarningDays->setText("0.4");
            ui->chkDisplayWarnings->click();
            ui->cmdOK->click();
            ui->cmdCancel->click(); // in case OK did not close it
        });
        w.mnuCustomize_Click(); // the main window must take up the new warning preferences
        w.cmdStartStop_Click();
        world.clock.advance(24 * 3'600'000);
        w.timDisplay_Timer();
        QVERIFY(world.playedSounds.isEmpty() && !w.tmrWarning()->isActive());
        QVERIFY(QFile(world.home.filePath("f")).open(QIODevice::WriteOnly)); // a file, not a folder
        for (int how = 0; how < 4; ++how) {
            frmCustomize again;
            const Ui::frmCustomize *ui = again.controls();
            QCOMPARE(Shown(*ui), "|0|0|0.4|1"); // warnings off: the box still opens enabled
            again.show();
            ui->chkPlaySounds->click();
            if (how == 3) // OK on a store that can't be written
                QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                                   world.home.filePath("f/c"));
            how == 0   ? ui->cmdCancel->click()
            : how == 1 ? QTest::keyClick(ui->txtCustomText, Qt::Key_Escape)
            : how == 2 ? void(again.close())
                       : ui->cmdOK->click();
            QCOMPARE(Stored() + (again.isVisible() ? " open" : ""),
                     how == 3 ? "-|-|-|- open" : "|0|0|0.4");
        }
        QVERIFY(MessageBox::history().value(0).text.contains(StoreLocation()));
    }
};

QTEST_MAIN(tst_customize)
#include "tst_customize.moc"
