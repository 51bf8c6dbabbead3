#include "TestSupport.h"

#include "app/Maker.h"
#include "help/frmHelp.h"

class tst_help : public QObject
{
    Q_OBJECT

    QStringList browsed;

public slots:
    void browse(const QUrl &url) { browsed << url.toString(); } // the desktop's browser

private slots:
    // The web address handed to the desktop's browser as a bare name, which opens nothing.
    void webAddressOpens()
    {
        QDesktopServices::setUrlHandler("http", this, "browse");
        const auto restore = qScopeGuard([] { QDesktopServices::unsetUrlHandler("http"); });
        frmHelp help;
        help.show();
        QTest::mouseClick(Control(&help, "lblURL"), Qt::LeftButton);
        QCOMPARE(browsed, QStringList{"http://" + Maker::Address()});
    }
};

QTEST_MAIN(tst_help)
#include "tst_help.moc"
