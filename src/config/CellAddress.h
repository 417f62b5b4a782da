#pragma once

#include <QString>

#include <algorithm>
#include <string>
#include <string_view>

// Cell addresses of a worksheet ("C7") and the references in its formulas.

inline constexpr int kSheetMaxRows = 1048576;
inline constexpr int kSheetMaxColumns = 16384;

std::string ColumnLetters(int column);    // 3: "C"
std::string CellRef(int row, int column); // 7, 3: "C7"
// "C7" to row 7, column 3; false for anything else.
bool ParseCellRef(std::string_view ref, int* row, int* column);

// A rectangle of cells; invalid until a first cell is included.
struct CellArea
{
    int top = 0, left = 0, bottom = 0, right = 0;
    bool valid() const { return top > 0; }
    bool contains(int row, int column) const
    {
        return row >= top && row <= bottom && column >= left && column <= right;
    }
    void include(int row, int column)
    {
        if (!valid()) {
            top = bottom = row;
            left = right = column;
            return;
        }
        top = std::min(top, row);
        bottom = std::max(bottom, row);
        left = std::min(left, column);
        right = std::max(right, column);
    }
    std::string ref() const
    {
        const std::string first = CellRef(top, left);
        return top == bottom && left == right ? first : first + ':' + CellRef(bottom, right);
    }
};

// "A1:E40" or "A1"; invalid for anything else.
CellArea ParseCellArea(std::string_view ref);

// The formula as it reads when copied rows down and columns right: relative
// references move, absolute ones ($A$1) stay. Texts in quotes, sheet names
// and function names are left alone. A reference pushed off the sheet
// becomes #REF!, as the spreadsheet programs write it.
QString ShiftFormulaReferences(const QString& formula, int rows, int columns);
