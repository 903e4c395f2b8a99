#include "datagrid.h"

#include "rowsmodel.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

DataGrid::DataGrid(QWidget* parent)
    : QWidget(parent), m_model(new RowsModel(this)), m_proxy(new QSortFilterProxyModel(this)),
      m_view(new QTableView(this)), m_footer(new QTableWidget(this)) {
    m_proxy->setSourceModel(m_model);
    m_proxy->setSortRole(RowsModel::SortRole);
    m_view->setModel(m_proxy);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setAlternatingRowColors(true);
    m_view->verticalHeader()->setVisible(false);
    m_view->verticalHeader()->setDefaultSectionSize(26);
    m_view->horizontalHeader()->setHighlightSections(false);
    m_view->horizontalHeader()->setSectionsClickable(true);
    m_view->horizontalHeader()->setSortIndicatorShown(false);
    m_view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    m_footer->setRowCount(1);
    m_footer->horizontalHeader()->setVisible(false);
    m_footer->verticalHeader()->setVisible(false);
    m_footer->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_footer->setFocusPolicy(Qt::NoFocus);
    m_footer->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_footer->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_footer->setFixedHeight(28);
    m_footer->setObjectName(QStringLiteral("footer"));
    m_footer->setStyleSheet(
        QStringLiteral("QTableWidget#footer { background: #eef3f8; font-weight: bold; }"));
    m_footer->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view);
    layout->addWidget(m_footer);

    connect(m_view->horizontalHeader(), &QHeaderView::sectionClicked, this, &DataGrid::sortByTitle);
    connect(m_view->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { syncFooterWidths(); });
    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, m_footer->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(m_model, &QAbstractItemModel::modelReset, this, &DataGrid::refreshFooter);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex&) { emit currentRowChanged(currentSourceRow()); });
    connect(m_view, &QTableView::activated, this,
            [this](const QModelIndex&) { emit activated(currentSourceRow()); });
}

void DataGrid::setFooterSums(const QStringList& fields, const QString& caption) {
    m_sumFields = fields;
    m_caption = caption;
    m_footer->setVisible(!fields.isEmpty());
    refreshFooter();
}

void DataGrid::refreshFooter() {
    if (m_sumFields.isEmpty())
        return;
    const int columns = m_model->columnCount();
    m_footer->setColumnCount(columns);
    for (int c = 0; c < columns; ++c) {
        QString text;
        if (c == 0)
            text = m_caption;
        if (m_sumFields.contains(m_model->fields().value(c)))
            text = m_model->columnSum(c).toString();
        auto* item = new QTableWidgetItem(text);
        item->setTextAlignment(m_model->isMoneyColumn(c) ? Qt::AlignRight | Qt::AlignVCenter
                                                         : Qt::AlignLeft | Qt::AlignVCenter);
        m_footer->setItem(0, c, item);
    }
    syncFooterWidths();
}

void DataGrid::syncFooterWidths() {
    for (int c = 0; c < m_footer->columnCount(); ++c)
        m_footer->setColumnWidth(c, m_view->columnWidth(c));
}

int DataGrid::currentSourceRow() const {
    const QModelIndex idx = m_view->currentIndex();
    return idx.isValid() ? m_proxy->mapToSource(idx).row() : -1;
}

void DataGrid::sortByTitle(int column) {
    if (column < 0 || column >= m_model->columnCount())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_sortState = column == m_sortColumn ? nextSortState(m_sortState) : 1;
    m_sortColumn = column;
    QHeaderView* header = m_view->horizontalHeader();
    if (m_sortState == 0) {
        m_proxy->sort(-1);
        m_proxy->invalidate();
        header->setSortIndicatorShown(false);
    } else {
        const Qt::SortOrder order = m_sortState == 1 ? Qt::AscendingOrder : Qt::DescendingOrder;
        m_proxy->sort(column, order);
        header->setSortIndicator(column, order);
        header->setSortIndicatorShown(true);
    }
    QApplication::restoreOverrideCursor();
}
