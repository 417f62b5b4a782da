#include "GridColumns.h"

#include <QAbstractProxyModel>
#include <QHeaderView>
#include <QPointer>
#include <QTableView>

namespace {

// A flat table model showing chosen columns of another flat table, in the
// order given. Rows are passed through one to one, so the source may fetch
// its rows lazily (canFetchMore/fetchMore are forwarded).
class GridColumnsModel final : public QAbstractProxyModel
{
public:
    GridColumnsModel(QAbstractItemModel* source, const QStringList& fields, const QStringList& titles,
                     QObject* parent)
        : QAbstractProxyModel(parent), m_fields(fields), m_titles(titles)
    {
        setSourceModel(source);
        bindColumns();
        connect(source, &QAbstractItemModel::modelAboutToBeReset, this, &GridColumnsModel::beginResetModel);
        connect(source, &QAbstractItemModel::modelReset, this, &GridColumnsModel::sourceReset);
        connect(source, &QAbstractItemModel::layoutAboutToBeChanged, this,
                &GridColumnsModel::beginResetModel);
        connect(source, &QAbstractItemModel::layoutChanged, this, &GridColumnsModel::sourceReset);
        connect(source, &QAbstractItemModel::rowsAboutToBeInserted, this,
                [this](const QModelIndex&, int first, int last) { beginInsertRows({}, first, last); });
        connect(source, &QAbstractItemModel::rowsInserted, this, &GridColumnsModel::endInsertRows);
        connect(source, &QAbstractItemModel::rowsAboutToBeRemoved, this,
                [this](const QModelIndex&, int first, int last) { beginRemoveRows({}, first, last); });
        connect(source, &QAbstractItemModel::rowsRemoved, this, &GridColumnsModel::endRemoveRows);
        connect(source, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                    if (columnCount() > 0)
                        emit dataChanged(index(topLeft.row(), 0),
                                         index(bottomRight.row(), columnCount() - 1));
                });
        // Column set changes of the source come with a reset (a new query).
        connect(source, &QAbstractItemModel::columnsInserted, this, &GridColumnsModel::rebind);
        connect(source, &QAbstractItemModel::columnsRemoved, this, &GridColumnsModel::rebind);
    }

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : sourceModel()->rowCount();
    }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_fields.size());
    }
    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override
    {
        if (parent.isValid() || row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
            return {};
        return createIndex(row, column);
    }
    QModelIndex parent(const QModelIndex&) const override { return {}; }
    bool hasChildren(const QModelIndex& parent = {}) const override
    {
        return !parent.isValid() && rowCount() > 0;
    }

    QModelIndex mapToSource(const QModelIndex& proxy) const override
    {
        if (!proxy.isValid() || proxy.column() >= m_sourceColumns.size())
            return {};
        const int column = m_sourceColumns.at(proxy.column());
        return column < 0 ? QModelIndex() : sourceModel()->index(proxy.row(), column);
    }
    QModelIndex mapFromSource(const QModelIndex& source) const override
    {
        const int column = int(m_sourceColumns.indexOf(source.column()));
        return source.isValid() && column >= 0 ? index(source.row(), column) : QModelIndex();
    }

    QVariant data(const QModelIndex& proxy, int role) const override
    {
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        return QAbstractProxyModel::data(proxy, role);
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && section >= 0 && section < m_titles.size()) {
            if (role == Qt::DisplayRole)
                return m_titles.at(section);
            if (role == Qt::TextAlignmentRole)
                return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        }
        if (orientation == Qt::Vertical && role == Qt::DisplayRole)
            return section + 1;
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex& proxy) const override
    {
        // The grid only shows; every change goes through the window's own statements.
        return proxy.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

private:
    void bindColumns()
    {
        m_sourceColumns.clear();
        QAbstractItemModel* source = sourceModel();
        for (const QString& field : m_fields) {
            int found = -1;
            for (int c = 0; c < source->columnCount(); ++c) {
                // Column names match without regard to case, as the database's do.
                if (source->headerData(c, Qt::Horizontal, Qt::DisplayRole)
                        .toString()
                        .compare(field, Qt::CaseInsensitive) == 0) {
                    found = c;
                    break;
                }
            }
            m_sourceColumns.append(found);
        }
    }
    void sourceReset()
    {
        bindColumns();
        endResetModel();
    }
    void rebind()
    {
        beginResetModel();
        sourceReset();
    }

    QStringList m_fields;
    QStringList m_titles;
    QList<int> m_sourceColumns;
};

} // namespace

void SetupGridColumns(QTableView* grid, const QStringList& fields, const QStringList& titles,
                      const QList<int>& widths)
{
    QAbstractItemModel* source = grid->model();
    if (!source)
        return;
    // A grid set up before shows the source of its earlier columns.
    if (auto* earlier = qobject_cast<QAbstractProxyModel*>(source); earlier && earlier->parent() == grid) {
        source = earlier->sourceModel();
        earlier->deleteLater();
    }
    const qsizetype count = std::min({fields.size(), titles.size(), widths.size()});
    auto* columns = new GridColumnsModel(source, fields.mid(0, count), titles.mid(0, count), grid);
    grid->setModel(columns);
    grid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);

    const QList<int> sizes = widths.mid(0, count);
    const auto applyWidths = [grid, sizes] {
        for (int i = 0; i < sizes.size(); ++i)
            grid->setColumnWidth(i, sizes.at(i));
    };
    applyWidths();
    // A reset makes the header forget its section sizes; this runs after the
    // header's own handling, having been connected after it.
    QObject::connect(columns, &QAbstractItemModel::modelReset, grid, applyWidths);
}
