// The window of a data table.
#include "TableForm.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "entry/GridSnap.h"
#include "entry/Table.h"
#include "project/Messages.h"

namespace korven {
namespace {

std::vector<TTableForm*> gOpenForms;

constexpr int kVisibleRows = 10;

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

// ---- grid ----

void TTableGrid::MoveNext() {
    const int r = currentRow(), c = currentColumn();
    if (r < 0 || c < 0) return;
    if (r + 1 < rowCount())
        setCurrentCell(r + 1, c);
    else if (c + 1 < columnCount())
        setCurrentCell(0, c + 1);
    else if (columnCount() > 1)
        setCurrentCell(0, 1);
}

void TTableGrid::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && state() != QAbstractItemView::EditingState) {
        MoveNext();
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void TTableGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    const QModelIndex before = currentIndex();
    QTableWidget::closeEditor(editor, hint);
    // Enter in an editor submits it; the cell stays when the entry was refused
    if (hint == QAbstractItemDelegate::SubmitModelCache && currentIndex() == before)
        QTimer::singleShot(0, this, [this, before] {
            if (currentIndex() == before && property("refused").toBool() == false) MoveNext();
        });
}

// ---- window ----

TTableForm::TTableForm(TGridTable& table, bool modal, std::function<void(TGridTable&)> openSubTable,
                       QWidget* parent)
    : QDialog(parent), FTable(table), FModal(modal), FOpenSubTable(std::move(openSubTable)) {
    setObjectName(QStringLiteral("TableForm"));
    gOpenForms.push_back(this);
    Build();
}

TTableForm::~TTableForm() {
    gOpenForms.erase(std::remove(gOpenForms.begin(), gOpenForms.end(), this), gOpenForms.end());
}

QString TTableForm::TitleOf(const TGridTable& table) {
    QString path;
    for (const TGridTable* t = &table; t && t->Parent(); t = t->Parent())
        path.prepend(QLatin1Char(' ') + QString::number(t->RowNumber()));
    return Q(table.Caption) + QLatin1Char(' ') + path;
}

TTableForm* TTableForm::WindowOf(const TGridTable& table) {
    for (TTableForm* f : gOpenForms)
        if (&f->FTable == &table) return f;
    return nullptr;
}

void TTableForm::CloseWindowsBelow(const TGridTable& table, bool includingItself) {
    const std::vector<TTableForm*> open = gOpenForms;
    for (TTableForm* f : open) {
        bool below = false;
        for (const TGridTable* t = &f->FTable; t; t = t->Parent())
            if (t == &table && (t != &f->FTable || includingItself)) below = true;
        if (!below) continue;
        f->FForced = true;
        if (auto* sub = qobject_cast<QMdiSubWindow*>(f->parentWidget()))
            delete sub;
        else if (f->isModal())
            f->reject();
        else
            delete f;
    }
}

int TTableForm::ColumnOfGrid(int gridColumn) const {
    return gridColumn >= 1 && gridColumn <= static_cast<int>(FColumns.size())
               ? FColumns[static_cast<std::size_t>(gridColumn - 1)]
               : -1;
}

void TTableForm::Build() {
    if (FTable.RowCount() < FTable.MinRows()) FTable.SetRowCount(FTable.MinRows());
    auto* layout = new QVBoxLayout(this);
    // a margin of a twentieth of an inch around the grid
    const int margin = std::max(2, logicalDpiX() / 20);
    layout->setContentsMargins(margin, margin, margin, margin);

    FGrid = new TTableGrid(this);
    FGrid->setObjectName(QStringLiteral("Grid"));
    FGrid->verticalHeader()->hide();
    FGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    FGrid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
                           | QAbstractItemView::EditKeyPressed);
    FGrid->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    FGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    layout->addWidget(FGrid);
    connect(FGrid, &QTableWidget::itemChanged, this, &TTableForm::CellEdited);
    connect(FGrid, &QTableWidget::currentCellChanged, this, [this](int row, int column, int, int) {
        if (FBadRow < 0 || (row == FBadRow && column == FBadColumn)) return;
        const int r = FBadRow, c = FBadColumn;
        QTimer::singleShot(0, this, [this, r, c] { FGrid->setCurrentCell(r, c); });
    });

