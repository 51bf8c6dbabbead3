#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// SessionLog.txt: one line per snapshot, fields separated by ";", system-encoded text with CR LF
// line ends, no header. Every operation forms the path anew and opens and closes the file within
// the call. Two copies of Pendrel may share the file: appends are single writes in append mode,
// and a rewrite holds SessionLog.txt.lock. No widgets here.
namespace modStopWatch {
struct CountTexts;
}

namespace SessionLog {

inline const QString FileName = QStringLiteral("SessionLog.txt");

// The four cells of a row: start time, stop time, time elapsed, comment.
constexpr int ColumnCount = 4;
using Row = std::array<QString, ColumnCount>;

// A log past this size is refused before it is read: the grid would need many times as much
// memory, and no year of snapshots comes near it.
constexpr qint64 MaxReadBytes = 32 * 1024 * 1024;

// What an operation did: on failure, the file it tried and the system's reason.
struct Outcome {
    bool ok = true;
    QString path;
    QString reason;
    // Rewrite only: the file changed since it was read, and nothing was written.
    bool changed = false;
    // Rewrite and Clear: where the file as it was is kept, when a copy was made.
    QString backup;
};

// A message for the user: what failed, then the file and the reason.
QString FailureText(const QString &what, const Outcome &outcome);

// The log in the program's folder while that folder can be written, otherwise in the per-user
// data folder. Every operation goes through here, so all of them meet at the same file.
QString Path();

// One line as the grid shows it: lower case, split at every ";" and tab, a CR made a space, at
// least four fields, the "0 years" and "0 days" parts dropped from the third.
QStringList ParseLine(QStringView line);

// The elapsed-time field without a leading "0 years, " or "0 days, ".
QString DropZeroParts(const QString &elapsed);

// Four cells from parsed fields. Fields beyond the fourth stay in the comment, joined by ";",
// so that a rewrite gives back the same line instead of losing them.
Row ToRow(const QStringList &fields);

// A row as one line: the cells joined by ";".
QString FormatRow(const Row &row);

// Adds `line` and a CR LF to `text`. A line break or a tab inside the line becomes a space, so
// one row stays one line of four cells.
void AppendLogLine(QString &text, QStringView line);

// The count as the log's elapsed field has it: "0 years, 1 days, 05:07:09.12".
QString ElapsedField(const modStopWatch::CountTexts &count);

// The snapshot line start;stop;elapsed.
QString SnapshotLine(const QString &start, const QString &stop, const QString &elapsed);

// The file's bytes as text: UTF-8, or, when they are no UTF-8, Windows-1252, the code page
// that older systems wrote. Every byte is readable in one or the other.
QString Decode(const QByteArray &bytes, bool *legacy = nullptr);
std::vector<Row> ParseText(QStringView text);
QByteArray Encode(const std::vector<Row> &rows);

// What a read saw, so that a rewrite can tell whether the file changed since.
struct Loaded {
    bool read = false;
    quint64 device = 0, inode = 0;
    qint64 size = 0;
    size_t digest = 0;
    bool endsWithLineEnd = true;
    bool legacy = false; // read as Windows-1252: a rewrite keeps a copy of the old bytes
};

struct ReadResult {
    Outcome outcome;
    std::vector<Row> rows;
    Loaded loaded;
};

// Every line of the log as a row, in file order; CR LF and lone LF both end a line, and a lone
// CR is read as a space, so a save writes it as one. A missing file is created empty.
ReadResult ReadAll();

// Appends one line, creating the file when it is missing.
Outcome Append(const QString &line);

// Replaces the whole file with the rows, atomically: a failed rewrite leaves the old file whole.
// Lines that another copy appended since `loaded` are kept after the rows. A file changed in
// any other way is left alone (`changed`), unless `overwrite`; then, as for a legacy file, the
// old file is first kept in a backup that no later save overwrites.
Outcome Rewrite(const std::vector<Row> &rows, const Loaded &loaded, bool overwrite = false);

// Empties the file; a link stays a link to the emptied file. What it held is first kept in a
// backup, as a rewrite's is (`backup`); when that can't be written, the file is left as it is.
Outcome Clear();

} // namespace SessionLog
