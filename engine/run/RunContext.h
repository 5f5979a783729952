// The engine's data area for one run: run control, project values, layer table, result tables.
#pragma once

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

#include "run/Format.h"
#include "run/Trace.h"

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
    TopBottom EGRAV;     ///< Young's modulus of decomposed rock/gravel, psi or kN/m2 as entered
                         ///< (never converted in place: the decomposed-rock socket does it)
    TopBottom SLUMP;     ///< concrete slump on weak rock, in (m for SI as entered; the weak-rock
                         ///< socket converts it)
    TopBottom IFA;       ///< interface friction angle on weak rock, degrees
    int ICOND      = 0;  ///< weak-rock interface condition 1..4
    int sandOption = 0;  ///< 1 = K, 2 = beta
    real LRFDSIDE  = 0.0f;   ///< LRFD resistance factor for side resistance
    real LRFDTIP   = 0.0f;   ///< LRFD resistance factor for end bearing
    bool computed  = false;  ///< coefficient computed by the engine
    real SIGMAEND  = 0.0f;   ///< effective vertical stress at the last step of the layer, psf
    real QSEND     = 0.0f;   ///< side resistance QS down to the last step of the layer, tons
    // records of the current pass that the load-settlement methods read
    real FFIRST = 0.0f;  ///< unit side resistance at the first step of the layer, tsf
    real FLAST  = 0.0f;  ///< unit side resistance at the last step of the layer, tsf
    real QFIRST = 0.0f;  ///< unit tip resistance at the first step of the layer, tsf
    real QLAST  = 0.0f;  ///< unit tip resistance at the last step of the layer, tsf
    real QSAND  = 0.0f;  ///< unit tip of the blow-count sand method (0.6 N), tsf
};

/// Values of the current one-foot depth step, prepared by the profile and overwritten each step.
struct Step {
    int LAYER     = 0;     ///< layer entry of the step
    real Z        = 0.0f;  ///< depth of the bottom of the step, ft
    real DZ       = 0.0f;  ///< distance of Z below the top of the layer, ft
    real THICK    = 0.0f;  ///< thickness of the layer used for interpolation, ft
    real COEF     = 0.0f;  ///< side coefficient (K, beta, alpha) or the rock factor
    real N        = 0.0f;  ///< SPT blow count, blows/ft
    real PHI      = 0.0f;  ///< friction angle, radians
    real CU       = 0.0f;  ///< undrained shear strength, psf
    real GAMMA    = 0.0f;  ///< total unit weight, pcf
    real NC       = 0.0f;  ///< bearing capacity factor Nc
    real TRANLM   = 0.0f;  ///< maximum unit side resistance, tsf
    real QMAXEB   = 0.0f;  ///< maximum unit end bearing, tsf
    real QUR      = 0.0f;  ///< compressive strength of rock, psf
    real QUCON    = 0.0f;  ///< compressive strength of concrete, psf
    real CS       = 0.0f;  ///< spacing of discontinuities, ft
    real DISCT    = 0.0f;  ///< thickness of discontinuities, ft
    real BDS      = 0.0f;  ///< diameter of socket (as entered, before the socket scale), ft
    real SIGMA    = 0.0f;  ///< effective vertical stress at Z, psf
    real SIGMAMID = 0.0f;  ///< effective vertical stress at the middle of the step, psf
    real ROCKSIDE = 0.0f;  ///< rock side value that takes the place of CU, psf
    real SOCKP    = 0.0f;  ///< socket perimeter, ft
    real S        = 0.0f;  ///< shear strength the coefficient multiplies, psf
    real F        = 0.0f;  ///< unit side resistance after the cap, tsf
    real FRAW     = 0.0f;  ///< unit side resistance before the cap, tsf (for the trace)
    real QB       = 0.0f;  ///< tip capacity if the base stood at this step, tons
    real QBSOCK   = 0.0f;  ///< tip capacity of a decomposed- or weak-rock socket model, tons
    int SOILF     = 1;     ///< 1 soil step, 0 strong-rock step
};

/// Geometry of the shaft of the current diameter pass.
struct Shaft {
    real D      = 0.0f;  ///< stem diameter, ft
    real SCALE  = 1.0f;  ///< socket scale D / DSTART
    real AREA   = 0.0f;  ///< stem area, ft2
    real DB     = 0.0f;  ///< base diameter, ft
    real AB     = 0.0f;  ///< base area, ft2
    real TOE    = 0.0f;  ///< toe height of the bell, ft
    real HB     = 0.0f;  ///< bell height (end of stem to base), ft
    real VUNDER = 0.0f;  ///< underream volume, cu.yd
    real STEEL  = 0.0f;  ///< area of one per cent steel, sq.in
    int NTWO    = 0;     ///< two base diameters in whole feet
};

constexpr int kTableSize = 500;  ///< entries of the step and row tables

/// Step records of a pass by depth index (the shaft length of the step in whole feet).
struct StepTable {
    Array<real, kTableSize> LENGTH;  ///< shaft length, ft (0 = nothing stored)
    Array<real, kTableSize> VOLUME;  ///< concrete volume, cu.yd
    Array<real, kTableSize> QS;      ///< ultimate side resistance, tons
    Array<real, kTableSize> QSL;     ///< side resistance with the LRFD side factors, tons
    Array<real, kTableSize> QB;      ///< tip capacity of the step, tons
    Array<real, kTableSize> F;       ///< unit side resistance, tsf
    Array<int, kTableSize> SOILF;    ///< 1 soil step, 0 strong-rock step
    int last = 0;                    ///< largest depth index stored in the pass
};