    auto* buttons = new QHBoxLayout;
    FAdd          = new QPushButton(QStringLiteral("&Add Row"), this);
    FInsert       = new QPushButton(QStringLiteral("&Insert Row"), this);
    FDelete       = new QPushButton(QStringLiteral("&Delete Row"), this);
    FAdd->setObjectName(QStringLiteral("AddRow"));
    FInsert->setObjectName(QStringLiteral("InsertRow"));
    FDelete->setObjectName(QStringLiteral("DeleteRow"));
    for (QPushButton* b : {FAdd, FInsert, FDelete}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(FAdd, &QPushButton::clicked, this, [this] { RowOperation(0); });
    connect(FInsert, &QPushButton::clicked, this, [this] { RowOperation(1); });
    connect(FDelete, &QPushButton::clicked, this, [this] { RowOperation(2); });

    FComments = new QLabel(this);
    FComments->setObjectName(QStringLiteral("Comments"));
    FComments->setWordWrap(false);
    layout->addWidget(FComments);
    Redisplay();
    FitToContents();
}

void TTableForm::Redisplay() {
    setWindowTitle(TitleOf(FTable));
    FColumns.clear();
    for (int c = 0; c < FTable.ColumnCount(); ++c)
        if (FTable.Column(c).Displayed) FColumns.push_back(c);
    FillRows();
    UpdateButtons();
    FComments->setText(Q(FTable.Comments));
    FComments->setVisible(!FTable.Comments.empty());
}

void TTableForm::FillRows() {
    FFilling           = true;
    const int keepRow  = FGrid->currentRow();
    const int keepCol  = FGrid->currentColumn();
    const int gridCols = 1 + static_cast<int>(FColumns.size());
    FGrid->clear();
    FGrid->setColumnCount(gridCols);
    FGrid->setRowCount(FTable.RowCount());

    QStringList headers{Q(FTable.TopLeft)};
    for (int c : FColumns) {
        const TColumn& col = FTable.Column(c);
        QStringList lines;
        for (int l = 0; l < col.CaptionLineCount(); ++l) lines << Q(col.CaptionLine(l));
        headers << lines.join(QLatin1Char('\n'));
    }
    FGrid->setHorizontalHeaderLabels(headers);

    const QFontMetrics metrics = FGrid->fontMetrics();
    const auto textWidth       = [&metrics](const std::string& s) {
        return metrics.horizontalAdvance(Q(s));
    };
    const int dpi = logicalDpiX();
    FGrid->setColumnWidth(0, std::max(dpi / 3, metrics.horizontalAdvance(Q(FTable.TopLeft)) + 12));
    // the header of the current column is drawn in bold: its caption must fit that way too
    QFont bold = FGrid->horizontalHeader()->font();
    bold.setBold(true);
    const QFontMetrics boldMetrics(bold);
    for (std::size_t i = 0; i < FColumns.size(); ++i) {
        const TColumn& col = FTable.Column(FColumns[i]);
        int width          = col.ColumnWidth(textWidth, dpi) + 8;
        for (int l = 0; l < col.CaptionLineCount(); ++l)
            width = std::max(width, boldMetrics.horizontalAdvance(Q(col.CaptionLine(l))) + 12);
        // a list shows its chosen item whole, beside its arrow
        // a list shows its usual items whole beside its arrow; its drop-down shows them all
        if (col.Class() == TColumn::kEnum) {
            int widest = 0;
            for (const std::string& item : static_cast<const TEnumColumn&>(col).Items)
                widest = std::max(widest, textWidth(item));
            width = std::max(width, std::min(widest + 40, 3 * dpi));
        }
        FGrid->setColumnWidth(static_cast<int>(i) + 1, width);
    }

    for (int r = 0; r < FTable.RowCount(); ++r) {
        auto* number = new QTableWidgetItem(QString::number(r / FTable.RowGroup() + 1));
        number->setFlags(Qt::ItemIsEnabled);
        number->setBackground(palette().button());
        number->setTextAlignment(Qt::AlignCenter);
        FGrid->setItem(r, 0, number);
        for (std::size_t i = 0; i < FColumns.size(); ++i) {
            const int gc = static_cast<int>(i) + 1;
            const int c  = FColumns[i];
            TColumn& col = FTable.Column(c);
            auto* cell   = new QTableWidgetItem;
            if (col.Class() == TColumn::kEnum) {
                cell->setFlags(Qt::ItemIsEnabled);
                FGrid->setItem(r, gc, cell);
                auto* box = new QComboBox;
                box->setObjectName(QStringLiteral("Choice_%1_%2").arg(c).arg(r));
                box->setMaxVisibleItems(11);
                box->view()->setMinimumWidth(box->view()->sizeHintForColumn(0) + 20);
                for (const std::string& item : static_cast<TEnumColumn&>(col).Items)
                    box->addItem(Q(item));
                box->setCurrentIndex(col.IntegerAt(r) - 1);
                connect(box, &QComboBox::activated, this,
                        [this, c, r](int index) { ItemChosen(c, r, index); });
                box->setProperty("cellRow", r);
                box->setProperty("cellColumn", gc);
                box->installEventFilter(this);
                FGrid->setCellWidget(r, gc, box);
            } else if (col.Class() == TColumn::kTable) {
                cell->setFlags(Qt::ItemIsEnabled);
                FGrid->setItem(r, gc, cell);
                auto* button = new QPushButton(Q(col.CellText(r)));
                button->setObjectName(QStringLiteral("SubTable_%1_%2").arg(c).arg(r));
                button->setAutoDefault(false);
                connect(button, &QPushButton::clicked, this, [this, c, r] { OpenSubTable(c, r); });
                button->setProperty("cellRow", r);
                button->setProperty("cellColumn", gc);
                button->installEventFilter(this);
                FGrid->setCellWidget(r, gc, button);
            } else {
                cell->setText(Q(col.CellText(r)));
                cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable);
                FGrid->setItem(r, gc, cell);
            }
        }
    }
    FGrid->resizeRowsToContents();
    if (keepRow >= 0 && keepRow < FGrid->rowCount() && keepCol >= 0 && keepCol < gridCols)
        FGrid->setCurrentCell(keepRow, keepCol);
    else if (FGrid->rowCount() > 0 && gridCols > 1)
        FGrid->setCurrentCell(0, 1);
    FFilling = false;
}

