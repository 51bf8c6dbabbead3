#include "log/SessionsModel.h"

#include <QColor>

namespace {
const char *const Headers[SessionLog::ColumnCount] = {"Start Time", "Stop Time", "Time Elapsed",
                                                      "Comment"};
const QColor CellColour(0xFF, 0xE9, 0xD2);
// The cells' colour is fixed, so their text is too: a dark desktop scheme's light text would
// not read on it.
const QColor CellTextColour(Qt::black);
constexpr int CellAlignment = Qt::AlignLeft | Qt::AlignVCenter;
// Far more than a cell's width shows; a longer text is cut for the screen only, so that painting
// never lays out a whole megabyte.
constexpr qsizetype ShownLength = 500;
} // namespace

int SessionsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int SessionsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : SessionLog::ColumnCount;
}

QVariant SessionsModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole: {
        const QString &text = m_rows[size_t(index.row())][size_t(index.column())];
        if (text.size() <= ShownLength)
            return text;
        return text.first(ShownLength - 1) + QChar(0x2026);
    }
    case Qt::TextAlignmentRole:
        return CellAlignment;
    case Qt::AccessibleTextRole:
        // An empty cell is still read as something.
        if (cell(index.row(), index.column()).isEmpty())
            return QStringLiteral("blank");
        return {};
    case Qt::BackgroundRole:
        return CellColour;
    case Qt::ForegroundRole:
        return CellTextColour;
    default:
        return {};
    }
}

QVariant SessionsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= SessionLog::ColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(Headers[section]);
    if (role == Qt::TextAlignmentRole)
        return CellAlignment;
    return {};
}

bool SessionsModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count <= 0 || row + count > rowCount())
        return false;
    beginRemoveRows({}, row, row + count - 1);
    m_rows.erase(m_rows.begin() + row, m_rows.begin() + row + count);
    endRemoveRows();
    return true;
}

void SessionsModel::setRows(std::vector<SessionLog::Row> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

QString SessionsModel::cell(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= SessionLog::ColumnCount)
        return {};
    return m_rows[size_t(row)][size_t(column)];
}

void SessionsModel::setCell(int row, int column, const QString &text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= SessionLog::ColumnCount)
        return;
    m_rows[size_t(row)][size_t(column)] = text;
    const QModelIndex changed = index(row, column);
    emit dataChanged(changed, changed, {Qt::DisplayRole});
}
