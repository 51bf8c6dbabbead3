// The Customize dialog through its controls: what it shows, what OK stores and changes at once,
// and the ways out that store nothing.
#include "TestSupport.h"

#include "app/frmMain.h"
#include "settings/SettingsStore.h"
#include "settings/frmCustomize.h"

using namespace SettingsStore;

static QString Shown(const frmCustomize &d) // "text|sounds|warnings|days|days box enabled"
{
    const auto *days = Control<QLineEdit>(&d, "txtWarningDays");
    return QStringList{Control<QLineEdit>(&d, "txtCustomText")->text(),
                       QString::number(Control<QCheckBox>(&d, "chkPlaySounds")->isChecked()),
                       QString::number(Control<QCheckBox>(&d, "chkDisplayWarnings")->isChecked()),
                       days->text(), QString::number(days->isEnabled())}
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

    std::unique_ptr<TestWorld> world;

private slots:
    void init() { world = std::make_unique<TestWorld>(); }
    void cleanup() { world.reset(); }

    // Defaults not shown; stored values, hand-edited junk among them, breaking the dialog or
    // shown as something else; the days box enabled by a warnings box that opens unchecked.
    void opensWithTheStoredValues()
    {
        QCOMPARE(Shown(frmCustomize(world->preferences)) + " stored " + Stored(),
                 "You have not had sex in:|1|1|3|1 stored -|-|-|-");
        for (const auto &[stored, shown] : {std::pair{"maybe", "1|1|maybe|1"},
                                            {"99999", "1|1|99999|1"},
                                            {"", "1|1||1"},
                                            {"0", "0|0|0|1"}}) {
            for (const QString &key : {KeyPlaySounds, KeyDisplayWarnings, KeyWarningDays})
                QVERIFY(SaveSetting(SectionSettings, key, stored));
            QCOMPARE(Shown(frmCustomize(world->preferences)).section('|', 1), QString(shown));
        }
        frmCustomize dialog(world->preferences);
        dialog.show();
        Click(&dialog, "chkDisplayWarnings");
        Click(&dialog, "chkDisplayWarnings");
        QCOMPARE(Shown(dialog).section('|', 2), "0|0|0");
    }

    // A check box's caption standing right of the captions above it, or a click on its left
    // part that does nothing, as under styles that set a right-to-left caption against its box.
    void checkBoxesLineUp()
    {
        frmCustomize dialog(world->preferences);
        dialog.show();
        const QImage image = dialog.grab().toImage();
        const auto captionLeft = [&](const char *name) {
            const QWidget *control = Control(&dialog, name);
            const QRect leftHalf(control->pos(), QSize(control->width() / 2, control->height()));
            return InkBounds(image, leftHalf, [](QRgb pixel) { return qGray(pixel) < 96; }).left();
        };
        for (const char *box : {"chkPlaySounds", "chkDisplayWarnings"}) {
            QVERIFY2(qAbs(captionLeft(box) - captionLeft("Label1")) <= 2, box);
            auto *check = Control<QCheckBox>(&dialog, box);
            const bool before = check->isChecked();
            QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(2, check->height() / 2));
            QCOMPARE(check->isChecked(), !before);
        }
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
            result = dialog->isVisible() ? -1 : dialog->result();
        });
        Control<QAction>(&w, "mnuCustomize")->trigger();
        QVERIFY(result == QDialog::Accepted && MessageBox::history().isEmpty());
        QCOMPARE(Stored(), longText + "|0|0|0.4");
        QCOMPARE(Texts(&w, {"lblCustomText"}), longText);
        Click(&w, "cmdStartStop");
        world->tick(&w, Day);
        QVERIFY(world->playedSounds.isEmpty() && !IsActive(&w, "tmrWarning"));
    }

    // Cancel, Escape and the close box save nothing; OK on a store that can't be written, or
    // with days that are no number, says why, saves nothing, and keeps the dialog open with
    // what was typed.
    void waysOutThatSaveNothing()
    {
        QVERIFY(SaveSetting(SectionSettings, KeyWarningDays, "7"));
        for (int way = 0; way < 5; ++way) {
            frmCustomize dialog(world->preferences);
            dialog.show();
            Click(&dialog, "chkPlaySounds");
            if (way == 0) {
                Click(&dialog, "cmdCancel");
            } else if (way == 1) {
                QTest::keyClick(Control(&dialog, "txtCustomText"), Qt::Key_Escape);
            } else if (way == 2) {
                dialog.close();
            } else if (way == 3) {
                Control<QLineEdit>(&dialog, "txtWarningDays")->setText("a week");
                Click(&dialog, "cmdOK");
            } else {
                world->blockSettingsStore();
                Click(&dialog, "cmdOK");
            }
            QCOMPARE(dialog.isVisible(), way >= 3);
            QCOMPARE(Stored().section('|', 1), way == 4 ? "-|-|-" : "-|-|7");
        }
        QCOMPARE(MessageBox::history().size(), 2);
        QVERIFY(MessageBox::history().value(0).text.contains("\"a week\" is not a number"));
        QVERIFY(MessageBox::history().value(1).text.contains(StoreLocation()));
    }
};

QTEST_MAIN(tst_customize)
#include "tst_customize.moc"
