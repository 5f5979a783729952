// Fixed-format records: the edit descriptors of the report, plot and listing files.
//
// A field is edited from the exact binary value: the value times a power of ten is split into
// its whole part and the remainder in integer arithmetic, and rounded half away from zero on that
// remainder. Values this cannot hold in 128 bits, or whose remainder the integer form cannot tell
// from one half to 25 digits, take the long form through the decimal expansion instead; both give
// the same text.
#include "run/Format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>

namespace korven::run {
namespace {

__extension__ typedef unsigned __int128 u128;

// ---- the long form, through the decimal expansion to 25 further digits

std::string stars(int w) { return std::string(static_cast<std::size_t>(w > 0 ? w : 0), '*'); }

// Adds one to the decimal digit string (no sign, no point); returns true when it grew a digit.
bool incrementDigits(std::string& digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] == '9') {
            digits[i] = '0';
        } else {
            ++digits[i];
            return false;
        }
    }
    digits.insert(digits.begin(), '1');
    return true;
}

// |x| with d decimals, rounded half away from zero on the decimal expansion.
// Returns the integer and fraction digits.
void fixedDigits(double ax, int d, std::string& intPart, std::string& frac) {
    char buf[512];
    const auto res = std::to_chars(buf, buf + sizeof buf, ax, std::chars_format::fixed, d + 25);
    const std::string s(buf, res.ptr);
    const auto point   = s.find('.');
    intPart            = s.substr(0, point);
    std::string all    = s.substr(point + 1);
    const bool up      = all[static_cast<std::size_t>(d)] >= '5';
    std::string digits = intPart + all.substr(0, static_cast<std::size_t>(d));
    if (up) incrementDigits(digits);
    intPart = digits.substr(0, digits.size() - static_cast<std::size_t>(d));
    frac    = digits.substr(digits.size() - static_cast<std::size_t>(d));
    // strip leading zeros of the integer part but keep one
    const auto nz = intPart.find_first_not_of('0');
    intPart       = nz == std::string::npos ? "0" : intPart.substr(nz);
}

bool allZero(const std::string& a, const std::string& b) {
    return a.find_first_not_of('0') == std::string::npos
           && b.find_first_not_of('0') == std::string::npos;
}

}  // namespace

namespace detail {

std::string longInteger(std::int64_t value, int w, int m) {
    const bool neg = value < 0;
    const auto mag =
        neg ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::string digits = std::to_string(mag);
    if (m == 0 && mag == 0) digits.clear();
    if (m > 0 && static_cast<int>(digits.size()) < m)
        digits.insert(0, static_cast<std::size_t>(m) - digits.size(), '0');
    if (neg) digits.insert(digits.begin(), '-');
    if (static_cast<int>(digits.size()) > w) return stars(w);
    return std::string(static_cast<std::size_t>(w) - digits.size(), ' ') + digits;
}

std::string longFixed(double value, int w, int d) {
    if (!std::isfinite(value)) return stars(w);
    std::string intPart, frac;
    fixedDigits(std::fabs(value), d, intPart, frac);
    // a value that rounds to zero prints without a sign
    const bool neg = value < 0 && !allZero(intPart, frac);
    std::string s  = (neg ? "-" : "") + intPart + "." + frac;
    if (static_cast<int>(s.size()) > w && intPart == "0") s = (neg ? "-" : "") + ("." + frac);
    if (static_cast<int>(s.size()) > w) return stars(w);
    return std::string(static_cast<std::size_t>(w) - s.size(), ' ') + s;
}

std::string longExponent(double value, int w, int d) {
    if (!std::isfinite(value) || d < 1) return stars(w);
    const double ax = std::fabs(value);
    std::string digits;
    int expo = 0;
    if (ax == 0.0) {
        digits.assign(static_cast<std::size_t>(d), '0');
    } else {
        char buf[128];
        const auto res =
            std::to_chars(buf, buf + sizeof buf, ax, std::chars_format::scientific, d + 24);
        const std::string s(buf, res.ptr);  // m.mmmm...e+XX
        const auto e    = s.find('e');
        std::string all = s.substr(0, 1) + s.substr(2, e - 2);
        expo            = std::stoi(s.substr(e + 1)) + 1;  // 0.mmm form
        const bool up   = all[static_cast<std::size_t>(d)] >= '5';
        digits          = all.substr(0, static_cast<std::size_t>(d));
        if (up && incrementDigits(digits)) {
            digits.pop_back();
            ++expo;
        }
    }
    const bool neg = value < 0 && digits.find_first_not_of('0') != std::string::npos;
    const int ae   = expo < 0 ? -expo : expo;
    std::string ex;
    if (ae <= 99) {
        ex = std::string("E") + (expo < 0 ? "-" : "+") + (ae < 10 ? "0" : "") + std::to_string(ae);
    } else if (ae <= 999) {
        ex = std::string(expo < 0 ? "-" : "+") + std::to_string(ae);
    } else {
        return stars(w);
    }
    std::string s = (neg ? "-" : "") + ("0." + digits) + ex;
    if (static_cast<int>(s.size()) > w) s = (neg ? "-" : "") + ("." + digits) + ex;
    if (static_cast<int>(s.size()) > w) return stars(w);
    return std::string(static_cast<std::size_t>(w) - s.size(), ' ') + s;
}

}  // namespace detail

