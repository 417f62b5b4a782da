#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <memory>

// A spreadsheet package (.xlsx) held in memory: opened from a template, text
// written into cells of the sheet the package marks active, then saved whole.
// Everything that is not written is carried over as it was; parts that need
// no change are copied byte for byte.
class OoxmlWorkbook
{
public:
    OoxmlWorkbook();
    ~OoxmlWorkbook();
    Q_DISABLE_COPY_MOVE(OoxmlWorkbook)

    // Reads the package and finds its active worksheet. False with
    // errorString() when it is not a workbook we can fill.
    bool load(const QByteArray& package);
    bool loadFile(const QString& path);

    // Writes text into a cell of the active sheet (row and column from 1) as
    // an inline string. The cell keeps its style; an empty text leaves the
    // cell blank, as typing nothing into it would. False for an address
    // outside the sheet.
    bool setCellText(int row, int column, const QString& text);

    // The filled package; empty with errorString() on failure.
    QByteArray save();

    QString errorString() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
