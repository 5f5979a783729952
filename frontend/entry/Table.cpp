// Columns, cells, rows, sub-tables, typed entry, unit conversion and stored definitions of
// tables.
#include "entry/Table.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "entry/TableEntry.h"
#include "entry/Units.h"
#include "entry/ValueStream.h"
#include "project/GeneralFormat.h"

namespace korven {
namespace {

constexpr const char* kWrongType = "Data of wrong type";
constexpr const char* kBadRow    = "Grid.Row not in valid range";

// Every table alive, for identifiers and template look-up. The front end has one thread.
std::vector<TGridTable*>& registry() {
    static std::vector<TGridTable*> tables;
    return tables;
}

template <class T>
void insertValues(std::vector<T>& v, int at, int count, const T& value) {
    v.insert(v.begin() + at, static_cast<std::size_t>(count), value);
}

template <class T>
void eraseValues(std::vector<T>& v, int at, int count) {
    v.erase(v.begin() + at, v.begin() + at + count);
}

std::size_t idx(int row) { return static_cast<std::size_t>(row); }

std::string formatMessage(const char* format, int a, int b) {
    char buf[160];
    std::snprintf(buf, sizeof buf, format, a, b);
    return buf;
}

}  // namespace

// ---- TData -----------------------------------------------------------------------------------

long double TData::AsFloat() const { return column_->FloatAt(row_); }
void TData::SetFloat(long double value) const { column_->SetFloat(row_, value); }
int TData::AsInteger() const { return column_->IntegerAt(row_); }
void TData::SetInteger(int value) const { column_->SetInteger(row_, value); }
TGridTable* TData::SubTable() const { return column_->SubTableAt(row_); }
std::string TData::Text() const { return column_->CellText(row_); }
void TData::SetText(const std::string& text) const { column_->SetCellText(row_, text); }

// ---- TColumn ---------------------------------------------------------------------------------

std::string TColumn::CaptionLine(int line) const {
    if (line < 0 || line >= static_cast<int>(CaptionLines.size())) return {};
    return CaptionLines[idx(line)];
}

TGridTable* TColumn::SubTableAt(int) const { throw ETableError(kWrongType); }
long double TColumn::FloatAt(int) const { throw ETableError(kWrongType); }
void TColumn::SetFloat(int, long double) { throw ETableError(kWrongType); }
int TColumn::IntegerAt(int) const { throw ETableError(kWrongType); }
void TColumn::SetInteger(int, int) { throw ETableError(kWrongType); }
std::string TColumn::CellText(int) const { return {}; }
void TColumn::SetCellText(int, const std::string&) {}

void TColumn::checkRow(int row) const {
    if (row < 0 || row >= table_->RowCount()) throw ETableError(kBadRow);
}

std::pair<int, int> TColumn::GroupSize(int row) const {
    if (!PerGroup) return {row, 1};
    const int g = table_->RowGroup();
    return {row / g * g, std::min(g, table_->RowCount() - row / g * g)};
}

int TColumn::ColumnWidth(const std::function<int(const std::string&)>& textWidth, int dpi) const {
    int width = 0;
    for (int i = 0; i < CaptionLineCount(); ++i)
        width = std::max(width, textWidth(CaptionLine(i) + "  "));
    return std::max(width, static_cast<int>(std::lround(MinimumWidth() * dpi)));
}

void TColumn::copyBaseTo(TColumn& other) const {
    other.CaptionLines = CaptionLines;
    other.Displayed    = Displayed;
    other.PerGroup     = PerGroup;
}

void TColumn::WriteDefinition(TValueWriter& out) const {
    out.WriteInteger(Class());
    out.WriteListBegin();
    for (const auto& line : CaptionLines) out.WriteString(line);
    out.WriteListEnd();
    out.WriteBoolean(Displayed);
    out.WriteBoolean(PerGroup);
    writeData(out);
}

// ---- TEnumColumn -----------------------------------------------------------------------------

void TEnumColumn::InsertRows(int at, int count) { insertValues(values_, at, count, 1); }
void TEnumColumn::DeleteRows(int at, int count) { eraseValues(values_, at, count); }

int TEnumColumn::IntegerAt(int row) const {
    checkRow(row);
    return values_[idx(row)];
}

void TEnumColumn::SetInteger(int row, int value) {
    checkRow(row);
    if (value < 1 || value > static_cast<int>(Items.size()))
        throw ETableError("Item " + std::to_string(value) + " does not exist");
    const auto [first, count] = GroupSize(row);
    for (int r = first; r < first + count; ++r) {
        if (values_[idx(r)] == value) continue;
        values_[idx(r)] = value;
        table_->SetChanged();
        table_->ItemChanged(*this, r);
    }
}

std::string TEnumColumn::CellText(int row) const { return std::to_string(IntegerAt(row)); }

void TEnumColumn::SetCellText(int row, const std::string& text) {
    checkRow(row);
    const long double v = EvaluateEntry(text);
    if (v != std::trunc(v) || v < -2147483648.0L || v > 2147483647.0L)
        throw EEntryError("Value must be an integer.");
    // an item number that names no item would leave the row without a meaning (or a template)
    if (v < 1 || v > static_cast<long double>(Items.size()))
        throw EEntryError(
            formatMessage("Entry must be between %d and %d.", 1, static_cast<int>(Items.size())));
    SetInteger(row, static_cast<int>(v));
}

std::unique_ptr<TColumn> TEnumColumn::Clone(TGridTable& table) const {
    auto c = std::make_unique<TEnumColumn>(table);
    copyBaseTo(*c);
    c->Items = Items;
    return c;
}

void TEnumColumn::writeData(TValueWriter& out) const {
    out.WriteListBegin();
    for (const auto& item : Items) out.WriteString(item);
    out.WriteListEnd();
}

// ---- TIntColumn ------------------------------------------------------------------------------

void TIntColumn::InsertRows(int at, int count) { insertValues(values_, at, count, Default); }
void TIntColumn::DeleteRows(int at, int count) { eraseValues(values_, at, count); }

int TIntColumn::IntegerAt(int row) const {
    checkRow(row);
    return values_[idx(row)];
}

void TIntColumn::SetInteger(int row, int value) {
    checkRow(row);
    const auto [first, count] = GroupSize(row);
    for (int r = first; r < first + count; ++r) values_[idx(r)] = value;
    table_->SetChanged();
}

std::string TIntColumn::CellText(int row) const { return std::to_string(IntegerAt(row)); }

void TIntColumn::SetCellText(int row, const std::string& text) {
    checkRow(row);
    const long double v = EvaluateEntry(text);
    const long double r = std::nearbyint(v);  // halves to even
    if (std::fabs(v - r) > 1e-10L) throw EEntryError("Entry must be an integer.");
    if (r < Minimum || r > Maximum)
        throw EEntryError(formatMessage("Entry must be between %d and %d.", Minimum, Maximum));
    SetInteger(row, static_cast<int>(r));
}

std::unique_ptr<TColumn> TIntColumn::Clone(TGridTable& table) const {
    auto c = std::make_unique<TIntColumn>(table);
    copyBaseTo(*c);
    c->Default = Default;
    c->Minimum = Minimum;
    c->Maximum = Maximum;
    return c;
}

void TIntColumn::writeData(TValueWriter& out) const {
    out.WriteInteger(Default);
    out.WriteInteger(Minimum);
    out.WriteInteger(Maximum);
}

// ---- TFloatColumn ----------------------------------------------------------------------------

void TFloatColumn::InsertRows(int at, int count) { insertValues(values_, at, count, Default); }
void TFloatColumn::DeleteRows(int at, int count) { eraseValues(values_, at, count); }

std::string TFloatColumn::CaptionLine(int line) const {
    std::string s = TColumn::CaptionLine(line);
    if (!UnitCode.empty() && line == CaptionLineCount() - 1)
        s += " (" + UnitName(UnitCode, table_->Units()) + ")  ";
    return s;
}

long double TFloatColumn::FloatAt(int row) const {
    checkRow(row);
    return values_[idx(row)];
}

void TFloatColumn::SetFloat(int row, long double value) {
    checkRow(row);
    if (!std::isfinite(value)) throw ETableError("A cell cannot hold an infinite or NaN value");
    const auto [first, count] = GroupSize(row);
    for (int r = first; r < first + count; ++r) values_[idx(r)] = value;
    table_->SetChanged();
}

std::string TFloatColumn::CellText(int row) const { return FormatGeneral(FloatAt(row), 8); }

void TFloatColumn::SetCellText(int row, const std::string& text) {
    checkRow(row);
    SetFloat(row, EvaluateEntry(text));
}

void TFloatColumn::ConvertUnits(int from, int to) {
    const long double f = UnitFactor(UnitCode, from, to);
    if (f == 1.0L) return;
    for (auto& v : values_) v *= f;
}

std::unique_ptr<TColumn> TFloatColumn::Clone(TGridTable& table) const {
    auto c = std::make_unique<TFloatColumn>(table);
    copyBaseTo(*c);
    c->TopDepth = TopDepth;
    c->UnitCode = UnitCode;
    c->Default  = Default;
    return c;
}

void TFloatColumn::writeData(TValueWriter& out) const {
    out.WriteBoolean(TopDepth);
    out.WriteString("FLOATCOLUMN2");
    out.WriteString(UnitCode);
    out.WriteFloat(Default);
}

// ---- TTableColumn ----------------------------------------------------------------------------

std::unique_ptr<TGridTable> TTableColumn::makeSubTable(int row) const {
    if (table_->OnInitRow)
        if (auto t = table_->OnInitRow(*table_, row)) return t;
    if (table_->ColumnCount() == 0 || table_->Column(0).Class() != kEnum) return nullptr;
    const int item = table_->Column(0).IntegerAt(row);
    if (item < 1 || item > static_cast<int>(IdentifierList.size())) return nullptr;
    const int id = IdentifierList[idx(item - 1)];
    if (id == -1) return nullptr;
    const TGridTable* tmpl = table_->Templates ? table_->Templates->Find(id) : nullptr;
    if (!tmpl) tmpl = TGridTable::Find(id);
    if (!tmpl) return nullptr;
    return tmpl->CopyAsSubTable(*table_, row);
}

void TTableColumn::InsertRows(int at, int count) {
    for (int r = at; r < at + count; ++r) tables_.emplace(tables_.begin() + r);
    for (int r = at; r < at + count; ++r) tables_[idx(r)] = makeSubTable(r);
    Renumber();
}

void TTableColumn::DeleteRows(int at, int count) {
    eraseValues(tables_, at, count);
    Renumber();
}

void TTableColumn::Renumber() {
    for (std::size_t r = 0; r < tables_.size(); ++r)
        if (tables_[r]) tables_[r]->rowNumber_ = static_cast<int>(r) + 1;
}

void TTableColumn::ReplaceSubTable(int row) {
    checkRow(row);
    tables_[idx(row)] = makeSubTable(row);
}

TGridTable* TTableColumn::SubTableAt(int row) const {
    checkRow(row);
    return tables_[idx(row)].get();
}

std::string TTableColumn::CellText(int row) const {
    const TGridTable* t = SubTableAt(row);
    if (!t) return {};
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d: ", row + 1);
    return buf + t->Caption;
}

bool TTableColumn::Changed() const {
    return std::any_of(tables_.begin(), tables_.end(),
                       [](const auto& t) { return t && t->Changed(); });
}

void TTableColumn::ResetChanged() {
    for (auto& t : tables_)
        if (t) t->ResetChanged();
}

void TTableColumn::ConvertUnits(int, int to) {
    for (auto& t : tables_)
        if (t) t->SetUnits(to);
}

std::unique_ptr<TColumn> TTableColumn::Clone(TGridTable& table) const {
    auto c = std::make_unique<TTableColumn>(table);
    copyBaseTo(*c);
    c->IdentifierList = IdentifierList;
    return c;
}

void TTableColumn::writeData(TValueWriter& out) const {
    out.WriteString("FLEXCOLUMN2");
    out.WriteListBegin();
    for (int id : IdentifierList) out.WriteInteger(id);
    out.WriteListEnd();
}

// ---- TStringColumn ---------------------------------------------------------------------------

void TStringColumn::InsertRows(int at, int count) { insertValues(values_, at, count, Default); }
void TStringColumn::DeleteRows(int at, int count) { eraseValues(values_, at, count); }

std::string TStringColumn::CellText(int row) const {
    checkRow(row);
    return values_[idx(row)];
}

void TStringColumn::SetCellText(int row, const std::string& text) {
    checkRow(row);
    const auto [first, count] = GroupSize(row);
    for (int r = first; r < first + count; ++r) values_[idx(r)] = text;
    table_->SetChanged();
}

std::unique_ptr<TColumn> TStringColumn::Clone(TGridTable& table) const {
    auto c = std::make_unique<TStringColumn>(table);
    copyBaseTo(*c);
    c->Default = Default;
    c->Width   = Width;
    return c;
}

void TStringColumn::writeData(TValueWriter& out) const {
    out.WriteString(Default);
    out.WriteFloat(Width);
}

// ---- TGridTable ------------------------------------------------------------------------------

TGridTable::TGridTable() {
    // the next number of the counter that no table holds
    static int counter = 0;
    do ++counter;
    while (Find(counter));
    identifier_ = counter;
    registry().push_back(this);
}

TGridTable::~TGridTable() {
    columns_.clear();  // sub-tables leave the registry before this table does
    auto& r = registry();
    r.erase(std::remove(r.begin(), r.end(), this), r.end());
}

TGridTable* TGridTable::Find(int identifier) {
    for (TGridTable* t : registry())
        if (t->identifier_ == identifier) return t;
    return nullptr;
}

void TGridTable::SetIdentifier(int identifier) {
    if (identifier == identifier_) return;
    if (TGridTable* other = Find(identifier)) other->identifier_ = identifier_;
    identifier_ = identifier;
}

void TGridTable::SetMinRows(int rows) {
    minRows_ = std::max(1, rows);
    maxRows_ = std::max(maxRows_, minRows_);
}

void TGridTable::SetMaxRows(int rows) { maxRows_ = std::max(rows, minRows_); }

void TGridTable::SetRowGroup(int rows) { rowGroup_ = std::max(1, rows); }

TColumn& TGridTable::Column(int index) const {
    if (index < 0 || index >= ColumnCount())
        throw ETableError("Column " + std::to_string(index) + " does not exist");
    return *columns_[idx(index)];
}

TData TGridTable::Cell(int column, int row) const { return Column(column).Data(row); }

void TGridTable::addColumn(std::unique_ptr<TColumn> column) {
    column->InsertRows(0, rowCount_);
    columns_.push_back(std::move(column));
}

void TGridTable::insertRows(int at, int count) {
    if (count <= 0) return;
    rowCount_ += count;
    // in column order: a sub-table column reads the item that the first column just got
    for (auto& c : columns_) c->InsertRows(at, count);
    changed_ = true;
}

void TGridTable::deleteRows(int at, int count) {
    if (count <= 0) return;
    for (auto& c : columns_) c->DeleteRows(at, count);
    rowCount_ -= count;
    changed_ = true;
}

void TGridTable::SetRowCount(int rows) {
    rows = std::clamp(rows, 0, maxRows_);
    rows = rows / rowGroup_ * rowGroup_ + (rows % rowGroup_ ? rowGroup_ : 0);
    while (rows > maxRows_) rows -= rowGroup_;
    if (rows > rowCount_)
        insertRows(rowCount_, rows - rowCount_);
    else
        deleteRows(rows, rowCount_ - rows);
}

bool TGridTable::AddGroup() {
    if (rowCount_ + rowGroup_ > maxRows_) return false;
    insertRows(rowCount_, rowGroup_);
    return true;
}

bool TGridTable::InsertGroup(int row) {
    if (row < 0 || row >= rowCount_) throw ETableError(kBadRow);
    if (rowCount_ + rowGroup_ > maxRows_) return false;
    insertRows(row / rowGroup_ * rowGroup_, rowGroup_);
    return true;
}

bool TGridTable::DeleteGroup(int row) {
    if (row < 0 || row >= rowCount_) throw ETableError(kBadRow);
    if (rowCount_ <= minRows_) return false;
    const int first = row / rowGroup_ * rowGroup_;
    deleteRows(first, std::min(rowGroup_, rowCount_ - first));
    return true;
}

void TGridTable::SetUnits(int units) {
    if (units == units_) return;
    for (auto& c : columns_) c->ConvertUnits(units_, units);
    units_ = units;
    if (OnSetUnits) OnSetUnits(*this);
}

bool TGridTable::Changed() const {
    if (changed_) return true;
    if (OnGetChanged && OnGetChanged(*this)) return true;
    return std::any_of(columns_.begin(), columns_.end(),
                       [](const auto& c) { return c->Changed(); });
}

void TGridTable::ResetChanged() {
    changed_ = false;
    for (auto& c : columns_) c->ResetChanged();
    if (OnResetChanged) OnResetChanged(*this);
}

void TGridTable::ItemChanged(const TColumn& column, int row) {
    if (columns_.empty() || columns_.front().get() != &column) return;
    for (auto& c : columns_)
        if (auto* t = dynamic_cast<TTableColumn*>(c.get())) t->ReplaceSubTable(row);
}

std::unique_ptr<TGridTable> TGridTable::CopyAsSubTable(TGridTable& parent, int row) const {
    auto t             = std::make_unique<TGridTable>();
    t->Caption         = Caption;
    t->Comments        = Comments;
    t->TopLeft         = TopLeft;
    t->HardwiredButton = HardwiredButton;
    t->rowGroup_       = rowGroup_;
    t->minRows_        = minRows_;
    t->maxRows_        = maxRows_;
    t->units_          = parent.units_;
    t->parent_         = &parent;
    t->rowNumber_      = row + 1;
    t->Templates       = parent.Templates;
    for (const auto& c : columns_) t->columns_.push_back(c->Clone(*t));
    t->SetRowCount(t->minRows_);
    t->changed_ = false;
    return t;
}

// ---- stored definitions ----------------------------------------------------------------------

void TGridTable::WriteDefinition(TValueWriter& out) const {
    out.WriteInteger(ColumnCount());
    for (const auto& c : columns_) {
        out.NewLine(4);
        c->WriteDefinition(out);
    }
}

namespace {

std::vector<std::string> readStringList(TValueReader& in) {
    std::vector<std::string> list;
    in.ReadListBegin();
    while (!in.EndOfList()) list.push_back(in.ReadString());
    in.ReadListEnd();
    return list;
}

std::unique_ptr<TColumn> readColumn(TGridTable& table, int code, TValueReader& in) {
    std::unique_ptr<TColumn> column;
    auto captions        = readStringList(in);
    const bool displayed = in.ReadBoolean();
    const bool perGroup  = in.ReadBoolean();
    switch (code) {
        case TColumn::kEnum: {
            auto c   = std::make_unique<TEnumColumn>(table);
            c->Items = readStringList(in);
            if (c->Items.empty()) throw ETableDefinitionError("a list column needs items");
            column = std::move(c);
            break;
        }
        case TColumn::kInt: {
            auto c     = std::make_unique<TIntColumn>(table);
            c->Default = in.ReadInteger();
            c->Minimum = in.ReadInteger();
            c->Maximum = in.ReadInteger();
            if (c->Minimum > c->Maximum || c->Default < c->Minimum || c->Default > c->Maximum)
                throw ETableDefinitionError("the default lies outside the range");
            column = std::move(c);
            break;
        }
        case TColumn::kFloat: {
            auto c       = std::make_unique<TFloatColumn>(table);
            c->TopDepth  = in.ReadBoolean();
            const auto s = in.ReadString();
            if (s == "FLOATCOLUMN2") {
                c->UnitCode = in.ReadString();
                c->Default  = in.ReadFloat();
            } else {
                c->UnitCode = s;  // the older form ends with the unit code
            }
            if (!IsValidUnitCode(c->UnitCode))
                throw ETableDefinitionError("unknown unit code \"" + c->UnitCode + "\"");
            column = std::move(c);
            break;
        }
        case TColumn::kTable: {
            auto c = std::make_unique<TTableColumn>(table);
            if (in.ReadString() == "FLEXCOLUMN2") {
                in.ReadListBegin();
                while (!in.EndOfList()) c->IdentifierList.push_back(in.ReadInteger());
                in.ReadListEnd();
            } else {
                // the older form: one template for every item, or 1, 2, 3 ... for tables whose
                // button is not hard-wired
                const int single  = in.ReadInteger();
                const auto* first = table.ColumnCount() > 0
                                        ? dynamic_cast<TEnumColumn*>(&table.Column(0))
                                        : nullptr;
                if (!first) throw ETableDefinitionError("the first column is not a list column");
                for (int i = 1; i <= static_cast<int>(first->Items.size()); ++i)
                    c->IdentifierList.push_back(table.HardwiredButton ? single : i);
            }
            column = std::move(c);
            break;
        }
        case TColumn::kString: {
            auto c     = std::make_unique<TStringColumn>(table);
            c->Default = in.ReadString();
            c->Width   = in.ReadFloat();
            if (c->Width < 0 || c->Width > 100) throw ETableDefinitionError("invalid width");
            column = std::move(c);
            break;
        }
        default:
            break;
    }
    column->CaptionLines = std::move(captions);
    column->Displayed    = displayed;
    column->PerGroup     = perGroup;
    return column;
}

}  // namespace

void TGridTable::ReadDefinition(TValueReader& in) {
    SetRowCount(0);
    columns_.clear();
    int count = 0;
    try {
        count = in.ReadInteger();
    } catch (const EStreamError&) {
        throw ETableDefinitionError("Error reading column count");
    }
    if (count < 0) throw ETableDefinitionError("Error reading column count");
    for (int i = 0; i < count; ++i) {
        int code = -1;
        try {
            code = in.ReadInteger();
        } catch (const EStreamError&) {
        }
        if (code < TColumn::kEnum || code > TColumn::kString)
            throw ETableDefinitionError("Error Column Class not defined");
        try {
            columns_.push_back(readColumn(*this, code, in));
        } catch (const std::exception& e) {
            char buf[48];
            std::snprintf(buf, sizeof buf, "Error occured when creating column %d: ", i);
            throw ETableDefinitionError(buf + std::string(e.what()));
        }
    }
}

// ---- TGridTableList --------------------------------------------------------------------------

TGridTable& TGridTableList::Add(std::unique_ptr<TGridTable> table) {
    keys_.push_back(table->Identifier());
    tables_.push_back(std::move(table));
    return *tables_.back();
}

TGridTable* TGridTableList::Find(int identifier) const {
    for (std::size_t i = 0; i < keys_.size(); ++i)
        if (keys_[i] == identifier) return tables_[i].get();
    return nullptr;
}

}  // namespace korven
