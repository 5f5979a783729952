// Project values, the project file in both directions, and the change of unit system.
#include "project/ProgramData.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <vector>

#include "entry/SystemTables.h"
#include "entry/Table.h"
#include "project/GeneralFormat.h"
#include "project/WordRead.h"

namespace korven {
namespace {

// One value of a parameter line: a "0.0" kept for the engine, a cell of the layer's parameter
// table, or a per-layer cell of the soil layer table (the same on the top and the bottom line).
struct Slot {
    enum Kind { Zero, Sub, Soil } kind;
    int column;
};
constexpr Slot Z{Slot::Zero, 0};
constexpr Slot S(int c) { return {Slot::Sub, c}; }
constexpr Slot L(int c) { return {Slot::Soil, c}; }

// The values of a parameter line by soil type; the LRFD pair closes every line.
const std::vector<Slot>& parameterLine(int code) {
    // clang-format off
    static const std::vector<Slot> sand    = {Z, S(0), S(1), Z, S(2), L(kMaxSide), L(kMaxEnd),
                                              L(kLrfdSide), L(kLrfdEnd)};
    static const std::vector<Slot> clay    = {S(4), S(0), Z, S(1), S(2), L(kMaxSide), L(kMaxEnd),
                                              L(kLrfdSide), L(kLrfdEnd)};
    static const std::vector<Slot> rock    = {S(0), S(1), S(2), S(3), S(4), L(kMaxSide), S(5),
                                              S(6), L(kMaxEnd), L(kLrfdSide), L(kLrfdEnd)};
    static const std::vector<Slot> decomp  = {S(0), S(1), S(2), S(3), S(4), L(kMaxSide),
                                              L(kMaxEnd), L(kLrfdSide), L(kLrfdEnd)};
    static const std::vector<Slot> gravels = {S(0), S(1), S(2), L(kMaxSide), L(kMaxEnd),
                                              L(kLrfdSide), L(kLrfdEnd)};
    // clang-format on
    switch (code) {
        case 1:
            return sand;
        case 2:
        case 3:
            return clay;
        case 4:
        case 6:  // weak rock: the same positions, an interface condition in place of QUCON
        case 7:
            return rock;
        case 5:
            return decomp;
        default:
            return gravels;
    }
}

// Columns of the parameter tables that the extra lines of sands and clays hold.
constexpr int kSandKo = 3, kSandBeta = 4, kClayAlpha = 3;

// Conversion factors towards English units (their reciprocals go towards SI).
constexpr long double kForce      = 224.8089237L;   // lbs per kN
constexpr long double kHeavyForce = 0.1124044745L;  // tons per kN
constexpr long double kShort      = 39.37007874L;   // in per m
constexpr long double kLength     = 3.280839895L;   // ft per m

std::string real(long double v) {
    if (!std::isfinite(v)) throw ETableError("A value of the project is not a finite number");
    return FormatGeneral(v, 8);
}

// Lines of the project file: every value followed by one blank unless it ends its line.
class LineWriter {
public:
    LineWriter& operator<<(const std::string& value) {
        line_ += value;
        line_ += ' ';
        return *this;
    }
    void last(const std::string& value) {
        line_ += value;
        end();
    }
    void end() {
        text_ += line_;
        text_ += "\r\n";
        line_.clear();
    }
    const std::string& text() const { return text_; }

private:
    std::string line_, text_;
};

// An integer code that lies outside its range, reported where the word reader reports its own
// errors.
int readCode(TWordReader& in, int lo, int hi) {
    const int v = in.ReadInteger();
    if (v < lo || v > hi)
        throw EInOutError("Error on Line " + std::to_string(in.LineIndex() + 1) + " Item "
                          + std::to_string(in.ItemIndex()) + "\rA value from " + std::to_string(lo)
                          + " to " + std::to_string(hi) + " was expected but not found.");
    return v;
}

void readSlot(TWordReader& in, const Slot& slot, TGridTable& soil, TGridTable& sub, int layer,
              int row) {
    switch (slot.kind) {
        case Slot::Zero:
            in.ReadFloat();
            return;
        case Slot::Soil:
            soil.Cell(slot.column, layer).SetFloat(in.ReadFloat());
            return;
        case Slot::Sub:
            break;
    }
    TColumn& c = sub.Column(slot.column);
    if (c.Class() == TColumn::kFloat)
        c.SetFloat(row, in.ReadFloat());
    else if (c.Class() == TColumn::kEnum)
        c.SetInteger(row,
                     readCode(in, 1, static_cast<int>(dynamic_cast<TEnumColumn&>(c).Items.size())));
    else
        c.SetInteger(row, in.ReadInteger());
}

}  // namespace

TProgramData::TProgramData(TSystemTables& tables) : tables_(&tables) { Create(); }

TProgramData::TProgramData() : owned_(std::make_unique<TSystemTables>()), tables_(owned_.get()) {
    Create();
}

TProgramData::~TProgramData() = default;

bool TProgramData::IsModified() const {
    if (Modified) return true;
    const auto all = tables_->Tables();
    return std::any_of(all.begin(), all.end(), [](const TGridTable* t) { return t->Changed(); });
}

void TProgramData::resetValues() {
    FileName              = kUntitled;
    Title                 = "New Pile";
    PrintIncrement        = 1.0L;
    DesignControl         = 2;
    LoadType              = 1;
    UpliftReductionFactor = 1.0L;
    MinDiameter = MaxDiameter = BellRatio = BellAngle = 0;
    TopExclusion = BottomExclusion = ShaftModulus = WaterTableDepth = DesignLength = 0;
    SafetyFactorSide                                                               = 2.5L;
    SafetyFactorBase                                                               = 3.0L;
    DesignLoad                                                                     = 0;
    SettlementAvailable                                                            = 1;
    TipReductionSwitch                                                             = 1;
    CurrentFormat                                                                  = 1;
    DesignMethod                                                                   = 2;
}

void TProgramData::Create() {
    resetValues();
    SetUnits(1);
    for (TGridTable* t : tables_->Tables()) {
        t->SetRowCount(0);
        t->SetRowCount(t->MinRows());
        t->ResetChanged();
    }
    tables_->ShowDesignMethod(DesignMethod);
    Modified = false;
}

void TProgramData::SetUnits(int units) {
    units = std::clamp(units, 1, 2);
    if (units != Units) {
        const bool toEnglish     = units == 1;
        auto factor              = [toEnglish](long double f) { return toEnglish ? f : 1.0L / f; };
        const long double length = factor(kLength);
        for (long double* v : {&MinDiameter, &MaxDiameter, &TopExclusion, &BottomExclusion,
                               &DesignLength, &WaterTableDepth})
            *v *= length;
        ShaftModulus *= factor(kForce) / (factor(kShort) * factor(kShort));
        DesignLoad *= factor(kHeavyForce);
    }
    Units = units;
    for (TGridTable* t : tables_->Tables()) t->SetUnits(units);
    if (OnSetUnits) OnSetUnits();
}

std::string TProgramData::RunProblem() const {
    if (!(MinDiameter > 0))
        return "The analysis cannot run: the minimum shaft diameter is 0. Enter it under "
               "Data > Drilled-Shaft Properties.";
    return {};
}

// ---- writing ---------------------------------------------------------------------------------

std::string TProgramData::ProjectText() {
    DesignControl = DesignLength > 0 ? 2 : 1;
    if (DesignControl == 1)
        DesignLength = 0;
    else
        DesignLoad = 0;

    TGridTable& soil = tables_->SoilLayers();
    LineWriter out;
    // a line break in the title would split the file's first record in two
    std::string title = Title;
    std::replace_if(
        title.begin(), title.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    out.last(title);
    out << std::to_string(Units);
    out.end();
    out << std::to_string(DesignControl) << std::to_string(LoadType) << real(UpliftReductionFactor)
        << real(PrintIncrement) << std::to_string(TipReductionSwitch);
    out.last(std::to_string(DesignMethod));
    out << real(MinDiameter) << real(MaxDiameter) << real(BellRatio) << real(BellAngle)
        << real(TopExclusion) << real(BottomExclusion);
    out.last(real(ShaftModulus));
    out << std::to_string(soil.RowCount()) << real(WaterTableDepth)
        << real(DesignControl == 1 ? DesignLoad : DesignLength) << real(SafetyFactorSide);
    out.last(real(SafetyFactorBase));

    for (int layer = 0; layer < soil.RowCount(); ++layer) {
        const int code  = soil.Cell(kSoilType, layer).AsInteger();
        TGridTable* sub = soil.Cell(kSoilData, layer).SubTable();
        if (!sub) throw ETableError("Layer " + std::to_string(layer + 1) + " has no parameters");
        out << soil.Cell(kSoilType, layer).Text() << soil.Cell(kSoilDepth, layer).Text();
        out.end();
        for (int row = 0; row < 2; ++row) {
            for (const Slot& s : parameterLine(code)) {
                if (s.kind == Slot::Zero)
                    out << "0.0";
                else if (s.kind == Slot::Soil)
                    out << soil.Cell(s.column, layer).Text();
                else
                    out << sub->Cell(s.column, row).Text();
            }
            out.end();
        }
        if (code == 1) {
            const int option = sub->Cell(kSandKo, 1).AsFloat() > 0 ? 1 : 2;
            const int column = option == 1 ? kSandKo : kSandBeta;
            out << std::to_string(option);
            out.end();
            out << sub->Cell(column, 0).Text();
            out.last(sub->Cell(column, 1).Text());
        } else if (code == 2 || code == 3) {
            out << sub->Cell(kClayAlpha, 0).Text();
            out.last(sub->Cell(kClayAlpha, 1).Text());
        } else if (code >= 4 && code <= 7) {
            SettlementAvailable = 0;  // rock tips have no load-transfer settlement curves
        }
    }
    return out.text();
}

namespace {

// Writes `text` to a new file beside `path` and renames it over `path` only when every byte is on
// the disk, so that the old file survives a full disk, a quota or a crash half way. Returns the
// system's reason on failure, empty on success.
std::string replaceFile(const std::string& path, const std::string& text) {
    namespace fs         = std::filesystem;
    const fs::path dir   = fs::path(path).parent_path();
    std::string tempName = ((dir.empty() ? fs::path(".") : dir)
                            / ("." + fs::path(path).filename().string() + ".XXXXXX"))
                               .string();
    const int fd = mkstemp(tempName.data());
    if (fd < 0) return std::strerror(errno);

    // the new file gets the old one's permissions, or those of any new file
    struct stat old {};
    mode_t mode = 0;
    if (stat(path.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    int error = fchmod(fd, mode) == 0 ? 0 : errno;
    for (std::size_t done = 0; error == 0 && done < text.size();) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno != EINTR) error = errno;
        if (n > 0) done += static_cast<std::size_t>(n);
    }
    if (error == 0 && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && std::rename(tempName.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        unlink(tempName.c_str());
        return std::strerror(error);
    }
    return {};
}

}  // namespace

TFileResult TProgramData::SaveToFile() {
    std::string why;
    try {
        why = replaceFile(FileName, ProjectText());
    } catch (const std::exception& e) {
        why = e.what();
    }
    if (!why.empty()) return {false, "The project could not be saved to " + FileName + ": " + why};
    Modified = false;
    for (TGridTable* t : tables_->Tables()) t->ResetChanged();
    return {};
}

// ---- reading ---------------------------------------------------------------------------------

void TProgramData::read(TWordReader& in, bool currentFormat) {
    TGridTable& soil = tables_->SoilLayers();
    Title            = in.ReadLine();
    SetUnits(readCode(in, 1, 2));
    DesignControl         = readCode(in, 1, 2);
    LoadType              = readCode(in, 1, 2);
    UpliftReductionFactor = in.ReadFloat();
    CurrentFormat         = currentFormat ? 1 : 0;
    if (currentFormat) {
        PrintIncrement = in.ReadFloat();
        // a line 3 of four words predates the tip reduction switch and the design method
        if (in.WordCount() == 4) {
            TipReductionSwitch = 1;
        } else {
            TipReductionSwitch = readCode(in, 0, 1);
            DesignMethod       = readCode(in, 1, 2);
        }
    }
    for (long double* v : {&MinDiameter, &MaxDiameter, &BellRatio, &BellAngle, &TopExclusion,
                           &BottomExclusion, &ShaftModulus})
        *v = in.ReadFloat();
    soil.SetRowCount(readCode(in, 1, soil.MaxRows()));
    WaterTableDepth          = in.ReadFloat();
    const long double design = in.ReadFloat();
    DesignLoad               = DesignControl == 1 ? design : 0;
    DesignLength             = DesignControl == 1 ? 0 : design;
    SafetyFactorSide         = in.ReadFloat();
    SafetyFactorBase         = in.ReadFloat();

    for (int layer = 0; layer < soil.RowCount(); ++layer) {
        const int code = readCode(in, 1, 9);
        soil.Cell(kSoilType, layer).SetInteger(code);
        soil.Cell(kSoilDepth, layer).SetFloat(in.ReadFloat());
        TGridTable* table = soil.Cell(kSoilData, layer).SubTable();
        if (!table) throw ETableError("Layer " + std::to_string(layer + 1) + " has no parameters");
        TGridTable& sub         = *table;
        const auto& fields      = parameterLine(code);
        const std::size_t count = fields.size();
        for (int row = 0; row < 2; ++row) {
            readSlot(in, fields[0], soil, sub, layer, row);
            // a line two words short is an older one without the LRFD factors
            const std::size_t n = in.WordCount() == static_cast<int>(count) ? count : count - 2;
            for (std::size_t i = 1; i < n; ++i) readSlot(in, fields[i], soil, sub, layer, row);
        }
        if (code == 1) {
            const int column = readCode(in, 1, 2) == 1 ? kSandKo : kSandBeta;
            sub.Cell(column, 0).SetFloat(in.ReadFloat());
            sub.Cell(column, 1).SetFloat(in.ReadFloat());
        } else if (code == 2 || code == 3) {
            sub.Cell(kClayAlpha, 0).SetFloat(in.ReadFloat());
            sub.Cell(kClayAlpha, 1).SetFloat(in.ReadFloat());
        }
    }
}

TFileResult TProgramData::LoadFromFile(const std::string& fileName, bool currentFormat) {
    Create();
    FileName = fileName;
    for (TGridTable* t : tables_->Tables()) t->SetRowCount(0);
    TFileResult result;
    try {
        TWordReader in(fileName);
        read(in, currentFormat);
    } catch (const std::exception& e) {
        result = {false, e.what()};  // what was read so far stays
    }
    for (TGridTable* t : tables_->Tables()) {
        if (t->RowCount() < t->MinRows()) t->SetRowCount(t->MinRows());
        t->ResetChanged();
    }
    tables_->ShowDesignMethod(DesignMethod);
    Modified = false;
    return result;
}

}  // namespace korven
