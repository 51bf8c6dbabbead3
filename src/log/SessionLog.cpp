#include "log/SessionLog.h"

#include "clock/CountTexts.h"
#include "files/ProgramFolder.h"
#include "files/UserFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
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
    return QDir(UserFolders::DataHome())
        .filePath(QCoreApplication::applicationName() + QLatin1Char('/') + FileName);
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
            // A CR inside a line is no line end, and no line break in a cell either.
            fields << line.mid(start, i - start)
                          .toString()
                          .toLower()
                          .replace(QLatin1Char('\r'), QLatin1Char(' '));
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
        const bool breaksRow =
            c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t');
        text += breaksRow ? QLatin1Char(' ') : c;
    }
    text += QLatin1String("\r\n");
}

QString ElapsedField(const modStopWatch::CountTexts &count)
{
    return count.Joined().toLower();
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
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = size;
        // Only LF and CR LF end a line. A lone CR, even right after an LF, stays in its line,
        // where ParseLine makes it a space.
        const bool crLf = end < size && end > start && text[end - 1] == QLatin1Char('\r');
        rows.push_back(ToRow(ParseLine(text.mid(start, end - start - (crLf ? 1 : 0)))));
        start = end + 1;
    }
    return rows;
}

QByteArray Encode(const std::vector<Row> &rows)
{
    QString text;
    text.reserve(qsizetype(rows.size()) * 72);
    for (const Row &row : rows)
        AppendLogLine(text, FormatRow(row));
    return QStringEncoder(QStringConverter::System).encode(text);
}

// Windows-1252 where it differs from Latin-1. Its five unassigned bytes keep their C1 code.
constexpr char16_t Windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString Decode(const QByteArray &bytes, bool *legacy)
{
    QStringDecoder utf8(QStringConverter::System);
    QString text = utf8.decode(bytes);
    if (legacy)
        *legacy = utf8.hasError();
    if (!utf8.hasError())
        return text;
    text.resize(bytes.size());
    QChar *out = text.data();
    for (const char byte : bytes) {
        const auto b = uchar(byte);
        *out++ = (b >= 0x80 && b < 0xA0) ? QChar(Windows1252High[b - 0x80]) : QChar(b);
    }
    return text;
}

} // namespace SessionLog
