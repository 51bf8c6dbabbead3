// The Customize dialog: what it shows from the store, what OK saves, what Cancel leaves alone,
// and the main window picking the new preferences up at once.
#include "TestSupport.h"

#include "app/frmMain.h"
#include "clock/Sounds.h"
#include "settings/SettingsStore.h"
#include "settings/frmCustomize.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace SettingsStore;

namespace {
// The dialog's controls, found by name as a user finds them by caption.
struct Controls {
    QLineEdit *customText, *warningDays;
    QCheckBox *playSounds, *displayWarnings;
    QPushButton *ok, *cancel;
    explicit Controls(QWidget &d)
        : customText(d.findChild<QLineEdit *>("txtCustomText"))
        , warningDays(d.findChild<QLineEdit *>("txtWarningDays"))
        , playSounds(d.findChild<QCheckBox *>("chkPlaySounds"))
        , displayWarnings(d.findChild<QCheckBox *>("chkDisplayWarnings"))
        , ok(d.findChild<QPushButton *>("cmdOK"))
        , cancel(d.findChild<QPushButton *>("cmdCancel"))
    {}
};

void Store(const QString &key, const QString &value)
{
    QVERIFY(SaveSetting(SectionSettings, key, value));
}

QString Stored(const QString &key)
{
    return GetSetting(SectionSettings, key, "<absent>");
}

// Runs `user` on the modal dialog once the menu command has opened it.
void WhenDialogOpens(std::function<void(frmCustomize &)> user)
{
    QTimer::singleShot(0, [user] {
        auto *dialog = qobject_cast<frmCustomize *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        user(*dialog);
        if (dialog->isVisible()) // a failed check must not leave the test hanging
            dialog->done(QDialog::Rejected);
    });
}

constexpr qint64 Day = 24 * 3'600'000;
} // namespace

