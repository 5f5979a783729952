// The table engine: typed columns of cells, rows in groups, sub-tables per row chosen by the
// row's item in the first column, typed entry, unit conversion, and stored definitions.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace korven {

class TGridTable;
class TGridTableList;
class TValueReader;
class TValueWriter;

/// A typed entry that cannot be stored; the message is meant for the user as it is.
class EEntryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A stored table definition that cannot be read.
class ETableDefinitionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A cell used as the wrong type, or a row that does not exist: an error of the calling code.
class ETableError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

class TColumn;

/// One cell: a column and a row (0-based), read and written through the column.
class TData {
public:
    TData(TColumn& column, int row) : column_(&column), row_(row) {}
    TColumn& Column() const { return *column_; }
    int Row() const { return row_; }

    long double AsFloat() const;
    void SetFloat(long double value) const;
    int AsInteger() const;
    void SetInteger(int value) const;
    TGridTable* SubTable() const;
    std::string Text() const;
    void SetText(const std::string& text) const;  ///< typed entry; throws EEntryError

private:
    TColumn* column_;
    int row_;
};

class TColumn {
public:
    /// Class codes of the stored definition.
    enum ClassCode : int { kEnum = 0, kInt = 1, kFloat = 2, kTable = 3, kString = 4 };

    explicit TColumn(TGridTable& table) : table_(&table) {}
    virtual ~TColumn()                 = default;
    TColumn(const TColumn&)            = delete;
    TColumn& operator=(const TColumn&) = delete;

    std::vector<std::string> CaptionLines;
    bool Displayed = true;   ///< shown in the table window
    bool PerGroup  = false;  ///< an entry is stored in every row of its group

    virtual ClassCode Class() const            = 0;
    virtual void InsertRows(int at, int count) = 0;
    virtual void DeleteRows(int at, int count) = 0;
    virtual int CaptionLineCount() const { return static_cast<int>(CaptionLines.size()); }
    /// A header line as shown; a float column adds the unit name to its last line.
    virtual std::string CaptionLine(int line) const;
    virtual TGridTable* SubTableAt(int row) const;
    virtual long double FloatAt(int row) const;
    virtual void SetFloat(int row, long double value);
    virtual int IntegerAt(int row) const;
    virtual void SetInteger(int row, int value);
    virtual std::string CellText(int row) const;
    /// Typed entry; throws EEntryError with the message for the user and keeps the stored value.
    virtual void SetCellText(int row, const std::string& text);
    virtual bool Changed() const { return false; }
    virtual void ResetChanged() {}
    virtual void ConvertUnits(int /*from*/, int /*to*/) {}
    virtual bool UsesEditors() const { return false; }
    /// The column's minimum width in inches (0: the caption decides).
    virtual double MinimumWidth() const { return 0.0; }
    virtual std::unique_ptr<TColumn> Clone(TGridTable& table) const = 0;
    void WriteDefinition(TValueWriter& out) const;

    /// Width in pixels: the widest caption line followed by two blanks, as measured by
    /// `textWidth`, and at least the column's minimum width at `dpi`.
    int ColumnWidth(const std::function<int(const std::string&)>& textWidth, int dpi) const;
    /// Rows that an entry in `row` sets: the whole group when `PerGroup`, else the row alone.
    std::pair<int, int> GroupSize(int row) const;
    TGridTable& Table() const { return *table_; }
    TData Data(int row) { return TData(*this, row); }

protected:
    TGridTable* table_;
    void checkRow(int row) const;
    void copyBaseTo(TColumn& other) const;
    virtual void writeData(TValueWriter& out) const = 0;
};

/// A choice among item texts, stored as the 1-based item number.
class TEnumColumn : public TColumn {
public:
    using TColumn::TColumn;
    std::vector<std::string> Items;

    ClassCode Class() const override { return kEnum; }
    void InsertRows(int at, int count) override;
    void DeleteRows(int at, int count) override;
    int IntegerAt(int row) const override;
    /// Throws ETableError for a number that names no item.
    void SetInteger(int row, int value) override;
    std::string CellText(int row) const override;
    void SetCellText(int row, const std::string& text) override;
    bool UsesEditors() const override { return true; }
    double MinimumWidth() const override { return 1.5; }
    std::unique_ptr<TColumn> Clone(TGridTable& table) const override;

private:
    std::vector<int> values_;
    void writeData(TValueWriter& out) const override;
};

