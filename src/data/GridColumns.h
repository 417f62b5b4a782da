#pragma once

#include <QList>
#include <QStringList>

class QTableView;

// Gives a grid the columns it shows: column i is bound to the field fields[i]
// of the grid's current model (found by name in its horizontal header, as a
// QSqlQueryModel names its columns), titled titles[i], widths[i] pixels wide,
// title and cells centred. Fields not listed are not shown. The columns, their
// titles and widths survive a reset of the model (a query run again).
// Set the grid's model first; the grid then shows a view of that model, so
// connect to grid->selectionModel() afterwards. The three lists are parallel;
// extra entries of the longer lists are ignored.
void SetupGridColumns(QTableView* grid, const QStringList& fields, const QStringList& titles,
                      const QList<int>& widths);