/// Result rows of a pass, one per computed shaft length.
struct RowTable {
    Array<real, kTableSize> LENGTH;  ///< shaft length, ft
    Array<real, kTableSize> VOLUME;  ///< concrete volume, cu.yd
    Array<real, kTableSize> QS;      ///< ultimate side resistance, tons
    Array<real, kTableSize>
        QB;  ///< ultimate base resistance (weight of the shaft under uplift), tons
    Array<real, kTableSize> QU;     ///< total ultimate resistance, tons
    Array<real, kTableSize> QBD;    ///< allowable load, factor of safety on the base only, tons
    Array<real, kTableSize> QDN;    ///< allowable load, factors of safety on side and base, tons
    Array<real, kTableSize> QUVOL;  ///< QU over volume, tons/cu.yd
    Array<real, kTableSize> QSL;    ///< LRFD side resistance, tons
    Array<real, kTableSize> QBL;    ///< LRFD base resistance (weight under uplift), tons
    Array<real, kTableSize> QUL;    ///< LRFD total resistance, tons
    Array<real, kTableSize> FPSI;   ///< unit side resistance at the row's length, psi
    Array<real, kTableSize> LENIN;  ///< shaft length, in
    int count = 0;                  ///< rows of the pass
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

// ---- decomposed-rock socket (code 5): what the socket keeps between the steps of a run
/// Written by the decomposed-rock socket at every code-5 step; the socket quantities are those of
/// the latest step and feed the decomposed-rock settlement method.
struct DecomposedRockState {
    real SIDSUM = 0.0f;   ///< running side sum, pi B s over every code-5 step of the run, lb/ft
    real QSOCK  = 0.0f;   ///< socket side load pi B Lsock s, lb
    real QTOTAL = 0.0f;   ///< total load, tip load plus socket side load, lb
    real QTIP   = 0.0f;   ///< unit tip q_tip, psf
    bool socket = false;  ///< the closed-form quantities below could be formed at the latest step
    real LAMBDA = 0.0f;   ///< Ec x 2.6 x 2000 / Em (Ec in tsf, Em in psf), -
    real ZETA   = 0.0f;   ///< zeta = ln(...), -
    real MUL    = 0.0f;   ///< muL, -
    real OMEGA  = 0.0f;   ///< Omega, -
    real PTOP   = 0.0f;   ///< top load, lb
    real WTOP   = 0.0f;   ///< top movement, ft
    bool warned = false;  ///< the no-socket block was written in this diameter pass
    bool noStressWarned = false;  ///< the no-effective-stress block was written in this pass
};

// ---- weak-rock socket (code 6): what the socket keeps between the steps of a run
struct WeakRockState {
    real EISUM   = 0.0f;   ///< running sum of the step values of Ei, tsf
    int EICOUNT  = 0;      ///< number of steps in EISUM
    real LS      = 0.0f;   ///< socket length Ls of the latest step, ft
    real FAFIRST = 0.0f;   ///< first mobilised shear f x fa' of at least 0.001, psf
    real QSFIRST = 0.0f;   ///< QS above the first weak-rock step of the diameter pass, tons
    bool qsKept  = false;  ///< QSFIRST holds this pass's value
    bool warned  = false;  ///< the out-of-range block was written in this diameter pass
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
    TraceFile trace;          ///< open when names.dat names a trace
    std::string tracePath;    ///< names.dat line 6 when there is one: the trace's path

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

    // ---- working values of the analysis
    Step step;            ///< the current depth step
    Shaft shaft;          ///< the shaft of the current pass
    real QS      = 0.0f;  ///< side resistance accumulated down to the step, tons
    real QSL     = 0.0f;  ///< the same with the LRFD side factors, tons
    real QSPREV  = 0.0f;  ///< side resistance carried to the next step (at least 1e-10), tons
    real QSLPREV = 0.0f;  ///< LRFD side resistance carried to the next step, tons
    real QURLAST = 0.0f;  ///< compressive strength of the last rock step seen, psf
    StepTable steps;      ///< step records of the pass by depth index
    RowTable rows;        ///< result rows of the pass

    /// The layer that holds the base of the last row of a pass (for the load-settlement methods).
    struct TipLayer {
        int LAYER  = 0;     ///< layer entry
        real DEPTH = 0.0f;  ///< depth recorded with it, ft
        int code   = 0;     ///< its soil code
        real QS    = 0.0f;  ///< side resistance of the row, tons
    } tip;

    /// The most efficient shaft over all passes (largest QU/VOLUME of a pass's last row).
    struct Efficient {
        bool found  = false;
        real LENGTH = 0.0f;  ///< shaft length, ft
        real D      = 0.0f;  ///< stem diameter, ft
        real DB     = 0.0f;  ///< base diameter, ft
        real QUVOL  = 0.0f;  ///< QU over volume, tons/cu.yd
        real VOLUME = 0.0f;  ///< concrete volume, cu.yd
        real QU     = 0.0f;  ///< total ultimate resistance, tons
    } best;

    Array<real, kTableSize> DDIAM;  ///< design-depth list: stem diameter of each pass, ft
    Array<real, kTableSize> DQDN;   ///< design-depth list: QDN at the design depth, tons
    int designCount = 0;            ///< entries of the design-depth list
    bool reached    = false;        ///< the design load was reached in some pass

    // ---- decomposed-rock socket (code 5) and weak-rock socket (code 6)
    DecomposedRockState DROCK;  ///< flags reset per pass by startDecomposedRockPass
    WeakRockState WROCK;        ///< reset by startWeakRockPass and resetWeakRockMean

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
    static constexpr real PISHAFT  = 3.142f;    ///< pi of the shaft geometry
    static constexpr real RADIAN   = 57.29f;    ///< degrees per radian as the formulas take it
    static constexpr real GAMMAW   = 62.4f;     ///< unit weight of water, pcf
    static constexpr real ZERO     = 0.00001f;  ///< "zero" for coefficients

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
