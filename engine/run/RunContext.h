// The engine's data area for one run: run control, project values, layer table, result tables.
#pragma once

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

#include "run/Format.h"

namespace korven::run {

using real = float;  ///< the engine's 32-bit real

/// A run that cannot go on. Thrown anywhere in the engine, caught by the entry, which closes the
/// files and returns a nonzero result. `message` has already been written where it belongs.
struct RunStop : std::runtime_error {
    using std::runtime_error::runtime_error;
};

/// Fixed-size table indexed from 1, as the layouts and formulas count. Past either end the run
/// stops with a message rather than overrunning.
template <class T, int N>
class Array {
public:
    static constexpr int size = N;
    T& operator()(int i) {
        check(i);
        return v_[i - 1];
    }
    const T& operator()(int i) const {
        check(i);
        return v_[i - 1];
    }

private:
    T v_[N]{};
    static void check(int i) {
        if (i < 1 || i > N)
            throw RunStop("INDEX " + std::to_string(i) + " OUTSIDE A TABLE OF " + std::to_string(N)
                          + " ENTRIES");
    }
};

/// A value given at the top and at the bottom of a layer.
struct TopBottom {
    real top = 0.0f;  ///< value at the layer top
    real bot = 0.0f;  ///< value at the layer bottom
};

/// One entry of the layer table (entry 1 is the ground surface).
struct Layer {
    real SOIL  = 0.0f;   ///< soil code as read (a whole number 1..9 after rounding)
    int code   = 0;      ///< integer copy of the soil code
    real TOP   = 0.0f;   ///< depth of the layer top, ft
    real DEPTH = 0.0f;   ///< depth of the layer bottom, ft (rounded to whole feet during the steps)
    TopBottom NC;        ///< bearing capacity factor Nc (0 = computed)
    TopBottom GAMMA;     ///< total unit weight, pcf
    TopBottom PHI;       ///< friction angle, degrees
    TopBottom CU;        ///< undrained shear strength, psf
    TopBottom BLOWS;     ///< SPT blow count, blows/ft
    TopBottom TRANLM;    ///< maximum unit side resistance, psf (1e10 = no limit)
    TopBottom QMAXEB;    ///< maximum unit end bearing, psf (1e10 = no limit)
    TopBottom COEF;      ///< K or beta (sand), alpha (clays), beta (gravels); 0 = computed
    TopBottom QUR;       ///< uniaxial compressive strength of rock, psf
    TopBottom QUCON;     ///< uniaxial compressive strength of concrete, psf
    TopBottom CS;        ///< spacing of discontinuities, ft
    TopBottom DISCT;     ///< thickness of discontinuities, ft
    TopBottom BDS;       ///< diameter of socket, ft
    TopBottom EL;        ///< elastic modulus of intact rock (tsf after conversion)
    TopBottom RQD;       ///< rock quality designation, per cent
    TopBottom POISSON;   ///< Poisson's ratio of decomposed rock/gravel
    TopBottom EGRAV;     ///< Young's modulus of decomposed rock/gravel, as entered
    TopBottom SLUMP;     ///< concrete slump on weak rock, in (m for SI as entered)
    TopBottom IFA;       ///< interface friction angle on weak rock, degrees
    int ICOND      = 0;  ///< weak-rock interface condition 1..4
    int sandOption = 0;  ///< 1 = K, 2 = beta
    real LRFDSIDE  = 0.0f;   ///< LRFD resistance factor for side resistance
    real LRFDTIP   = 0.0f;   ///< LRFD resistance factor for end bearing
    bool computed  = false;  ///< coefficient computed by the engine
    real SIGMAEND  = 0.0f;   ///< effective vertical stress at the last step of the layer, psf
};

/// One row of a load-settlement line, in the units of the report (tons and in, or kN and m).
struct SettlementRow {
    real TOPLOAD = 0.0f;  ///< load at the shaft head
    real TOPMOVE = 0.0f;  ///< movement of the shaft head
    real TIPLOAD = 0.0f;  ///< load at the tip
    real TIPMOVE = 0.0f;  ///< movement of the tip
};

/// The fifteen rows of one settlement line.
using SettlementSet = Array<SettlementRow, 15>;

/// An output file (or the console) written record by record through the formatter.
class Channel {
public:
    Channel()                          = default;
    Channel(const Channel&)            = delete;
    Channel& operator=(const Channel&) = delete;
    ~Channel() { close(); }

