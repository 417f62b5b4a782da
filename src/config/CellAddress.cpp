#include "CellAddress.h"

#include <QStringView>

#include <algorithm>
#include <cctype>

std::string ColumnLetters(int column)
{
    std::string letters;
    for (; column > 0; column = (column - 1) / 26)
        letters.insert(letters.begin(), char('A' + (column - 1) % 26));
    return letters;
}

std::string CellRef(int row, int column)
{
    return ColumnLetters(column) + std::to_string(row);
}

bool ParseCellRef(std::string_view ref, int* row, int* column)
{
    size_t i = 0;
    long col = 0;
    while (i < ref.size() && std::isalpha(static_cast<unsigned char>(ref[i])) && i < 3)
        col = col * 26 + (std::toupper(static_cast<unsigned char>(ref[i++])) - 'A' + 1);
    if (i == 0 || i == ref.size())
        return false;
    long r = 0;
    for (; i < ref.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(ref[i])) || r > kSheetMaxRows)
            return false;
        r = r * 10 + (ref[i] - '0');
    }
    if (col < 1 || col > kSheetMaxColumns || r < 1 || r > kSheetMaxRows)
        return false;
    *row = int(r);
    *column = int(col);
    return true;
}

CellArea ParseCellArea(std::string_view ref)
{
    CellArea area;
    const auto colon = ref.find(':');
    int r1, c1, r2, c2;
    if (!ParseCellRef(ref.substr(0, colon), &r1, &c1))
        return {};
    if (colon == std::string_view::npos) {
        r2 = r1;
        c2 = c1;
    } else if (!ParseCellRef(ref.substr(colon + 1), &r2, &c2)) {
        return {};
    }
    area.include(r1, c1);
    area.include(r2, c2);
    return area;
}

namespace {

bool IsNameChar(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'.' || c == u'\\' || c == u'$';
}

struct RefPart
{
    bool absolute = false;
    int value = 0; // column or row number
};

// "$A", "AB" (columns) or "$1", "12" (rows) as used in whole-column and
// whole-row ranges; false when the token is not one.
bool ParseColumnPart(QStringView token, RefPart* part)
{
    part->absolute = token.startsWith(u'$');
    token = token.mid(part->absolute ? 1 : 0);
    if (token.isEmpty() || token.size() > 3)
        return false;
    int col = 0;
    for (QChar c : token) {
        if (c.unicode() >= 128 || !std::isalpha(c.unicode()))
            return false;
        col = col * 26 + (std::toupper(c.unicode()) - 'A' + 1);
    }
    part->value = col;
    return col <= kSheetMaxColumns;
}

bool ParseRowPart(QStringView token, RefPart* part)
{
    part->absolute = token.startsWith(u'$');
    token = token.mid(part->absolute ? 1 : 0);
    if (token.isEmpty() || token.size() > 7)
        return false;
    for (QChar c : token)
        if (!c.isDigit() || c.unicode() >= 128)
            return false;
    part->value = token.toInt();
    return part->value >= 1 && part->value <= kSheetMaxRows;
}

// "A1", "$B$2": splits at the first digit (or '$' before it).
bool ParseCellPart(QStringView token, RefPart* column, RefPart* row)
{
    qsizetype split = 0;
    while (split < token.size() && !token[split].isDigit())
        ++split;
    if (split > 0 && token[split - 1] == u'$' && split - 1 > 0)
        --split;
    return split > 0 && ParseColumnPart(token.left(split), column) && ParseRowPart(token.mid(split), row);
}

bool Move(RefPart* part, int by, int limit)
{
    if (!part->absolute)
        part->value += by;
    return part->value >= 1 && part->value <= limit;
}

QString ColumnText(const RefPart& p)
{
    return (p.absolute ? QStringLiteral("$") : QString()) + QString::fromStdString(ColumnLetters(p.value));
}

QString RowText(const RefPart& p)
{
    return (p.absolute ? QStringLiteral("$") : QString()) + QString::number(p.value);
}

const QString kRefError = QStringLiteral("#REF!");

} // namespace

QString ShiftFormulaReferences(const QString& formula, int rows, int columns)
{
    QString out;
    const qsizetype n = formula.size();
    qsizetype i = 0;
    auto tokenEnd = [&](qsizetype from) {
        while (from < n && IsNameChar(formula[from]))
            ++from;
        return from;
    };
    while (i < n) {
        const QChar c = formula[i];
        if (c == u'"' || c == u'\'') {
            // A text or a quoted sheet name; the quote is doubled inside.
            qsizetype j = i + 1;
            while (j < n) {
                if (formula[j] == c) {
                    if (j + 1 < n && formula[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                ++j;
            }
            out += formula.mid(i, j - i);
            i = j;
            continue;
        }
        if (c == u'[') {
            // Structured references and external workbook numbers.
            qsizetype j = i;
            int depth = 0;
            do {
                if (formula[j] == u'[')
                    ++depth;
                else if (formula[j] == u']')
                    --depth;
                ++j;
            } while (j < n && depth > 0);
            out += formula.mid(i, j - i);
            i = j;
            continue;
        }
        if (!IsNameChar(c)) {
            out += c;
            ++i;
            continue;
        }

        qsizetype j = tokenEnd(i);
        const QStringView token = QStringView(formula).mid(i, j - i);
        // A number with an exponent: 1.5E+3.
        if (token[0].isDigit() && (token.endsWith(u'E') || token.endsWith(u'e')) && j < n &&
            (formula[j] == u'+' || formula[j] == u'-')) {
            j = tokenEnd(j + 1);
            out += formula.mid(i, j - i);
            i = j;
            continue;
        }
        const QChar next = j < n ? formula[j] : QChar();
        if (next == u'(' || next == u'!') { // a function or a sheet name
            out += token;
            i = j;
            continue;
        }
        RefPart first, second;
        // Whole columns (A:C) and whole rows (1:3).
        if (next == u':') {
            const qsizetype k = tokenEnd(j + 1);
            const QStringView other = QStringView(formula).mid(j + 1, k - j - 1);
            const bool columnsRange = ParseColumnPart(token, &first) && ParseColumnPart(other, &second);
            const bool rowsRange =
                !columnsRange && ParseRowPart(token, &first) && ParseRowPart(other, &second);
            if (columnsRange || rowsRange) {
                const int by = columnsRange ? columns : rows;
                const int limit = columnsRange ? kSheetMaxColumns : kSheetMaxRows;
                if (!Move(&first, by, limit) || !Move(&second, by, limit))
                    out += kRefError;
                else if (columnsRange)
                    out += ColumnText(first) + u':' + ColumnText(second);
                else
                    out += RowText(first) + u':' + RowText(second);
                i = k;
                continue;
            }
        }
        if (ParseCellPart(token, &first, &second)) {
            if (Move(&first, columns, kSheetMaxColumns) && Move(&second, rows, kSheetMaxRows))
                out += ColumnText(first) + RowText(second);
            else
                out += kRefError;
        } else {
            out += token;
        }
        i = j;
    }
    return out;
}