namespace {

// ---- the short form

constexpr std::uint64_t kPow10[20] = {1ull,
                                      10ull,
                                      100ull,
                                      1000ull,
                                      10000ull,
                                      100000ull,
                                      1000000ull,
                                      10000000ull,
                                      100000000ull,
                                      1000000000ull,
                                      10000000000ull,
                                      100000000000ull,
                                      1000000000000ull,
                                      10000000000000ull,
                                      100000000000000ull,
                                      1000000000000000ull,
                                      10000000000000000ull,
                                      100000000000000000ull,
                                      1000000000000000000ull,
                                      10000000000000000000ull};

constexpr std::uint64_t pow5(int n) {
    std::uint64_t v = 1;
    for (int k = 0; k < n; ++k) v *= 5;
    return v;
}

constexpr int kMaxPow5                      = 27;  // 5^27 is the largest power of five in 64 bits
constexpr std::uint64_t kPow5[kMaxPow5 + 1] = {
    pow5(0),  pow5(1),  pow5(2),  pow5(3),  pow5(4),  pow5(5),  pow5(6),
    pow5(7),  pow5(8),  pow5(9),  pow5(10), pow5(11), pow5(12), pow5(13),
    pow5(14), pow5(15), pow5(16), pow5(17), pow5(18), pow5(19), pow5(20),
    pow5(21), pow5(22), pow5(23), pow5(24), pow5(25), pow5(26), pow5(27)};

// A remainder over a denominator below 2^83 that is under one half stays more than 1e-25 under
// it, so the 25 further digits of the long form round it the same way.
constexpr int kMaxDenominatorBits = 83;

constexpr int bitWidth(std::uint64_t v) {
    int b = 0;
    while (v != 0) {
        v >>= 1;
        ++b;
    }
    return b;
}

constexpr int pow5Bits(int n) { return bitWidth(pow5(n)); }
constexpr int kPow5Bits[kMaxPow5 + 1] = {
    pow5Bits(0),  pow5Bits(1),  pow5Bits(2),  pow5Bits(3),  pow5Bits(4),  pow5Bits(5),
    pow5Bits(6),  pow5Bits(7),  pow5Bits(8),  pow5Bits(9),  pow5Bits(10), pow5Bits(11),
    pow5Bits(12), pow5Bits(13), pow5Bits(14), pow5Bits(15), pow5Bits(16), pow5Bits(17),
    pow5Bits(18), pow5Bits(19), pow5Bits(20), pow5Bits(21), pow5Bits(22), pow5Bits(23),
    pow5Bits(24), pow5Bits(25), pow5Bits(26), pow5Bits(27)};

// |x| * 10^s split into its whole part q and whether the remainder is at least one half, for a
// finite x > 0; false when the integer form cannot decide it.
bool scaled(double ax, int s, std::uint64_t& q, bool& up) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &ax, sizeof bits);
    const int be    = static_cast<int>((bits >> 52) & 0x7ff);
    std::uint64_t M = bits & ((std::uint64_t{1} << 52) - 1);
    int E           = -1074;
    if (be != 0) {
        M |= std::uint64_t{1} << 52;
        E = be - 1075;
    }
    // ax = M * 2^E
    u128 num = 0, den = 1;
    if (s >= 0) {
        if (s > kMaxPow5) return false;
        num         = static_cast<u128>(M) * kPow5[s];  // below 2^117
        const int k = E + s;
        if (k >= 0) {
            if (k > 63 || num > (static_cast<u128>(kPow10[19]) >> k)) return false;
            q  = static_cast<std::uint64_t>(num << k);
            up = false;
            return true;
        }
        if (-k > kMaxDenominatorBits) return false;
        const int K      = -k;
        const u128 whole = num >> K;
        const u128 rest  = num - (whole << K);
        if (whole >= kPow10[19]) return false;
        q  = static_cast<std::uint64_t>(whole);
        up = rest >= (static_cast<u128>(1) << (K - 1));
        return true;
    }
    const int t = -s;  // ax / (5^t 2^t)
    if (t > kMaxPow5) return false;
    const int k = E - t;
    if (k >= 0) {
        if (k > 127 - 53) return false;
        num = static_cast<u128>(M) << k;
        den = kPow5[t];
    } else {
        if (kPow5Bits[t] - k > kMaxDenominatorBits) return false;
        num = M;
        den = static_cast<u128>(kPow5[t]) << (-k);
    }
    const u128 whole = num / den;
    const u128 rest  = num - whole * den;
    if (whole >= kPow10[19]) return false;
    q  = static_cast<std::uint64_t>(whole);
    up = 2 * rest >= den;
    return true;
}

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Writes the last n decimal digits of v (n at most 20, v below 10^n); returns the end.
char* putDigitsExactly(char* p, std::uint64_t v, int n) {
    char* const end = p + n;
    char* q         = end;
    while (q - p >= 2) {
        const auto r = static_cast<std::size_t>(v % 100);
        v /= 100;
        q -= 2;
        std::memcpy(q, kDigitPairs + 2 * r, 2);
    }
    if (q > p) *p = static_cast<char>('0' + v % 10);
    return end;
}

