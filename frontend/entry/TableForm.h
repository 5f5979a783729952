// The window of a data table: a grid with row numbers, drop-down lists and sub-table buttons
// over their cells, typed entry, row buttons and the table's comments.
#pragma once

#include <QDialog>
#include <QTableWidget>
#include <functional>

#include "project/ChildForm.h"

class QPushButton;
class QLabel;

namespace korven {

class TGridTable;

class TTableGrid : public QTableWidget {
    Q_OBJECT
public:
    using QTableWidget::QTableWidget;
    /// Next cell for Enter: down the column, then the top of the next column, then column 1.
    void MoveNext();
    bool IsEditing() const { return state() == QAbstractItemView::EditingState; }
    /// Ends the open editor as leaving the cell does: its text is submitted.
    void SubmitEditor(QWidget* editor) {
        commitData(editor);
        QTableWidget::closeEditor(editor, QAbstractItemDelegate::NoHint);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
};

class TTableForm : public QDialog, public TChildForm {
    Q_OBJECT
public:
    /// `openSubTable` shows a sub-table of a non-modal window as a child of the main window.
    TTableForm(TGridTable& table, bool modal, std::function<void(TGridTable&)> openSubTable = {},
               QWidget* parent = nullptr);
    ~TTableForm() override;

    TGridTable& Table() const { return FTable; }
    TTableGrid* Grid() const { return FGrid; }
    QPushButton* AddButton() const { return FAdd; }
    QPushButton* InsertButton() const { return FInsert; }
    QPushButton* DeleteButton() const { return FDelete; }

    /// Caption, a blank, and the row path (parent row numbers, each after a blank).
    static QString TitleOf(const TGridTable& table);

    /// Shows the stored values again (after a change of unit system, for instance).
    void Redisplay();
    /// Typed text of the current cell into the table; false (message shown) when refused.
    bool CommitCurrentCell();

    bool FormDeactivate() override;

    /// Closes, without asking, every open window of `table` or of a table below it: their
    /// tables are about to go.
    static void CloseWindowsBelow(const TGridTable& table, bool includingItself);
    /// The open window of `table`, if any.
    static TTableForm* WindowOf(const TGridTable& table);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Build();
    void FillRows();
    void UpdateButtons();
    void CellEdited(QTableWidgetItem* item);
    void ItemChosen(int column, int row, int index);
    void OpenSubTable(int column, int row);
    void RowOperation(int which);
    void FitToContents();
    int ColumnOfGrid(int gridColumn) const;

    TGridTable& FTable;
    bool FModal;
    std::function<void(TGridTable&)> FOpenSubTable;
    TTableGrid* FGrid    = nullptr;
    QPushButton* FAdd    = nullptr;
    QPushButton* FInsert = nullptr;
    QPushButton* FDelete = nullptr;
    QLabel* FComments    = nullptr;
    std::vector<int> FColumns;  ///< table column of each grid column after the row numbers
    bool FFilling  = false;
    bool FForced   = false;
    int FBadRow    = -1;
    int FBadColumn = -1;
};

}  // namespace korven
