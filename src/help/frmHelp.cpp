#include "help/frmHelp.h"

#include "help/HelpText.h"
#include "ui/DesignFonts.h"
#include "ui/Maker.h"
#include "ui/UrlOpener.h"
#include "ui_frmHelp.h"

#include <QMouseEvent>

frmHelp::frmHelp(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::frmHelp>())
{
    InitDesignResources();
    ui->setupUi(this);
    ApplyDesignFonts(this);
    // A fixed dialog frame: title and close box only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(size());

    ui->Label1->setText(Maker::Name());
    ui->lblURL->setText(Maker::Address());
    ui->lblURL->installEventFilter(this);
    // Escape reaches reject(), which closes the window as Close does.
    connect(ui->cmdClose, &QPushButton::clicked, this, &frmHelp::cmdClose_Click);
    ui->cmdClose->setFocus();

    Form_Load();
}

frmHelp::~frmHelp() = default;

void frmHelp::Form_Load()
{
    ui->lblHelp->setText(HelpText::Build());
}

void frmHelp::lblURL_Click()
{
    UrlOpener::Open(ui->lblURL->text());
}

void frmHelp::cmdClose_Click()
{
    close();
}

bool frmHelp::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->lblURL && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        lblURL_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