void TTableForm::UpdateButtons() {
    const bool shown = FTable.ShowsRowButtons();
    for (QPushButton* b : {FAdd, FInsert, FDelete}) b->setVisible(shown);
    FAdd->setEnabled(FTable.CanAddRows());
    FInsert->setEnabled(FTable.CanAddRows());
    FDelete->setEnabled(FTable.CanDeleteRows());
}

void TTableForm::FitToContents() {
    int width = 2 * FGrid->frameWidth();
    for (int c = 0; c < FGrid->columnCount(); ++c) width += FGrid->columnWidth(c);
    const int rows = std::min(FGrid->rowCount(), kVisibleRows);
    const int row  = FGrid->rowCount() > 0 ? FGrid->rowHeight(0) : FGrid->fontMetrics().height();
    int height =
        2 * FGrid->frameWidth() + FGrid->horizontalHeader()->sizeHint().height() + rows * row;
    if (FGrid->rowCount() > kVisibleRows) width += FGrid->verticalScrollBar()->sizeHint().width();
    const int widest = 1400;
    if (width > widest) {
        width = widest;
        height += FGrid->horizontalScrollBar()->sizeHint().height();
    }
    FGrid->SetFitSize(QSize(width, height));
    FGrid->setMinimumSize(std::min(width, 300), std::min(height, 120));
    resize(sizeHint());
}

bool TTableForm::CommitCurrentCell() {
    if (FGrid->IsEditing()) {
        QWidget* editor = QApplication::focusWidget();
        if (editor && FGrid->viewport()->isAncestorOf(editor)) FGrid->SubmitEditor(editor);
    }
    if (FBadRow >= 0) {
        // the refused text is still in the cell: try it again, so the user hears why
        if (QTableWidgetItem* item = FGrid->item(FBadRow, FBadColumn)) CellEdited(item);
    }
    return FBadRow < 0;
}

