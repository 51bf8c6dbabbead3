// The log reader on any bytes: every line becomes a row of four cells with no line break or tab
// in them, and a log saved from those rows reads back as the same rows.
#include "log/SessionLog.h"

#include <cstdlib>

namespace {
void Check(bool condition)
{
    if (!condition)
        std::abort();
}

std::vector<SessionLog::Row> Read(const QByteArray &bytes)
{
    bool legacy = false;
    const QString text = SessionLog::Decode(bytes, &legacy);
    Check(!legacy || !text.contains(QChar::ReplacementCharacter)); // every old byte is readable
    return SessionLog::ParseText(text);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const std::vector<SessionLog::Row> rows = Read(bytes);
    for (const SessionLog::Row &row : rows) {
        for (const QString &cell : row) {
            Check(!cell.contains(QLatin1Char('\r')) && !cell.contains(QLatin1Char('\n')));
            Check(!cell.contains(QLatin1Char('\t')));
        }
        Check(SessionLog::DropZeroParts(row[2]) == row[2]);
    }

    const QByteArray saved = SessionLog::Encode(rows);
    Check(saved.count("\r\n") == qsizetype(rows.size()));
    Check(Read(saved) == rows);
    Check(SessionLog::Encode(Read(saved)) == saved);
    return 0;
}