// Writes the decimal digits of v, at least `minDigits` of them (at most 20); returns the end.
char* putDigits(char* p, std::uint64_t v, int minDigits) {
    int n = 1;
    while (n < 20 && v >= kPow10[n]) ++n;
    if (n < minDigits) {
        std::memset(p, '0', static_cast<std::size_t>(minDigits - n));
        p += minDigits - n;
    }
    char* const end = p + n;
    char* q         = end;
    while (v >= 100) {
        const auto r = static_cast<std::size_t>(v % 100);
        v /= 100;
        q -= 2;
        std::memcpy(q, kDigitPairs + 2 * r, 2);
    }
    if (v >= 10) {
        std::memcpy(q - 2, kDigitPairs + 2 * v, 2);
    } else {
        q[-1] = static_cast<char>('0' + v);
    }
    return end;
}

}  // namespace

namespace detail {

/// The text of one edited field: `lead` copies of `pad`, then `body`.
struct Field {
    char pad         = ' ';
    std::size_t lead = 0;
    std::string_view body;
    char buf[48];
    std::string longForm;

    void set(std::size_t w, const char* end) {
        const auto n = static_cast<std::size_t>(end - buf);
        if (n > w) {
            stars(w);
            return;
        }
        pad  = ' ';
        lead = w - n;
        body = std::string_view(buf, n);
    }
    void stars(std::size_t w) {
        pad  = '*';
        lead = w;
        body = {};
    }
    void whole(std::string s) {
        longForm = std::move(s);
        pad      = ' ';
        lead     = 0;
        body     = longForm;
    }
    std::string str() const { return std::string(lead, pad) + std::string(body); }
};

void fieldInteger(Field& f, std::int64_t value, int w, int m) {
    if (m > 20) {
        f.whole(detail::longInteger(value, w, m));
        return;
    }
    const auto uw  = static_cast<std::size_t>(w > 0 ? w : 0);
    const bool neg = value < 0;
    const auto mag =
        neg ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    char* p = f.buf;
    if (neg) *p++ = '-';
    if (!(m == 0 && mag == 0)) p = putDigits(p, mag, std::min(m, 20));
    f.set(uw, p);
}

void fieldFixed(Field& f, double value, int w, int d) {
    const auto uw = static_cast<std::size_t>(w > 0 ? w : 0);
    if (!std::isfinite(value)) {
        f.stars(uw);
        return;
    }
    std::uint64_t q = 0;
    bool up         = false;
    const double ax = std::fabs(value);
    if (d < 0 || d > 18 || (ax != 0.0 && !scaled(ax, d, q, up))) {
        f.whole(detail::longFixed(value, w, d));
        return;
    }
    if (up) ++q;
    const std::uint64_t unit = kPow10[d];
    const std::uint64_t ip   = q / unit;
    // a value that rounds to zero prints without a sign
    const bool neg    = value < 0 && q != 0;
    const bool noZero = ip == 0 && (neg ? 1u : 0u) + 2u + static_cast<unsigned>(d) > uw;
    char* p           = f.buf;
    if (neg) *p++ = '-';
    if (!noZero) p = putDigits(p, ip, 1);
    *p++ = '.';
    if (d > 0) p = putDigitsExactly(p, q % unit, d);
    f.set(uw, p);
}

void fieldExponent(Field& f, double value, int w, int d) {
    const auto uw = static_cast<std::size_t>(w > 0 ? w : 0);
    if (!std::isfinite(value) || d < 1) {
        f.stars(uw);
        return;
    }
    if (d > 18) {
        f.whole(detail::longExponent(value, w, d));
        return;
    }
    const double ax = std::fabs(value);
    std::uint64_t q = 0;
    int expo        = 0;
    if (ax != 0.0) {
        // 10^(expo-1) <= ax < 10^expo, then d digits rounded on the remainder; the first guess
        // from the binary exponent (times log10 2) is at most one off
        std::uint64_t bits = 0;
        std::memcpy(&bits, &ax, sizeof bits);
        const int e2 = static_cast<int>((bits >> 52) & 0x7ff) - 1023;
        expo         = ((e2 * 78913) >> 18) + 1;
        if (expo >= 0 && expo <= 19 && ax >= static_cast<double>(kPow10[expo])) ++expo;
        if (expo < 0 && expo >= -19 && ax * static_cast<double>(kPow10[-expo]) >= 1.0) ++expo;
        bool up   = false;
        bool done = false;
        for (int tries = 0; tries < 4 && !done; ++tries) {
            if (!scaled(ax, d - expo, q, up)) break;
            if (q >= kPow10[d])
                ++expo;
            else if (q < kPow10[d - 1])
                --expo;
            else
                done = true;
        }
        if (!done) {
            f.whole(detail::longExponent(value, w, d));
            return;
        }
        if (up && ++q == kPow10[d]) {
            q = kPow10[d - 1];
            ++expo;
        }
    }
    const bool neg = value < 0 && q != 0;
    const int ae   = expo < 0 ? -expo : expo;
    if (ae > 999) {
        f.stars(uw);
        return;
    }
    const bool threeDigits = ae > 99;
    const std::size_t size =
        (neg ? 1u : 0u) + 2u + static_cast<std::size_t>(d) + 4u;  // sign, 0., digits, exponent
    char* p = f.buf;
    if (neg) *p++ = '-';
    if (size <= uw) *p++ = '0';
    *p++ = '.';
    p    = putDigitsExactly(p, q, d);
    if (!threeDigits) *p++ = 'E';
    *p++ = expo < 0 ? '-' : '+';
    p    = putDigitsExactly(p, static_cast<std::uint64_t>(ae), threeDigits ? 3 : 2);
    f.set(uw, p);
}

}  // namespace detail