class TIntColumn : public TColumn {
public:
    using TColumn::TColumn;
    int Default = 0;
    int Minimum = -2147483647 - 1;
    int Maximum = 2147483647;

    ClassCode Class() const override { return kInt; }
    void InsertRows(int at, int count) override;
    void DeleteRows(int at, int count) override;
    int IntegerAt(int row) const override;
    void SetInteger(int row, int value) override;
    std::string CellText(int row) const override;
    void SetCellText(int row, const std::string& text) override;
    double MinimumWidth() const override { return 0.5; }
    std::unique_ptr<TColumn> Clone(TGridTable& table) const override;

private:
    std::vector<int> values_;
    void writeData(TValueWriter& out) const override;
};

class TFloatColumn : public TColumn {
public:
    using TColumn::TColumn;
    bool TopDepth = false;
    std::string UnitCode;  ///< such as "L2" or "F/L2^2"; empty for a dimensionless column
    long double Default = 0;

    ClassCode Class() const override { return kFloat; }
    void InsertRows(int at, int count) override;
    void DeleteRows(int at, int count) override;
    std::string CaptionLine(int line) const override;
    long double FloatAt(int row) const override;
    /// Throws ETableError for a value that is not finite.
    void SetFloat(int row, long double value) override;
    std::string CellText(int row) const override;
    void SetCellText(int row, const std::string& text) override;
    void ConvertUnits(int from, int to) override;
    double MinimumWidth() const override { return 0.5; }
    std::unique_ptr<TColumn> Clone(TGridTable& table) const override;

private:
    std::vector<long double> values_;
    void writeData(TValueWriter& out) const override;
};

/// One sub-table per row, a copy of the template that the row's item in the first column names.
class TTableColumn : public TColumn {
public:
    using TColumn::TColumn;
    /// Template identifier for each item of the first column; -1: no template.
    std::vector<int> IdentifierList;

    ClassCode Class() const override { return kTable; }
    void InsertRows(int at, int count) override;
    void DeleteRows(int at, int count) override;
    TGridTable* SubTableAt(int row) const override;
    /// "%d: %s" of the row number from 1 and the sub-table's caption.
    std::string CellText(int row) const override;
    bool Changed() const override;
    void ResetChanged() override;
    void ConvertUnits(int from, int to) override;
    bool UsesEditors() const override { return true; }
    double MinimumWidth() const override { return 2.0; }
    std::unique_ptr<TColumn> Clone(TGridTable& table) const override;

    /// Gives `row` a fresh sub-table for its current item (the old one and its values are gone).
    void ReplaceSubTable(int row);
    /// Tells every sub-table its row number after rows moved.
    void Renumber();

private:
    std::vector<std::unique_ptr<TGridTable>> tables_;
    std::unique_ptr<TGridTable> makeSubTable(int row) const;
    void writeData(TValueWriter& out) const override;
};

class TStringColumn : public TColumn {
public:
    using TColumn::TColumn;
    std::string Default;
    long double Width = 1;  ///< inches

    ClassCode Class() const override { return kString; }
    void InsertRows(int at, int count) override;
    void DeleteRows(int at, int count) override;
    std::string CellText(int row) const override;
    void SetCellText(int row, const std::string& text) override;
    double MinimumWidth() const override { return static_cast<double>(Width); }
    std::unique_ptr<TColumn> Clone(TGridTable& table) const override;

private:
    std::vector<std::string> values_;
    void writeData(TValueWriter& out) const override;
};

/// A table of typed columns. Every table is registered process-wide under an `Identifier` that
/// no other table has: a new one gets a fresh number, and taking the number of another table
/// gives that table the old number of this one.
class TGridTable {
public:
    TGridTable();
    ~TGridTable();
    TGridTable(const TGridTable&)            = delete;
    TGridTable& operator=(const TGridTable&) = delete;

    std::string Caption;
    std::string Comments;  ///< shown under the grid
    std::string TopLeft;   ///< text of the top-left header cell
    bool HardwiredButton = false;

