// The Customize dialog through its controls: what it shows, what OK stores and changes at once,
// and the ways out that store nothing.
#include "TestSupport.h"

#include "app/frmMain.h"
#include "settings/SettingsStore.h"
#include "settings/frmCustomize.h"

using namespace SettingsStore;

static QStringList Stored() // the four keys, in the dialog's order; "-": absent
{
    QStringList values;
    for (const QString &key : {KeyCustomText, KeyPlaySounds, KeyDisplayWarnings, KeyWarningDays})
        values << GetSetting(SectionSettings, key, "-");
    return values;
}

class tst_customize : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestWorld> world;

private slots:
    void init() { world = std::make_unique<TestWorld>(); }
    void cleanup() { world.reset(); }

    // Defaults not shown; stored values, hand-edited junk among them, breaking the dialog, shown
    // as something else, or stored back by merely opening it.
    void opensWithTheStoredValues_data()
    {
        QTest::addColumn<QString>("stored"); // in the sounds, warnings and days keys; null: none
        QTest::addColumn<bool>("checked");
        QTest::addColumn<QString>("days");
        QTest::newRow("nothing stored") << QString() << true << "3";
        QTest::newRow("junk") << "maybe" << true << "maybe";
        QTest::newRow("0") << "0" << false << "0";
    }
    void opensWithTheStoredValues()
    {
        QFETCH(QString, stored);
        QFETCH(bool, checked);
        QFETCH(QString, days);
        for (const QString &key : {KeyPlaySounds, KeyDisplayWarnings, KeyWarningDays}) {
            if (!stored.isNull())
                QVERIFY(SaveSetting(SectionSettings, key, stored));
        }
        const frmCustomize dialog(world->preferences);
        QCOMPARE(Control<QLineEdit>(&dialog, "txtCustomText")->text(), "You have not had sex in:");
        QCOMPARE(Control<QCheckBox>(&dialog, "chkPlaySounds")->isChecked(), checked);
        QCOMPARE(Control<QCheckBox>(&dialog, "chkDisplayWarnings")->isChecked(), checked);
        QCOMPARE(Control<QLineEdit>(&dialog, "txtWarningDays")->text(), days);
        const QString kept = stored.isNull() ? "-" : stored;
        QCOMPARE(Stored(), (QStringList{"-", kept, kept, kept}));
    }

    // The days box left enabled by a warnings box that opens unchecked and is switched on and off.
    void daysBoxFollowsTheWarningsBox()
    {
        QVERIFY(SaveSetting(SectionSettings, KeyDisplayWarnings, "0"));
        frmCustomize dialog(world->preferences);
        dialog.show();
        QVERIFY(Control(&dialog, "txtWarningDays")->isEnabled());
        Click(&dialog, "chkDisplayWarnings");
        Click(&dialog, "chkDisplayWarnings");
        QVERIFY(!Control(&dialog, "txtWarningDays")->isEnabled());
    }

    // A check box's caption standing right of the captions above it, or a click on its left
    // part that does nothing, as under styles that set a right-to-left caption against its box.
    void checkBoxesLineUp_data()
    {
        QTest::addColumn<QString>("box");
        QTest::newRow("chkPlaySounds") << "chkPlaySounds";
        QTest::newRow("chkDisplayWarnings") << "chkDisplayWarnings";
    }
    void checkBoxesLineUp()
    {
        QFETCH(QString, box);
        frmCustomize dialog(world->preferences);
        dialog.show();
        const QImage image = dialog.grab().toImage();
        const auto caption = [&](const QWidget *control) { // its ink in its left half
            const QRect leftHalf(control->pos(), QSize(control->width() / 2, control->height()));
            return InkBounds(image, leftHalf, [](QRgb pixel) { return qGray(pixel) < 96; });
        };
        auto *check = Control<QCheckBox>(&dialog, qPrintable(box));
        const QRect boxCaption = caption(check), labelCaption = caption(Control(&dialog, "Label1"));
        QVERIFY(!boxCaption.isEmpty()); // two empty rectangles would line up as well
        QVERIFY(!labelCaption.isEmpty());
        QVERIFY2(qAbs(boxCaption.left() - labelCaption.left()) <= 2,
                 qPrintable(QString("%1 vs %2").arg(boxCaption.left()).arg(labelCaption.left())));
        const bool before = check->isChecked();
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(2, check->height() / 2));
        QCOMPARE(check->isChecked(), !before);
    }

    // A stored custom text longer than the box holds: cut by an OK that changed nothing; and a
    // paste longer than the box can edit at once.
    void longCustomTexts()
    {
        const QString stored(70'000, QChar('y'));
        QVERIFY(SaveSetting(SectionSettings, KeyCustomText, stored));
        for (const int pasted : {0, 70'000}) {
            frmCustomize dialog(world->preferences);
            auto *text = Control<QLineEdit>(&dialog, "txtCustomText");
            QCOMPARE(text->text().size(), 65'535);
            text->selectAll();
            if (pasted > 0)
                text->insert(QString(pasted, QChar('z')));
            Click(&dialog, "cmdOK");
            QCOMPARE(GetSetting(SectionSettings, KeyCustomText).size(),
                     pasted > 0 ? 65'535 : stored.size());
        }
        QVERIFY(MessageBox::history().value(0).text.contains(QLocale().toString(70'000)));
    }

    // Customize open in two copies at once: the second OK putting back what the first stored.
    void twoCopiesAtOnce()
    {
        frmCustomize first(world->preferences);
        frmCustomize second(world->preferences);
        Control<QLineEdit>(&first, "txtWarningDays")->setText("9");
        Click(&first, "cmdOK");
        Control<QLineEdit>(&second, "txtCustomText")->setText("mine");
        Click(&second, "cmdOK");
        QCOMPARE(GetSetting(SectionSettings, KeyWarningDays), "9");
        QCOMPARE(GetSetting(SectionSettings, KeyCustomText), "mine");
    }

    // OK through the menu on a hand-edited file: all four stored as typed, with no false alarm,
    // the dialog gone, and the main window taking up the new preferences at once (no sound, no
    // warning at the next roll-over).
    void okStoresAndTakesEffect()
    {
        world->writeLog("\xEF\xBB\xBF[Settings]\njunk\nWarning%20Days=5\n", world->settingsFile());
        frmMain w(world->count, world->preferences);
        w.show();
        const QString longText(40'000, QChar('x')); // past a text box's default limit
        int result = -1;
        WhenModal<frmCustomize>(&w, [&](frmCustomize *dialog) {
            QLineEdit *text = Control<QLineEdit>(dialog, "txtCustomText");
            QCOMPARE(dialog->focusWidget(), text);
            text->selectAll();
            QTest::keyClick(text, Qt::Key_Delete);
            text->insert(longText);
            Click(dialog, "chkPlaySounds");
            Control<QLineEdit>(dialog, "txtWarningDays")->setText("0.4");
            Click(dialog, "chkDisplayWarnings");
            Click(dialog, "cmdOK");
            if (!dialog->isVisible())
                result = dialog->result();
        });
        Control<QAction>(&w, "mnuCustomize")->trigger();
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(MessageBox::history().size(), 0);
        QCOMPARE(Stored(), (QStringList{longText, "0", "0", "0.4"}));
        QCOMPARE(Texts(&w, {"lblCustomText"}), longText);
        Click(&w, "cmdStartStop");
        world->tick(&w, Day);
        QCOMPARE(world->playedSounds, QStringList());
        QVERIFY(!IsActive(&w, "tmrWarning"));
    }

    // Cancel, Escape and the close box save nothing; OK on a store that can't be written, or
    // with days that are no number, says why, saves nothing, and keeps the dialog open with
    // what was typed.
    void waysOutThatSaveNothing_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("message"); // what the box says; empty: none, and the dialog goes
        QTest::newRow("Cancel") << "cancel" << QString();
        QTest::newRow("Escape") << "escape" << QString();
        QTest::newRow("close box") << "close" << QString();
        QTest::newRow("days no number") << "a week"
                                        << "\"a week\" is not a number";
        QTest::newRow("store blocked") << "blocked"
                                       << "/f/c/Pendrel/Pendrel.ini"; // the store
    }
    void waysOutThatSaveNothing()
    {
        QFETCH(QString, way);
        QFETCH(QString, message);
        QVERIFY(SaveSetting(SectionSettings, KeyWarningDays, "7"));
        frmCustomize dialog(world->preferences);
        dialog.show();
        Click(&dialog, "chkPlaySounds");
        if (way == "cancel") {
            Click(&dialog, "cmdCancel");
        } else if (way == "escape") {
            QTest::keyClick(Control(&dialog, "txtCustomText"), Qt::Key_Escape);
        } else if (way == "close") {
            dialog.close();
        } else if (way == "blocked") {
            world->blockSettingsStore();
            Click(&dialog, "cmdOK");
        } else {
            Control<QLineEdit>(&dialog, "txtWarningDays")->setText(way);
            Click(&dialog, "cmdOK");
        }
        QCOMPARE(dialog.isVisible(), !message.isEmpty());
        QCOMPARE(Control<QCheckBox>(&dialog, "chkPlaySounds")->isChecked(), false);
        const QString days = way == "blocked" ? "-" : "7"; // the blocked store reads as empty
        QCOMPARE(Stored(), (QStringList{"-", "-", "-", days}));
        QCOMPARE(MessageBox::history().size(), int(!message.isEmpty()));
        if (!message.isEmpty())
            QVERIFY(MessageBox::history().value(0).text.contains(message));
    }
};

QTEST_MAIN(tst_customize)
#include "tst_customize.moc"
