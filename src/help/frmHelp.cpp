#include "help/frmHelp.h"

#include "app/Maker.h"
#include "help/HelpText.h"
#include "ui/Accessibility.h"
#include "ui/Design.h"
#include "ui/Readable.h"
#include "ui/UrlOpener.h"
#include "ui/WindowFrame.h"
#include "ui_frmHelp.h"

#include <QPlainTextEdit>

frmHelp::frmHelp(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::frmHelp>())
{
    LoadDesign(*ui, this, ":/ui/help.png");
    UseDialogFrame(this);

    ui->Label1->setText(Maker::Name());
    Accessibility::MakeLink(ui->lblURL, [this] { lblURL_Click(); });
    ui->lblURL->setText(Maker::Address());
    // The window takes the desktop's colours: the design's blue is lightened on a dark one.
    Readable::KeepColour(ui->lblURL, QColor(0x00, 0x00, 0xFF));
    // Escape reaches reject(), which closes the window as Close does.
    connect(ui->cmdClose, &QPushButton::clicked, this, &frmHelp::cmdClose_Click);
    ui->cmdClose->setFocus();

    Form_Load();
}

frmHelp::~frmHelp() = default;

void frmHelp::Form_Load()
{
    // A read-only text that a screen reader reads line by line as the cursor moves, laid out as
    // a label on the window's own ground; it scrolls where the keys' lines outgrow it.
    QPlainTextEdit *help = ui->lblHelp;
    help->document()->setDocumentMargin(0);
    help->viewport()->setAutoFillBackground(false);
    help->setPlainText(HelpText::Build());
}

void frmHelp::lblURL_Click()
{
    UrlOpener::Open(ui->lblURL->text());
}

void frmHelp::cmdClose_Click()
{
    close();
}