    /// May supply a row's sub-table in place of the template copy (return null to decline).
    std::function<std::unique_ptr<TGridTable>(TGridTable& table, int row)> OnInitRow;
    std::function<void(TGridTable& table)> OnSetUnits;
    /// Extra state that counts as a change, and its reset.
    std::function<bool(const TGridTable& table)> OnGetChanged;
    std::function<void(TGridTable& table)> OnResetChanged;

    int Identifier() const { return identifier_; }
    void SetIdentifier(int identifier);
    /// The registered table with this identifier, or null.
    static TGridTable* Find(int identifier);

    int MinRows() const { return minRows_; }
    void SetMinRows(int rows);  ///< at least 1; raises MaxRows when needed
    int MaxRows() const { return maxRows_; }
    void SetMaxRows(int rows);  ///< at least MinRows
    int RowGroup() const { return rowGroup_; }
    void SetRowGroup(int rows);  ///< at least 1

    int RowCount() const { return rowCount_; }
    /// Grows by whole groups at the end or shrinks from the end; kept within 0 .. MaxRows.
    void SetRowCount(int rows);
    /// Row operations of the window; each works on a whole group and returns false when the
    /// limits forbid it. `row` is any row of the group; a row that does not exist throws
    /// ETableError "Grid.Row not in valid range".
    bool AddGroup();
    bool InsertGroup(int row);
    bool DeleteGroup(int row);
    bool ShowsRowButtons() const { return minRows_ != maxRows_; }
    bool CanAddRows() const { return rowCount_ != maxRows_; }
    bool CanDeleteRows() const { return minRows_ < rowCount_; }

    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    TColumn& Column(int index) const;
    TData Cell(int column, int row) const;
    template <class C>
    C& AddColumn() {
        auto c = std::make_unique<C>(*this);
        C& ref = *c;
        addColumn(std::move(c));
        return ref;
    }

    /// Unit system of the stored values (1 English, 2 SI).
    int Units() const { return units_; }
    /// Converts every float column and every sub-table when the system changes.
    void SetUnits(int units);

    /// Row number within the parent table, from 1; 0 for a top-level table.
    int RowNumber() const { return rowNumber_; }
    TGridTable* Parent() const { return parent_; }
    /// Where the templates of the sub-tables are looked up first (then among all tables).
    TGridTableList* Templates = nullptr;

    bool Changed() const;
    void SetChanged() { changed_ = true; }
    void ResetChanged();

    /// The "Col" definition: the columns with their definition data (no cell values).
    void WriteDefinition(TValueWriter& out) const;
    /// Replaces the columns by the ones read; the table is left with no rows.
    /// Throws ETableDefinitionError.
    void ReadDefinition(TValueReader& in);

    /// A new sub-table of `parent`'s row `row` (0-based) with this table's caption, comments,
    /// header, row limits and column definitions, the parent's units and `MinRows` rows.
    std::unique_ptr<TGridTable> CopyAsSubTable(TGridTable& parent, int row) const;

    /// Called by a column after an entry changed `row`'s item: a new item in the first column
    /// gives the row a new sub-table.
    void ItemChanged(const TColumn& column, int row);

private:
    friend class TTableColumn;
    int identifier_     = 0;
    int minRows_        = 1;
    int maxRows_        = 100;
    int rowGroup_       = 1;
    int rowCount_       = 0;
    int units_          = 1;
    int rowNumber_      = 0;
    bool changed_       = false;
    TGridTable* parent_ = nullptr;
    std::vector<std::unique_ptr<TColumn>> columns_;

    void addColumn(std::unique_ptr<TColumn> column);
    void insertRows(int at, int count);
    void deleteRows(int at, int count);
};

/// The templates of the sub-tables, each under the identifier it was added with (a later change
/// of a template's `Identifier` through the swap rule does not lose it).
class TGridTableList {
public:
    TGridTable& Add(std::unique_ptr<TGridTable> table);
    TGridTable* Find(int identifier) const;
    const std::vector<std::unique_ptr<TGridTable>>& Tables() const { return tables_; }

private:
    std::vector<int> keys_;
    std::vector<std::unique_ptr<TGridTable>> tables_;
};

}  // namespace korven
