// Measured load tests: the record file, the equivalent top-down curve of a bi-directional test
// and the load at a settlement of 5 % of the shaft diameter. Plain C++, no display needed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korven {

enum class TestKind { TopDown, Bidirectional };

/// Force and movement units of a record; shaft lengths and diameters in the record are in feet
/// with the first two and in metres with the last two.
enum class TestUnits { TonsIn, KipsIn, KnMm, KnM };

struct TLoadTestRow {
    long double Load = 0;  ///< applied load (cell load of a bi-directional test)
    long double Move = 0;  ///< top movement, or upward movement of the top plate
    long double Down = 0;  ///< downward movement of the bottom plate (bi-directional only)
    int Line         = 0;  ///< line of the file, for messages
};

struct TLoadTest {
    std::string Name;
    TestKind Kind   = TestKind::TopDown;
    TestUnits Units = TestUnits::TonsIn;
    /// Bi-directional: length of the shaft above the cell, ft or m (see `Units`).
    long double Length = 0;
    /// Elastic modulus of the shaft, lbs/in^2 or kN/m^2; 0: the project's.
    long double Modulus = 0;
    /// Diameter the test is compared at, ft or m; 0: not recorded.
    long double Diameter = 0;
    std::vector<TLoadTestRow> Rows;
};

struct TLoadTestRead {
    bool Ok = false;
    TLoadTest Test;
    std::string Error;  ///< "FILE, line N: why" when not `Ok`
};

/// Reads a record from its text; `source` names it in messages.
TLoadTestRead ParseLoadTest(std::string_view text, const std::string& source);
/// Reads a record file.
TLoadTestRead ReadLoadTest(const std::string& path);

/// The record as text, with `diameter` (in the record's length unit) written into its header;
/// parsing the result gives the same record.
std::string LoadTestText(const TLoadTest& test);

/// One point of a load-settlement curve.
struct TCurvePoint {
    long double Load       = 0;
    long double Settlement = 0;
};

/// Equivalent top-down curve of a bi-directional test, all quantities in one consistent unit
/// system (force F, length L): `up` and `down` are the load against the upward movement of the
/// top plate and against the downward movement of the bottom plate; `length` the shaft above
/// the cell; `area` and `modulus` its section and elastic modulus (F/L^2). At each movement
/// where both curves are known the two loads add up to the top load, and the top moves by that
/// movement plus the shortening of the shaft above the cell under a load falling linearly from
/// the top load to the downward load.
std::vector<TCurvePoint> EquivalentTopDown(const std::vector<TCurvePoint>& up,
                                           const std::vector<TCurvePoint>& down, long double length,
                                           long double area, long double modulus);

/// The greatest load of `curve` whose settlement does not pass `settlement`, interpolated
/// linearly; not reached when the curve stops short of it.
struct TCriterionLoad {
    bool Reached     = false;
    bool AtLastPoint = false;  ///< the curve ends exactly at the criterion
    long double Load = 0;
};
TCriterionLoad LoadAtSettlement(const std::vector<TCurvePoint>& curve, long double settlement);

/// Settlement of 5 % of `diameter` (ft or m of unit system `units`) in the settlement unit of
/// the graphs: inches (English) or metres (SI).
long double CriterionSettlement(long double diameter, int units);

/// The measured curve in the graphs' units (tons and inches, or kN and metres): a top-down
/// record as it is, a bi-directional one converted. `diameter` is the shaft's (ft or m of
/// `units`), `projectModulus` the project's (lbs/in^2 or kN/m^2) for records without one.
/// False with a message when the record cannot be converted.
bool MeasuredCurve(const TLoadTest& test, int units, long double diameter,
                   long double projectModulus, std::vector<TCurvePoint>& curve, std::string& error);

/// A diameter in the record's length unit (ft or m) expressed in unit system `units`, and back.
long double DiameterToProject(long double d, TestUnits from, int units);
long double DiameterFromProject(long double d, int units, TestUnits to);

}  // namespace korven
