#include "platform/ui/db_grid.h"

#include "platform/app/application.h"
#include "platform/db/dataset.h"
#include "platform/db/grid_model.h"

#include <QEvent>
#include <QHeaderView>
#include <QLayout>

#include <algorithm>

namespace ui {

DBGrid::DBGrid(QWidget* parent) : QTableView(parent), model_(new db::GridModel(this))
{
    setModel(model_);
    // Only cells the model lets edit open an editor.
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setSelectionBehavior(SelectRows);
    setSelectionMode(SingleSelection);
    setShowGrid(true);
    setWordWrap(false);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setMinimumWidth(fontMetrics().horizontalAdvance(QChar(0x25B6)) + 6);

    // The dataset's move posts the row left (rowChosen); the view's own
    // submit on every change of row would post it, or fail, a second time.
    disconnect(selectionModel(), SIGNAL(currentRowChanged(QModelIndex,QModelIndex)), model_, SLOT(submit()));
    connect(model_, &db::GridModel::currentRowChanged, this, &DBGrid::followDataset);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        for (int c = 0; c < model_->columnCount(); ++c)
            QTableView::setColumnWidth(c, model_->ColumnAt(c).width);
    });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column, int, int width) { model_->SetColumnWidth(column, width); });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { rowChosen(current); });
    horizontalHeader()->viewport()->installEventFilter(this);
    verticalHeader()->viewport()->installEventFilter(this);
}

DBGrid::~DBGrid() = default;

void DBGrid::SetDataSource(db::DataSource* source)
{
    model_->SetDataSource(source);
}

db::DataSource* DBGrid::DataSource() const
{
    return model_->Source();
}

void DBGrid::AddColumn(std::string_view title, std::string_view fieldName, int width,
                       Qt::Alignment alignment)
{
    model_->AddColumn({std::string(title), std::string(fieldName), width, alignment});
}

int DBGrid::ColumnCount() const
{
    return model_->columnCount();
}

int DBGrid::Width() const
{
    if (const QWidget* panel = parentWidget(); panel && panel->layout())
        panel->layout()->activate();
    return width();
}

int DBGrid::ColumnWidth(int column) const
{
    return columnWidth(column);
}

void DBGrid::SetColumnWidth(int column, int width)
{
    // Narrower than the title bar lets the user drag it, the column would
    // vanish; the header tells the model.
    setColumnWidth(column, std::max(width, horizontalHeader()->minimumSectionSize()));
}

void DBGrid::SetColumnReadOnly(int column, bool readOnly)
{
    model_->SetColumnReadOnly(column, readOnly);
}

// The dataset moved: select its row and show it.
void DBGrid::followDataset(int row)
{
    following_ = true;
    if (row >= 0 && row < model_->rowCount()) {
        const QModelIndex index = model_->index(row, std::max(currentIndex().column(), 0));
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect
                                                     | QItemSelectionModel::Rows);
        scrollTo(index);
    } else {
        selectionModel()->clear();
    }
    following_ = false;
}

// The user chose a row: the dataset moves there, posting the row left. When
// that fails the dataset stays, and so does the grid.
void DBGrid::rowChosen(const QModelIndex& current)
{
    if (following_ || !current.isValid())
        return;
    db::DataSource* source = model_->Source();
    db::Dataset* ds = source ? source->DataSet() : nullptr;
    if (ds && ds->Active() && !platform::RunGuarded([&] { ds->MoveTo(current.row()); }))
        QMetaObject::invokeMethod(this, [this, ds] { followDataset(ds->RecNo()); }, Qt::QueuedConnection);
}

void DBGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (OnDblClick)
        OnDblClick();
}

bool DBGrid::eventFilter(QObject* watched, QEvent* event)
{
    const bool titles = watched == horizontalHeader()->viewport() || watched == verticalHeader()->viewport();
    if (titles && event->type() == QEvent::MouseButtonDblClick && OnDblClick)
        OnDblClick();
    return QTableView::eventFilter(watched, event);
}

} // namespace ui
