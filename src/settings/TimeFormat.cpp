#include "settings/TimeFormat.h"

#include <QList>

#include <algorithm>

namespace SettingsStore {

namespace {
// One piece of a format: a run of one field letter, a quoted text, or one literal character.
struct Piece {
    QString text;
    bool field = false;
};

QList<Piece> Pieces(const QString &format)
{
    QList<Piece> pieces;
    for (int i = 0; i < format.size();) {
        const QChar c = format.at(i);
        int end = i + 1;
        if (c == QLatin1Char('\'')) {
            // Up to the closing quote; two quotes in a row are one quote character.
            while (end < format.size()) {
                if (format.at(end++) != QLatin1Char('\''))
                    continue;
                if (end < format.size() && format.at(end) == QLatin1Char('\''))
                    ++end;
                else
                    break;
            }
        } else if (c.isLetter() && c.unicode() < 128) {
            while (end < format.size() && format.at(end) == c)
                ++end;
        }
        pieces.append({format.mid(i, end - i), c.isLetter() && c.unicode() < 128});
        i = end;
    }
    return pieces;
}

bool IsZone(const Piece &piece)
{
    return piece.field && piece.text.at(0) == QLatin1Char('t');
}

bool IsBlank(QChar c)
{
    return c.isSpace() || c.category() == QChar::Other_Format; // incl. direction marks
}

// Commas and the like that set a zone apart from the time; a full stop may end an
// abbreviation ("14:28:24 ч.") and stays.
bool IsSeparator(QChar c)
{
    return c.category() == QChar::Punctuation_Dash ||
           QStringView(u",;\u060C\u061B\u3001\uFF0C\uFF1B").contains(c);
}

bool IsFraming(const Piece &piece, QChar::Category bracket)
{
    if (piece.field || piece.text.size() != 1)
        return false;
    const QChar c = piece.text.at(0);
    return IsBlank(c) || IsSeparator(c) || c.category() == bracket;
}

int Count(const QList<Piece> &pieces, int from, int to, QChar::Category bracket)
{
    int n = 0;
    for (int i = from; i < to; ++i)
        n += !pieces[i].field && pieces[i].text.at(0).category() == bracket;
    return n;
}
} // namespace

QString TimeFormatWithAmPm(const QString &format)
{
    QList<Piece> pieces = Pieces(format);
    const auto ampm = [](const Piece &piece) {
        return piece.field &&
               (piece.text.at(0) == QLatin1Char('a') || piece.text.at(0) == QLatin1Char('A'));
    };
    const bool hasAmPm = std::any_of(pieces.cbegin(), pieces.cend(), ampm);
    QString out;
    for (const Piece &piece : pieces) {
        if (!piece.field || piece.text.at(0) != QLatin1Char('B'))
            out += piece.text;
        else if (!hasAmPm)
            out += QLatin1String("AP");
    }
    return out;
}

QString TimeFormatWithoutZone(const QString &format)
{
    QList<Piece> pieces = Pieces(format);
    for (int zone = 0; zone < pieces.size(); ++zone) {
        if (!IsZone(pieces[zone]))
            continue;
        int first = zone, last = zone;
        while (first > 0 && IsFraming(pieces[first - 1], QChar::Punctuation_Open))
            --first;
        while (last + 1 < pieces.size() && IsFraming(pieces[last + 1], QChar::Punctuation_Close))
            ++last;
        // Brackets go only in pairs: one that also holds other text keeps its partner.
        while (Count(pieces, first, zone, QChar::Punctuation_Open) >
               Count(pieces, zone, last + 1, QChar::Punctuation_Close))
            ++first;
        while (Count(pieces, zone, last + 1, QChar::Punctuation_Close) >
               Count(pieces, first, zone, QChar::Punctuation_Open))
            --last;
        // Between two other fields, the zone and its frame give way to one blank of theirs;
        // inside brackets that hold more, to nothing.
        QString blank;
        if (first > 0 && last + 1 < pieces.size() &&
            pieces[first - 1].text.at(0).category() != QChar::Punctuation_Open &&
            pieces[last + 1].text.at(0).category() != QChar::Punctuation_Close) {
            for (int i = first; i <= last && blank.isEmpty(); ++i) {
                if (i != zone && pieces[i].text.at(0).isSpace())
                    blank = pieces[i].text;
            }
        }
        pieces.remove(first, last - first + 1);
        if (!blank.isEmpty())
            pieces.insert(first, {blank, false});
        zone = first - 1;
    }
    QString out;
    for (const Piece &piece : pieces)
        out += piece.text;
    return out;
}

} // namespace SettingsStore
