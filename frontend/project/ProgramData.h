// The project held by the front end: its scalar values, and the project file written from and
// read into them and the soil layer tables.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace korven {

class TSystemTables;
class TWordReader;

/// What a load or save came to; `Message` says why it failed, for the user as it is.
struct TFileResult {
    bool Ok = true;
    std::string Message;
    explicit operator bool() const { return Ok; }
};

class TProgramData {
public:
    /// A project over the tables of the main window (which outlive it).
    explicit TProgramData(TSystemTables& tables);
    /// A project with tables of its own, made from the built-in layout.
    TProgramData();
    ~TProgramData();
    TProgramData(const TProgramData&)            = delete;
    TProgramData& operator=(const TProgramData&) = delete;

    static constexpr const char* kUntitled = "NewKorven.kvd";

    // clang-format off
    int Units                          = 1;           ///< 1 English, 2 SI
    std::string FileName               = kUntitled;   ///< this exact name marks an untitled project
    std::string Title                  = "New Pile";
    long double PrintIncrement         = 1.0L;        ///< step of the result table, ft or m
    int DesignControl                  = 2;           ///< 1 design load given, 2 shaft length given
    int LoadType                       = 1;           ///< 1 compression, 2 uplift
    long double UpliftReductionFactor  = 1.0L;
    long double MinDiameter            = 0;           ///< ft or m
    long double MaxDiameter            = 0;           ///< ft or m; 0: same as the minimum
    long double BellRatio              = 0;           ///< base over stem diameter; 0: straight
    long double BellAngle              = 0;           ///< degrees from the vertical
    long double TopExclusion           = 0;           ///< ft or m without side resistance at the top
    long double BottomExclusion        = 0;           ///< ft or m without side resistance at the base
    long double ShaftModulus           = 0;           ///< lbs/in^2 or kN/m^2
    long double WaterTableDepth        = 0;           ///< ft or m
    long double DesignLength           = 0;           ///< ft or m
    long double SafetyFactorSide       = 2.5L;
    long double SafetyFactorBase       = 3.0L;
    long double DesignLoad             = 0;           ///< tons or kN
    int SettlementAvailable            = 1;           ///< 0: the results hold no settlement curves
    int TipReductionSwitch             = 1;           ///< 1: modification factor for tips in sand
    int CurrentFormat                  = 1;           ///< 0: read from the older file format
    int DesignMethod                   = 2;           ///< 1 LRFD, 2 allowable stress design
    // clang-format on

    /// The modified mark of the main window: set by edits of these values (by their dialogs),
    /// cleared by `Create`, `LoadFromFile` and `SaveToFile`.
    bool Modified = false;
    /// True when the mark or any table of the project says so.
    bool IsModified() const;

    TSystemTables& Tables() const { return *tables_; }

    /// Called after every `SetUnits`: the open data dialogs reload their values.
    std::function<void()> OnSetUnits;

    /// A new project: the defaults, English units, every table emptied and given its minimum
    /// row count.
    void Create();
    /// A new project, then the file read into it. On a reading error the values read so far stay
    /// and the result carries the reader's message. `currentFormat` false reads the older format.
    TFileResult LoadFromFile(const std::string& fileName, bool currentFormat = true);
    /// Writes the project to `FileName`. The file is written beside the old one and put in its
    /// place only when complete, so a failed save leaves the old file as it was.
    TFileResult SaveToFile();
    /// The project file's text, exactly as `SaveToFile` writes it (and with its side effects on
    /// the design control and the settlement flag).
    std::string ProjectText();
    /// Changes the unit system (1 English, 2 SI; other values are clamped), converting every
    /// length, force and stress of the project and its tables.
    void SetUnits(int units);
    /// Why the engine cannot analyse the project as it stands (empty when it can): a shaft
    /// without a diameter has no capacity to compute.
    std::string RunProblem() const;

private:
    std::unique_ptr<TSystemTables> owned_;
    TSystemTables* tables_;

    void resetValues();
    void read(TWordReader& in, bool currentFormat);
};

}  // namespace korven
