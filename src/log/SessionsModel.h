#pragma once

#include "log/SessionLog.h"

#include <QAbstractTableModel>

#include <vector>

// The rows of the session log as the sessions grid shows them: four plain-text columns under a
// header row that is never saved.
class SessionsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool removeRows(int row, int count, const QModelIndex &parent = {}) override;

    void setRows(std::vector<SessionLog::Row> rows);
    const std::vector<SessionLog::Row> &rows() const { return m_rows; }
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString &text);

private:
    std::vector<SessionLog::Row> m_rows;
};