std::string editInteger(std::int64_t value, int w, int m) {
    detail::Field f;
    detail::fieldInteger(f, value, w, m);
    return f.str();
}

std::string editFixed(double value, int w, int d) {
    detail::Field f;
    detail::fieldFixed(f, value, w, d);
    return f.str();
}

std::string editExponent(double value, int w, int d) {
    detail::Field f;
    detail::fieldExponent(f, value, w, d);
    return f.str();
}

std::string editText(std::string_view text, int w) {
    if (w < 0) return std::string(text);
    const auto uw = static_cast<std::size_t>(w);
    if (text.size() >= uw) return std::string(text.substr(0, uw));
    return std::string(uw - text.size(), ' ') + std::string(text);
}

void RecordSink::fillSpilling(char c, std::size_t n) {
    while (n > 0) {
        if (pos_ == end_) spill(nullptr, 0);
        if (pos_ == end_) return;  // a sink that takes nothing
        const std::size_t k = std::min(n, static_cast<std::size_t>(end_ - pos_));
        std::memset(pos_, c, k);
        pos_ += k;
        n -= k;
    }
}

namespace {

using detail::Op;

class Runner {
public:
    Runner(RecordSink& out, const Format& layout, const FormatItem* items, std::size_t n)
        : out_(out), p_(layout.program()), text_(layout.text().data()), items_(items), n_(n) {}

