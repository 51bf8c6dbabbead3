#include "log/frmSessions.h"

#include "log/SessionLog.h"
#include "log/SessionsModel.h"
#include "ui/Accessibility.h"
#include "ui/Design.h"
#include "ui/MessageBox.h"
#include "ui/SessionEnd.h"
#include "ui/WindowFrame.h"
#include "ui_frmSessions.h"

#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>

#include <limits>

namespace {
// Column widths of 2200, 2200, 2200 and 4055 twips.
constexpr int ColumnWidths[SessionLog::ColumnCount] = {147, 147, 147, 270};
constexpr int RowHeight = 18;
} // namespace

frmSessions::frmSessions(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::frmSessions>())
    , m_model(new SessionsModel(this))
{
    LoadDesign(*ui, this, ":/ui/pendrel.png");
    UseDialogFrame(this);

    QTableView *grid = ui->grdSessions;
    grid->setModel(m_model);
    grid->setAccessibleName(QStringLiteral("Sessions"));
    QHeaderView *rows = grid->verticalHeader();
    rows->setMinimumSectionSize(1);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(RowHeight);
    QHeaderView *header = grid->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setFixedHeight(RowHeight);
    // The grid does not scroll itself on a click; the editor's placement does that. The
    // keyboard's cell comes into view.
    grid->setAutoScroll(false);
    connect(grid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [grid](const QModelIndex &current) {
                if (QGuiApplication::mouseButtons() == Qt::NoButton)
                    grid->scrollTo(current);
            });

    // The editor lives on the grid's viewport: it scrolls with its cell and is clipped to the
    // cells, and a wheel over it still scrolls the grid.
    QLineEdit *editor = ui->Text1;
    editor->setParent(grid->viewport());
    editor->hide();
    editor->setMaxLength(std::numeric_limits<int>::max()); // a cell of any length stays whole
    editor->installEventFilter(this);
    grid->installEventFilter(this);
    grid->viewport()->installEventFilter(this);
    setTabOrder(grid, editor);
    setTabOrder(editor, ui->cmdClearLog);
    setTabOrder(ui->cmdClearLog, ui->cmdClose);
    setTabOrder(ui->cmdClose, ui->cmdDeleteRow);

    connect(grid, &QTableView::clicked, this, &frmSessions::grdSessions_Click);
    connect(editor, &QLineEdit::textChanged, this, &frmSessions::Text1_Change);
    connect(ui->cmdDeleteRow, &QPushButton::clicked, this, &frmSessions::cmdDeleteRow_Click);
    connect(ui->cmdClearLog, &QPushButton::clicked, this, &frmSessions::cmdClearLog_Click);
    connect(ui->cmdClose, &QPushButton::clicked, this, &frmSessions::cmdClose_Click);
    connect(&SessionEnd::Instance(), &SessionEnd::ending, this, &frmSessions::SessionEnding);

    Form_Load();
    grid->setFocus();
}

frmSessions::~frmSessions() = default;

void frmSessions::Form_Load()
{
    LoadSessionGrid();
}

void frmSessions::LoadSessionGrid()
{
    ui->Text1->hide();
    m_model->setRows({});
    m_loaded = {};
    for (int column = 0; column < SessionLog::ColumnCount; ++column)
        ui->grdSessions->setColumnWidth(column, ColumnWidths[column]);

    SessionLog::ReadResult read = SessionLog::ReadAll();
    if (!read.outcome.ok) {
        MessageBox::error(
            this, SessionLog::FailureText(QStringLiteral("The session log could not be read."),
                                          read.outcome));
        return;
    }
    m_model->setRows(std::move(read.rows));
    m_loaded = read.loaded;
    if (m_loaded.legacy) {
        MessageBox::information(
            this, QStringLiteral("The session log was written on an older system, in the "
                                 "Windows-1252 encoding, and is shown as such. Saving stores it "
                                 "as UTF-8, and first keeps a copy of it as it was."));
    }
}

bool frmSessions::SaveSessionGrid()
{
    SessionLog::Outcome saved = SessionLog::Rewrite(m_model->rows(), m_loaded);
    if (saved.changed) {
        if (MessageBox::question(
                this, QStringLiteral("The session log has changed since this window opened: "
                                     "another copy of Pendrel or another program has cleared, "
                                     "saved or edited it.\n\nDo you want to replace it with the "
                                     "rows shown here? Yes replaces it, keeping the file as it is "
                                     "now in a copy beside it. No leaves the file as it is and "
                                     "this window open.")) != MessageBox::Yes)
            return false;
        saved = SessionLog::Rewrite(m_model->rows(), m_loaded, true);
    }
    if (!saved.ok) {
        MessageBox::error(this, SessionLog::FailureText(
                                    QStringLiteral("The changes could not be saved. The session "
                                                   "log is as it was before."),
                                    saved));
        return false;
    }
    MessageBox::message(this, QStringLiteral("Saved"));
    if (!saved.backup.isEmpty()) {
        MessageBox::information(this, QStringLiteral("The session log as it was before is kept "
                                                     "in %1.")
                                          .arg(QDir::toNativeSeparators(saved.backup)));
    }
    return true;
}

