#include "log/SessionLog.h"

#include "ui/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>

namespace SessionLog {

namespace {
const QString PartSeparator = QStringLiteral(", ");
const QString ZeroYears = QStringLiteral("0 years");
const QString ZeroDays = QStringLiteral("0 days");

bool IsFieldBreak(QChar c)
{
    return c == QLatin1Char(';') || c == QLatin1Char('\t');
}

Outcome Failure(const QString &path, const QString &reason)
{
    return Outcome{false, path, reason};
}

// The per-user folder may not exist yet.
bool MakeFolderFor(const QString &path)
{
    return QDir().mkpath(QFileInfo(path).absolutePath());
}
} // namespace

QString FailureText(const QString &what, const Outcome &outcome)
{
    return what + QStringLiteral("\n\nFile: ") + QDir::toNativeSeparators(outcome.path) +
           QStringLiteral("\nReason: ") + outcome.reason;
}

QString Path()
{
    const QString folder = ProgramFolder::Path();
    const QFileInfo program(folder);
    if (program.isDir() && program.isWritable())
        return QDir(folder).filePath(FileName);
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
        .filePath(FileName);
}

QString DropZeroParts(const QString &elapsed)
{
    if (!elapsed.contains(ZeroYears + PartSeparator) && !elapsed.contains(ZeroDays + PartSeparator))
        return elapsed;
    const QStringList parts = elapsed.split(PartSeparator);
    QStringList kept;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const bool last = i == parts.size() - 1;
        if (last || (parts[i] != ZeroYears && parts[i] != ZeroDays))
            kept << parts[i];
    }
    return kept.join(PartSeparator);
}

QStringList ParseLine(QStringView line)
{
    QStringList fields;
    fields.reserve(ColumnCount);
    qsizetype start = 0;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        if (i == line.size() || IsFieldBreak(line[i])) {
            fields << line.mid(start, i - start).toString().toLower();
            start = i + 1;
        }
    }
    while (fields.size() < ColumnCount)
        fields << QString();
    fields[2] = DropZeroParts(fields[2]);
    return fields;
}

Row ToRow(const QStringList &fields)
{
    Row row;
    for (int column = 0; column < ColumnCount - 1 && column < fields.size(); ++column)
        row[column] = fields[column];
    if (fields.size() >= ColumnCount)
        row[ColumnCount - 1] = fields.mid(ColumnCount - 1).join(QLatin1Char(';'));
    return row;
}

QString FormatRow(const Row &row)
{
    QString line;
    for (const QString &cell : row) {
        line += cell;
        line += QLatin1Char(';');
    }
    line.chop(1);
    return line;
}

void AppendLogLine(QString &text, QStringView line)
{
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('\r') && i + 1 < line.size() && line[i + 1] == QLatin1Char('\n'))
            continue; // CR LF is one break: the LF gives the space
        text += (c == QLatin1Char('\r') || c == QLatin1Char('\n')) ? QLatin1Char(' ') : c;
    }
    text += QLatin1String("\r\n");
}

QString SnapshotLine(const QString &start, const QString &stop, const QString &elapsed)
{
    return start + QLatin1Char(';') + stop + QLatin1Char(';') + elapsed;
}

std::vector<Row> ParseText(QStringView text)
{
    std::vector<Row> rows;
    rows.reserve(size_t(text.count(QLatin1Char('\n')) + 1));
    qsizetype start = 0;
    const qsizetype size = text.size();
    while (start < size) {
        qsizetype end = start;
        while (end < size && text[end] != QLatin1Char('\n') && text[end] != QLatin1Char('\r'))
            ++end;
        rows.push_back(ToRow(ParseLine(text.mid(start, end - start))));
        // CR LF, lone LF and lone CR all end a line, so no CR is left in a field.
        if (end + 1 < size && text[end] == QLatin1Char('\r') && text[end + 1] == QLatin1Char('\n'))
            ++end;
        start = end + 1;
    }
    return rows;
}

ReadResult ReadAll()
{
    ReadResult result;
    const QString path = Path();
    QFile file(path);
    if (!file.exists()) {
        // Opening the log leaves an empty file behind; one that can't be made has nothing to show.
        if (MakeFolderFor(path) && file.open(QIODevice::WriteOnly))
            file.close();
        return result;
    }
    if (!file.open(QIODevice::ReadOnly))
        return {Failure(path, file.errorString()), {}};
    QString text;
    {
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return {Failure(path, file.errorString()), {}};
        QStringDecoder decoder(QStringConverter::System);
        text = decoder.decode(bytes);
        result.undecodable = decoder.hasError();
    }
    result.rows = ParseText(text);
    return result;
}

Outcome Append(const QString &line)
{
    const QString path = Path();
    if (!MakeFolderFor(path))
        return Failure(path, QStringLiteral("The folder could not be created."));
    QFile file(path);
    // Unbuffered, so that a failed write is seen here and can be undone.
    if (!file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return Failure(path, file.errorString());

    QString text;
    const qint64 oldSize = file.size();
    if (oldSize > 0) {
        // A last line without its line end must not swallow the new one.
        char last = 0;
        if (file.seek(oldSize - 1) && file.getChar(&last) && last != '\n' && last != '\r')
            text = QStringLiteral("\r\n");
    }
    AppendLogLine(text, line);
    const QByteArray bytes = QStringEncoder(QStringConverter::System).encode(text);

    if (!file.seek(oldSize) || file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.resize(oldSize); // no half line left behind
        return Failure(path, reason);
    }
    file.close();
    if (file.error() != QFileDevice::NoError)
        return Failure(path, file.errorString());
    return {true, path, {}};
}

QByteArray Encode(const std::vector<Row> &rows)
{
    QString text;
    text.reserve(qsizetype(rows.size()) * 72);
    for (const Row &row : rows)
        AppendLogLine(text, FormatRow(row));
    return QStringEncoder(QStringConverter::System).encode(text);
}

QString BackupPath()
{
    return Path() + QStringLiteral(".bak");
}

Outcome Rewrite(const std::vector<Row> &rows, bool keepOld)
{
    const QString path = Path();
    if (!MakeFolderFor(path))
        return Failure(path, QStringLiteral("The folder could not be created."));
    if (keepOld && QFile::exists(path)) {
        // The rewrite can't give back bytes that were no text; the copy keeps them.
        const QString backup = BackupPath();
        QFile::remove(backup);
        QFile old(path);
        if (!old.copy(backup))
            return Failure(backup, old.errorString());
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Failure(path, file.errorString());
    const QByteArray bytes = Encode(rows);
    // commit() does not see a flush that failed (a full disk, say), so flush and check first.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return Failure(path, reason);
    }
    if (!file.commit())
        return Failure(path, file.errorString());
    return {true, path, {}};
}

Outcome Remove()
{
    const QString path = Path();
    QFile file(path);
    if (file.exists() && !file.remove())
        return Failure(path, file.errorString());
    return {true, path, {}};
}

} // namespace SessionLog