class tst_customize : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> world;

    QByteArray settingsBytes() const
    {
        QFile file(world->settingsFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<no file>");
    }

private slots:
    void init() { world = std::make_unique<TestWorld>(); }
    void cleanup()
    {
        modStopWatch::SetSoundPlayer({});
        world.reset();
    }

    void emptyStore()
    {
        frmCustomize dialog;
        Controls c(dialog);
        QCOMPARE(c.customText->text(), QString("You have not had sex in:"));
        QVERIFY(c.playSounds->isChecked());
        QVERIFY(c.displayWarnings->isChecked());
        QCOMPARE(c.warningDays->text(), QString("3"));
        QVERIFY(c.warningDays->isEnabled());
        QCOMPARE(dialog.focusWidget(), c.customText);
        // Opening writes nothing.
        QVERIFY(!QFile::exists(world->settingsFile()));
    }

    void displayWarningsOffStillOpensWithTheDaysBoxEnabled()
    {
        Store(KeyDisplayWarnings, "0");
        Store(KeyWarningDays, "7");
        frmCustomize dialog;
        Controls c(dialog);
        QVERIFY(!c.displayWarnings->isChecked());
        QVERIFY(c.warningDays->isEnabled());
        QCOMPARE(c.warningDays->text(), QString("7"));
        c.displayWarnings->click();
        QVERIFY(c.warningDays->isEnabled());
        c.displayWarnings->click();
        QVERIFY(!c.warningDays->isEnabled());
        QCOMPARE(c.warningDays->text(), QString("7"));
    }

    void okSavesAllFourAsTyped()
    {
        modStopWatch::Prefs().blnPlaySounds = true;
        frmCustomize dialog;
        Controls c(dialog);
        c.customText->setText("");
        c.playSounds->click();
        c.warningDays->setText("12.5 days");
        c.displayWarnings->click(); // disabled now, and its text is saved all the same
        QVERIFY(!c.warningDays->isEnabled());
        c.ok->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(Stored(KeyCustomText), QString(""));
        QCOMPARE(Stored(KeyPlaySounds), QString("0"));
        QCOMPARE(Stored(KeyDisplayWarnings), QString("0"));
        QCOMPARE(Stored(KeyWarningDays), QString("12.5 days"));
        QVERIFY(!modStopWatch::Prefs().blnPlaySounds);
        QVERIFY(MessageBox::history().isEmpty());

        // The empty text stays empty; the default doesn't come back.
        frmCustomize again;
        QCOMPARE(Controls(again).customText->text(), QString(""));
        QCOMPARE(Controls(again).warningDays->text(), QString("12.5 days"));
    }

    void leavingWithoutOkSavesNothing_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Cancel") << "cancel";
        QTest::newRow("Escape") << "escape";
        QTest::newRow("close box") << "close";
    }
    void leavingWithoutOkSavesNothing()
    {
        QFETCH(QString, how);
        Store(KeyCustomText, "Mine");
        Store(KeyPlaySounds, "1");
        Store(KeyDisplayWarnings, "0");
        Store(KeyWarningDays, "5");
        const QByteArray before = settingsBytes();
        modStopWatch::Prefs().blnPlaySounds = true;

        frmCustomize dialog;
        Controls c(dialog);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        c.customText->setText("Changed");
        c.playSounds->click();
        c.displayWarnings->click();
        c.warningDays->setText("9");
        if (how == "cancel")
            c.cancel->click();
        else if (how == "escape")
            QTest::keyClick(c.customText, Qt::Key_Escape);
        else
            dialog.close();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(settingsBytes(), before);
        QVERIFY(modStopWatch::Prefs().blnPlaySounds);
    }

    // Hand-edited values open the dialog, which shows what the main window will do with them.
    void junkInTheStore()
    {
        struct Junk {
            const char *playSounds, *displayWarnings, *warningDays;
            bool soundsOn, warningsOn;
        };
        const Junk rows[] = {{"maybe", "False", "soon", true, false},
                             {"99999", "-70000", "99999", true, true},
                             {"", "0.0", "", true, false}};
        for (const Junk &row : rows) {
            Store(KeyPlaySounds, row.playSounds);
            Store(KeyDisplayWarnings, row.displayWarnings);
            Store(KeyWarningDays, row.warningDays);
            frmMain w;
            frmCustomize dialog(&w);
            Controls c(dialog);
            QCOMPARE(c.playSounds->isChecked(), row.soundsOn);
            QCOMPARE(modStopWatch::Prefs().blnPlaySounds, row.soundsOn);
            QCOMPARE(c.displayWarnings->isChecked(), row.warningsOn);
            QCOMPARE(modStopWatch::Prefs().blnDisplayWarnings, row.warningsOn);
            QCOMPARE(c.warningDays->text(), QString(row.warningDays)); // shown as stored
        }
    }

    // A settings file that can't be written: the user is told why and where, and the dialog
    // stays open with everything typed.
    void failedSaveIsReported()
    {
        QFile blocker(world->home.filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, blocker.fileName() + "/cfg");
        modStopWatch::Prefs().blnPlaySounds = true;

        frmCustomize dialog;
        Controls c(dialog);
        dialog.show();
        c.customText->setText("Typed");
        c.playSounds->click();
        c.ok->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(c.customText->text(), QString("Typed"));
        QVERIFY(modStopWatch::Prefs().blnPlaySounds);
        QCOMPARE(MessageBox::history().size(), 1);
        const MessageBox::Shown shown = MessageBox::history().first();
        QCOMPARE(shown.kind, MessageBox::Error);
        QVERIFY2(shown.text.contains(StoreLocation()), qPrintable(shown.text));
        QVERIFY2(shown.text.contains("is a file, not a folder"), qPrintable(shown.text));
    }

    // Through the menu: whatever closes the dialog, the main window re-reads the store, and the
    // next sound and roll-over follow the new preferences.
    void newPreferencesTakeEffectAtOnce()
    {
        QStringList played;
        modStopWatch::SetSoundPlayer([&](const QString &path, bool) { played << path; });
        frmMain w;
        auto *customText = w.findChild<QLabel *>("lblCustomText");
        modStopWatch::Prefs().blnPlaySounds = false; // not what the store says
        WhenDialogOpens([](frmCustomize &d) { Controls(d).cancel->click(); });
        w.mnuCustomize_Click();
        QVERIFY(modStopWatch::Prefs().blnPlaySounds);

        WhenDialogOpens([](frmCustomize &d) {
            Controls c(d);
            c.customText->setText("<b>x</b>");
            c.playSounds->click();
            c.warningDays->setText("1");
            c.ok->click();
        });
        w.mnuCustomize_Click();
        QCOMPARE(customText->text(), QString("<b>x</b>"));
        w.cmdStartStop_Click();
        world->clock.advance(Day);
        w.timDisplay_Timer();
        QVERIFY(played.isEmpty());
        QVERIFY(w.tmrWarning()->isActive());
        QCOMPARE(w.findChild<QLabel *>("lblWarning")->text(),
                 QString("You have not had sex in 1 days!"));

        w.tmrWarning()->stop();
        WhenDialogOpens([](frmCustomize &d) {
            Controls c(d);
            c.playSounds->click();
            c.displayWarnings->click();
            c.ok->click();
        });
        w.mnuCustomize_Click();
        world->clock.advance(Day);
        w.timDisplay_Timer();
        QCOMPARE(played.size(), 1);
        QVERIFY(!w.tmrWarning()->isActive());
    }
};

QTEST_MAIN(tst_customize)
#include "tst_customize.moc"