void frmSessions::grdSessions_Click()
{
    QTableView *grid = ui->grdSessions;
    const QModelIndex current = grid->currentIndex();
    if (!current.isValid())
        return;
    grid->scrollTo(current);
    m_editing = current;
    ui->Text1->show();
    ui->Text1->raise();
    // A text that differs from the editor's is a change: it is written back and counts as one.
    ui->Text1->setText(m_model->cell(current.row(), current.column()));
    ui->Text1->setGeometry(grid->visualRect(current));
    ui->Text1->setAccessibleName(
        m_model->headerData(current.column(), Qt::Horizontal, Qt::DisplayRole).toString());
    ui->Text1->setFocus(Qt::MouseFocusReason);
}

void frmSessions::Text1_Change(const QString &text)
{
    if (m_editing.isValid())
        m_model->setCell(m_editing.row(), m_editing.column(), text);
    blnModified = true;
}

void frmSessions::Text1_KeyDown(int keyCode, Qt::KeyboardModifiers shift)
{
    Q_UNUSED(shift);
    if (keyCode == Qt::Key_Return || keyCode == Qt::Key_Enter) {
        ui->Text1->hide();
        ui->grdSessions->setFocus();
    }
}

void frmSessions::Text1_LostFocus()
{
    ui->Text1->hide();
}

void frmSessions::cmdDeleteRow_Click()
{
    if (m_model->rowCount() == 0)
        return;
    if (MessageBox::question(this,
                             QStringLiteral("Are you sure you want to delete the selected row?")) !=
        MessageBox::Yes)
        return;
    const QModelIndex current = ui->grdSessions->currentIndex();
    m_model->removeRows(current.isValid() ? current.row() : 0, 1);
    blnModified = true; // a deletion is only kept by saving, so closing must ask
}

void frmSessions::cmdClearLog_Click()
{
    const SessionLog::Outcome removed = SessionLog::Clear();
    if (!removed.ok) {
        MessageBox::error(
            this, SessionLog::FailureText(QStringLiteral("The session log could not be cleared."),
                                          removed));
        return;
    }
    MessageBox::information(this, QStringLiteral("Session Log cleared"));
    LoadSessionGrid();
}

void frmSessions::cmdClose_Click()
{
    if (m_closing)
        return;
    m_closing = true;
    if (blnModified &&
        MessageBox::question(this, QStringLiteral("Do you want to save the changes you made?")) ==
            MessageBox::Yes) {
        if (!SaveSessionGrid()) {
            // The edits stay on screen: the user can try again, or close and answer No.
            m_closing = false;
            return;
        }
    }
    m_closed = true;
    QDialog::done(QDialog::Rejected);
}

void frmSessions::SessionEnding(bool mayAsk)
{
    if (!blnModified || m_closing)
        return;
    if (mayAsk) {
        cmdClose_Click();
        return;
    }
    // Nobody is there to answer: the edits are kept, and a log that changed meanwhile is kept
    // in a backup beside it.
    blnModified = !SessionLog::Rewrite(m_model->rows(), m_loaded, true).ok;
}

void frmSessions::reject()
{
    cmdClose_Click();
}

void frmSessions::closeEvent(QCloseEvent *event)
{
    if (!m_closed)
        cmdClose_Click();
    if (m_closed)
        event->accept();
    else
        event->ignore();
}

bool frmSessions::eventFilter(QObject *watched, QEvent *event)
{
    // A key the editor leaves (Up, Page Down...) would reach the grid and move its current cell;
    // it stays in the editor, as in any text box. Escape still goes on to press Close.
    if (event->type() == QEvent::KeyPress && ui->Text1->hasFocus() &&
        (watched == ui->grdSessions || watched == ui->grdSessions->viewport()) &&
        static_cast<QKeyEvent *>(event)->key() != Qt::Key_Escape)
        return true;
    // Arrived in the grid, on opening or after an edit: a screen reader says the cell. It is
    // told after the toolkit tells the grid itself, which would otherwise have the last word.
    if (watched == ui->grdSessions && event->type() == QEvent::FocusIn) {
        QMetaObject::invokeMethod(
            this, [this] { Accessibility::TellCurrentCell(ui->grdSessions); },
            Qt::QueuedConnection);
    }
    if (watched == ui->grdSessions && event->type() == QEvent::KeyPress) {
        // The keyboard's way to the editor, as a click is the mouse's.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_F2 || key == Qt::Key_Return || key == Qt::Key_Enter) {
            grdSessions_Click();
            return true;
        }
    }
    if (watched == ui->Text1) {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            Text1_KeyDown(key->key(), key->modifiers());
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                return true;
        } else if (event->type() == QEvent::FocusOut) {
            // Neither the editor's own context menu nor a switch to another program ends the
            // edit: the user comes back to the same text and goes on typing.
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                Text1_LostFocus();
        }
    }
    return QDialog::eventFilter(watched, event);
}
