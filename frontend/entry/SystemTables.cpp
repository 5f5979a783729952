// Reading and writing the table layout of the main window.
#include "entry/SystemTables.h"

#include "entry/ValueStream.h"

namespace korven {

extern const char* const kSystemTablesLayoutText;  // the compiled-in layout file

std::string_view BuiltInTableLayout() { return kSystemTablesLayoutText; }

namespace {

void readProperty(TValueReader& in, TGridTable& t, const std::string& name) {
    in.ReadSymbol('=');
    if (name == "Identifier")
        t.SetIdentifier(in.ReadInteger());
    else if (name == "Caption")
        t.Caption = in.ReadString();
    else if (name == "Comments")
        t.Comments = in.ReadString();
    else if (name == "TopLeft")
        t.TopLeft = in.ReadString();
    else if (name == "MaxRows")
        t.SetMaxRows(in.ReadInteger());
    else if (name == "MinRows")
        t.SetMinRows(in.ReadInteger());
    else if (name == "RowGroup")
        t.SetRowGroup(in.ReadInteger());
    else if (name == "HardwiredButton")
        t.HardwiredButton = in.ReadBoolean();
    else if (name == "Col") {
        in.ReadSymbol('{');
        t.ReadDefinition(in);
        in.ReadSymbol('}');
    } else
        throw EStreamError("Line " + std::to_string(in.Line()) + ": unknown property " + name);
}

}  // namespace

TSystemTables::TSystemTables() : TSystemTables(BuiltInTableLayout()) {}

TSystemTables::TSystemTables(std::string_view layout) {
    TValueReader in(layout);
    while (in.NextKind() != TValueReader::Kind::End) {
        const int line = in.Line();
        if (in.ReadName() != "object")
            throw EStreamError("Line " + std::to_string(line) + ": \"object\" was expected");
        const std::string name = in.ReadName();
        in.ReadSymbol(':');
        if (in.ReadName() != "TGridTable")
            throw EStreamError("Line " + std::to_string(line) + ": " + name
                               + " is not a TGridTable");
        auto table = std::make_unique<TGridTable>();
        for (std::string prop = in.ReadName(); prop != "end"; prop = in.ReadName())
            readProperty(in, *table, prop);
        TGridTable* t = table.get();
        if (name == "D") {
            if (soil_) throw EStreamError("Line " + std::to_string(line) + ": a second table D");
            soil_ = std::move(table);
        } else {
            templates_.Add(std::move(table));
        }
        names_.emplace_back(name, t);
    }
    if (!soil_) throw EStreamError("The table layout has no soil layer table D");
    soil_->Templates = &templates_;
}

std::vector<TGridTable*> TSystemTables::Tables() const {
    std::vector<TGridTable*> all{soil_.get()};
    for (const auto& t : templates_.Tables()) all.push_back(t.get());
    return all;
}

void TSystemTables::ShowDesignMethod(int designMethod) {
    const bool lrfd                    = designMethod == 1;
    soil_->Column(kLrfdSide).Displayed = lrfd;
    soil_->Column(kLrfdEnd).Displayed  = lrfd;
    std::string text =
        "Max. Side Friction and Max. End Bearing:\n"
        "\u2022 If entries are left as zero, the program assumes no limits in side friction and "
        "end bearing computed by the program.";
    if (lrfd)
        text +=
            "\nLRFD Resistance Factors\n"
            "\u2022 Options for entering LRFD resistance factors for side friction and for for tip "
            "resistance in each layer.";
    soil_->Comments = text;
}

std::string TSystemTables::WriteLayout() const {
    TValueWriter out;
    for (const auto& [name, t] : names_) {
        out.WriteRaw("object " + name + ": TGridTable");
        auto integer = [&](const char* prop, int v) {
            out.NewLine(2);
            out.WriteRaw(std::string(prop) + " =");
            out.WriteInteger(v);
        };
        auto string = [&](const char* prop, const std::string& v) {
            out.NewLine(2);
            out.WriteRaw(std::string(prop) + " =");
            out.WriteString(v);
        };
        integer("Identifier", t->Identifier());
        string("Caption", t->Caption);
        if (!t->Comments.empty()) string("Comments", t->Comments);
        integer("MaxRows", t->MaxRows());
        integer("MinRows", t->MinRows());
        integer("RowGroup", t->RowGroup());
        if (!t->TopLeft.empty()) string("TopLeft", t->TopLeft);
        out.NewLine(2);
        out.WriteRaw("HardwiredButton =");
        out.WriteBoolean(t->HardwiredButton);
        out.NewLine(2);
        out.WriteRaw("Col = {");
        out.NewLine(4);
        t->WriteDefinition(out);
        out.NewLine(2);
        out.WriteRaw("}");
        out.NewLine(0);
        out.WriteRaw("end");
        out.NewLine(0);
    }
    return out.Text();
}

}  // namespace korven