void TTableForm::CellEdited(QTableWidgetItem* item) {
    if (FFilling) return;
    const int c = ColumnOfGrid(item->column());
    if (c < 0) return;
    try {
        FTable.Column(c).SetCellText(item->row(), item->text().toStdString());
    } catch (const EEntryError& e) {
        FBadRow    = item->row();
        FBadColumn = item->column();
        FGrid->setProperty("refused", true);
        ShowMessage(this, TMsgKind::Error, QString::fromStdString(e.what()));
        FGrid->setCurrentCell(FBadRow, FBadColumn);
        QTimer::singleShot(0, FGrid, [g = FGrid] { g->setProperty("refused", false); });
        return;
    }
    FBadRow = FBadColumn = -1;
    Redisplay();
}

void TTableForm::ItemChosen(int column, int row, int index) {
    TColumn& col = FTable.Column(column);
    if (index + 1 == col.IntegerAt(row)) return;
    // the row's parameter tables are replaced: their windows must go first
    for (int c = 0; c < FTable.ColumnCount(); ++c) {
        if (FTable.Column(c).Class() != TColumn::kTable) continue;
        if (TGridTable* sub = FTable.Column(c).SubTableAt(row)) CloseWindowsBelow(*sub, true);
    }
    col.SetInteger(row, index + 1);
    // the list that sent this signal is rebuilt below; let it finish first
    QTimer::singleShot(0, this, [this] { Redisplay(); });
}

void TTableForm::OpenSubTable(int column, int row) {
    TGridTable* sub = FTable.Column(column).SubTableAt(row);
    if (!sub) return;
    if (FModal || !FOpenSubTable) {
        TTableForm dialog(*sub, true, {}, this);
        dialog.setModal(true);
        dialog.exec();
        Redisplay();
    } else {
        FOpenSubTable(*sub);
    }
}

void TTableForm::RowOperation(int which) {
    if (!CommitCurrentCell()) return;
    const int row = FGrid->currentRow();
    // rows move or go: their sub-table windows would show the wrong layer
    CloseWindowsBelow(FTable, false);
    try {
        if (which == 0)
            FTable.AddGroup();
        else if (which == 1)
            FTable.InsertGroup(row);
        else
            FTable.DeleteGroup(row);
    } catch (const ETableError& e) {
        ShowMessage(this, TMsgKind::Error, QString::fromStdString(e.what()));
    }
    Redisplay();
}

bool TTableForm::FormDeactivate() { return CommitCurrentCell(); }

void TTableForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (FSnapping || !isVisible() || FGrid->columnCount() < 2) return;
    TGridMetrics metrics;
    for (int c = 0; c < FGrid->columnCount(); ++c)
        metrics.ColumnWidths.push_back(FGrid->columnWidth(c));
    metrics.HeaderHeight    = FGrid->horizontalHeader()->height();
    metrics.RowHeight       = FGrid->rowCount() > 0 ? FGrid->rowHeight(0) : 1;
    metrics.RowCount        = FGrid->rowCount();
    metrics.ScrollBarExtent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, FGrid);
    metrics.Frame           = FGrid->frameWidth();
    const TGridSize snapped = SnapGridSize(metrics, {FGrid->width(), FGrid->height()});
    const QSize delta(snapped.Width - FGrid->width(), snapped.Height - FGrid->height());
    if (delta.isNull()) return;
    QWidget* outer     = qobject_cast<QMdiSubWindow*>(parentWidget()) ? parentWidget() : this;
    const QSize target = outer->size() + delta;
    if (target == FLastSnap) return;  // the layout would not give it: do not try again
    FLastSnap = target;
    FSnapping = true;
    outer->resize(target);
    FSnapping = false;
}

bool TTableForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && !FFilling) {
        const QVariant row = watched->property("cellRow");
        const QVariant col = watched->property("cellColumn");
        if (row.isValid() && col.isValid() && FBadRow < 0)
            FGrid->setCurrentCell(row.toInt(), col.toInt());
    }
    return QDialog::eventFilter(watched, event);
}

void TTableForm::reject() {
    // a child window of the main window has no dialog result: Escape would only hide it
    if (FModal || FForced) QDialog::reject();
}

void TTableForm::done(int result) {
    if (!FForced && !CommitCurrentCell()) return;
    QDialog::done(result);
}

void TTableForm::closeEvent(QCloseEvent* event) {
    if (!FForced && !CommitCurrentCell()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace korven