    bool open(const std::string& path);  ///< create or rewrite
    void attachStdout();                 ///< channel 0
    void discard();                      ///< writes go nowhere
    void close();
    bool isOpen() const { return file_ != nullptr || discard_; }

    /// Writes the records of one layout.
    template <class... Args>
    void write(Format layout, const Args&... args) {
        put(format(layout, args...));
    }
    /// Writes preformatted text as it is.
    void put(std::string_view text);

private:
    std::FILE* file_ = nullptr;
    bool owned_      = false;
    bool discard_    = false;
};

/// The data area of one run. Every call of the entry starts from a freshly made one, so the
/// initial values below are those of every run.
struct RunContext {
    // ---- run control
    std::string version;  ///< names.dat line 1, 12 characters
    std::string projectPath, reportPath, plotPath, runtimePath;  ///< names.dat lines 2..5, trimmed
    char inputMode      = 'n';                                   ///< the run-control route
    std::int32_t result = 0;                                     ///< returned by the entry

    // ---- channels: 0 console, 2 plot data, 4 runtime, 5 project (read), 6 report, 8 TZDATA.DAT
    Channel con;
    Channel plot;
    Channel runtime;
    Channel report;
    Channel tzdata;
    std::string projectText;  ///< channel 5: the whole project file

    // ---- project values
    std::string title;         ///< 72 characters at most
    int units = 0;             ///< 1 English, 2 SI
    std::string unitTag;       ///< "EN" or "SI"
    int designControl = 0;     ///< 1 design load, 2 design depth
    int loadType      = 1;     ///< 1 compression, 2 uplift
    real UPLIFT       = 0.7f;  ///< uplift reduction factor
    real PRINC        = 1.0f;  ///< print increment, ft
    int tipSwitch     = 1;     ///< 1 = sand tip reductions apply
    int designMethod  = 0;     ///< 1 LRFD, otherwise factors of safety
    real DSTART = 0.0f, DIALIM = 0.0f, RATIO = 0.0f, BELANG = 0.0f, TOPLEN = 0.0f, BS = 0.0f;
    real Ec        = 0.0f;        ///< shaft modulus (tsf after conversion)
    real EcEntered = 0.0f;        ///< shaft modulus as entered (psi or kN/m2)
    int NLAYER     = 0;           ///< number of layers in the project
    int NL         = 0;           ///< number of layer entries (NLAYER + 1)
    real WT        = 0.0f;        ///< water table depth, ft
    real P         = 0.0f;        ///< design load, tons
    real DGH       = 0.0f;        ///< design depth, ft (design control 2 only)
    real FST = 0.0f, FSB = 0.0f;  ///< factors of safety on side and base
    int rockCount = 0;            ///< layers of code 4 or 6 and above

    Array<Layer, 30> layer;  ///< entry 1 is the ground surface

    // ---- load-settlement results, kept from one diameter to the next. Each diameter's settlement
    //      run overwrites them; the report and the plot data file of that diameter read them.
    Array<SettlementSet, 3> settle;  ///< line 1 trend (averaged), 2 upper bound, 3 lower bound
    int NLINE = 0;  ///< line selector after the last settlement run (3 soil, 0 rock)

    // ---- constants
    static constexpr real PI       = 3.1416f;
    static constexpr real NOLIMIT  = 1e10f;
    static constexpr real SMALL    = 1e-10f;
    static constexpr real M2FT     = 3.2808f;
    static constexpr real KN2TON   = 0.1124f;
    static constexpr real KN2LB    = 224.8f;
    static constexpr real KPA2PSF  = 20.885f;
    static constexpr real KNM3PCF  = 6.3659f;
    static constexpr real SQM2SQIN = 0.00064516f;
    static constexpr real M3YD3    = 1.3078f;

    bool si() const { return units == 2; }
    bool lrfd() const { return designMethod == 1; }
};

/// Writes a framed warning or error block to a channel: two empty lines, each line indented by
/// five blanks, two empty lines.
void writeBlock(Channel& ch, std::initializer_list<std::string_view> lines);

/// Writes an error block to the runtime file (and to the report when asked) and stops the run.
[[noreturn]] void stopRun(RunContext& ctx, std::initializer_list<std::string_view> lines,
                          bool alsoReport = true);

}  // namespace korven::run