    // Runs the steps [begin, end) once; returns false when the output list ran out at a data
    // descriptor.
    bool run(int begin, int end) {
        for (int k = begin; k < end; ++k) {
            const Op& o = p_.op[k];
            switch (o.kind) {
                case Op::Literal:
                    emit(' ', 0, std::string_view(text_ + o.at, o.n));
                    break;
                case Op::Blanks:
                    pendingBlanks_ += o.n;
                    break;
                case Op::Slash:
                    endRecord();
                    break;
                case Op::Open:
                    for (int r = 0; r < o.n; ++r)
                        if (!run(k + 1, o.at)) return false;
                    k = o.at;
                    break;
                case Op::Close:
                    break;
                case Op::Edit:
                    for (int r = 0; r < o.n; ++r) {
                        if (next_ >= n_) return false;
                        edit(o, items_[next_++]);
                    }
                    break;
            }
        }
        return true;
    }

    void runAll() {
        if (run(0, p_.count) && next_ < n_) {
            if (!p_.anyEdit) throw std::logic_error("record layout takes no items");
            // format reversion: a new record from the last group at the outer level, else from
            // the start
            while (next_ < n_) {
                endRecord();
                if (!run(p_.revertAt, p_.count)) break;
            }
        }
        endRecord();
    }

private:
    RecordSink& out_;
    const detail::Program& p_;
    const char* text_;
    const FormatItem* items_;
    std::size_t n_;
    std::size_t next_ = 0;
    // Blanks of an X descriptor are written only when something follows them in the record, as
    // positioning alone does not lengthen a record.
    std::size_t pendingBlanks_ = 0;
    detail::Field field_;

    void endRecord() {
        pendingBlanks_ = 0;
        out_.endRecord();
    }

    void emit(char pad, std::size_t lead, std::string_view body) {
        if (lead == 0 && body.empty()) return;
        if (pendingBlanks_ > 0) {
            out_.fill(' ', pendingBlanks_);
            pendingBlanks_ = 0;
        }
        if (lead > 0) out_.fill(pad, lead);
        out_.append(body);
    }

    void emitField() { emit(field_.pad, field_.lead, field_.body); }

    void edit(const Op& o, const FormatItem& item) {
        switch (o.edit) {
            case 'I':
                if (item.kind == FormatItem::Integer) {
                    detail::fieldInteger(field_, item.i, o.w, o.d);
                    emitField();
                    return;
                }
                break;
            case 'F':
                if (item.kind == FormatItem::Real) {
                    detail::fieldFixed(field_, item.r, o.w, o.d);
                    emitField();
                    return;
                }
                break;
            case 'E':
                if (item.kind == FormatItem::Real) {
                    detail::fieldExponent(field_, item.r, o.w, o.d);
                    emitField();
                    return;
                }
                break;
            case 'A':
                if (item.kind == FormatItem::Text) {
                    const std::string_view t(item.t.data, item.t.size);
                    if (o.w < 0)
                        emit(' ', 0, t);
                    else if (t.size() >= static_cast<std::size_t>(o.w))
                        emit(' ', 0, t.substr(0, static_cast<std::size_t>(o.w)));
                    else
                        emit(' ', static_cast<std::size_t>(o.w) - t.size(), t);
                    return;
                }
                break;
            default:
                break;
        }
        throw std::logic_error(std::string("output item does not match edit descriptor ") + o.edit);
    }
};

// Records collected in a string.
class StringSink final : public RecordSink {
public:
    StringSink() { grow(256); }
    std::string take() {
        text_.resize(static_cast<std::size_t>(pos_ - begin_));
        return std::move(text_);
    }

private:
    std::string text_;

    void grow(std::size_t size) {
        const auto used = static_cast<std::size_t>(pos_ - begin_);
        text_.resize(size);
        begin_ = text_.data();
        pos_   = begin_ + used;
        end_   = begin_ + size;
    }
    void spill(const char* p, std::size_t n) override {
        const auto used = static_cast<std::size_t>(pos_ - begin_);
        grow(std::max(2 * text_.size(), used + n + 256));
        if (n > 0) {
            std::memcpy(pos_, p, n);
            pos_ += n;
        }
    }
};

}  // namespace

void writeRecords(RecordSink& out, const Format& layout, const FormatItem* items, std::size_t n) {
    Runner(out, layout, items, n).runAll();
}

std::string formatItems(const Format& layout, const FormatItem* items, std::size_t n) {
    StringSink s;
    writeRecords(s, layout, items, n);
    return s.take();
}

}  // namespace korven::run
