// Fixed-format records written from edit descriptors (nX, Iw, Iw.m, Fw.d, Ew.d, Aw, 'text', /).
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

namespace korven::run {

namespace detail {

constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

/// One step of a parsed layout. Groups are an Open step and its Close step.
struct Op {
    enum Kind : std::uint8_t { Literal, Blanks, Slash, Edit, Open, Close };
    Kind kind        = Literal;
    char edit        = 0;   ///< 'I', 'F', 'E', 'A' of an Edit step
    std::uint16_t at = 0;   ///< Literal: offset of the text in the layout; Open/Close: the partner
    std::uint16_t n  = 1;   ///< Literal: length; Blanks: count; Edit, Open: repeat count
    std::int16_t w   = -1;  ///< width (-1 = none, for A)
    std::int16_t d   = -1;  ///< decimals, or minimum digits of I (-1 = none)
};

constexpr int kMaxOps   = 64;  ///< steps of the longest layout
constexpr int kMaxDepth = 8;   ///< nesting of groups

/// A layout parsed into its steps. `ok` is false on the first character that does not belong to
/// a layout (or when the layout is longer or deeper than the fixed tables).
struct Program {
    Op op[kMaxOps]{};
    int count    = 0;
    int revertAt = 0;  ///< where format reversion restarts: the last outer group, else the start
    bool anyEdit = false;
    bool ok      = false;
    bool tooLong = false;  ///< more steps or deeper groups than the fixed tables hold
};

constexpr bool push(Program& p, const Op& o) {
    if (p.count >= kMaxOps) {
        p.tooLong = true;
        return false;
    }
    p.op[p.count++] = o;
    return true;
}

constexpr Program parseLayout(std::string_view s) {
    Program p;
    std::size_t i   = 0;
    auto skipBlanks = [&] {
        while (i < s.size() && s[i] == ' ') ++i;
    };
    auto number = [&] {
        int v = -1;
        while (i < s.size() && isDigit(s[i])) {
            v = (v < 0 ? 0 : v * 10) + (s[i] - '0');
            if (v > 30000) return -2;
            ++i;
        }
        return v;
    };
    if (s.size() > 60000) return p;
    skipBlanks();
    if (i >= s.size() || s[i] != '(') return p;
    ++i;
    int open[kMaxDepth] = {};
    int depth           = 0;  // open groups inside the outer parentheses
    bool closed         = false;
    int lastOuterGroup  = -1;
    while (!closed) {
        skipBlanks();
        if (i >= s.size()) return p;
        const char c = s[i];
        if (c == ',') {
            ++i;
            continue;
        }
        if (c == '/') {
            ++i;
            if (!push(p, Op{Op::Slash, 0, 0, 1, -1, -1})) return p;
            continue;
        }
        if (c == ')') {
            ++i;
            if (depth == 0) {
                closed = true;
                continue;
            }
            const int o = open[--depth];
            if (!push(p, Op{Op::Close, 0, static_cast<std::uint16_t>(o), 1, -1, -1})) return p;
            p.op[o].at = static_cast<std::uint16_t>(p.count - 1);
            continue;
        }
        if (c == '\'') {
            // a doubled quote stands for one: the text is cut after the first of the two
            ++i;
            std::size_t start = i;
            while (true) {
                if (i >= s.size()) return p;
                if (s[i] == '\'') {
                    const bool doubled    = i + 1 < s.size() && s[i + 1] == '\'';
                    const std::size_t end = doubled ? i + 1 : i;
                    if (end > start
                        && !push(p, Op{Op::Literal, 0, static_cast<std::uint16_t>(start),
                                       static_cast<std::uint16_t>(end - start), -1, -1}))
                        return p;
                    i += doubled ? 2 : 1;
                    if (!doubled) break;
                    start = i;
                    continue;
                }
                ++i;
            }
            continue;
        }
        const int rep = number();  // repeat count or blank count
        if (rep == -2 || i >= s.size()) return p;
        const auto count = static_cast<std::uint16_t>(rep < 0 ? 1 : rep);
        const char k     = s[i++];
        if (k == '(') {
            if (depth >= kMaxDepth) {
                p.tooLong = true;
                return p;
            }
            if (depth == 0) lastOuterGroup = p.count;
            open[depth++] = p.count;
            if (!push(p, Op{Op::Open, 0, 0, count, -1, -1})) return p;
            continue;
        }
        if (k == 'X') {
            if (!push(p, Op{Op::Blanks, 0, 0, count, -1, -1})) return p;
            continue;
        }
        Op e{Op::Edit, k, 0, count, -1, -1};
        switch (k) {
            case 'A':
                e.w = static_cast<std::int16_t>(number());
                if (e.w == -2) return p;
                break;
            case 'I':
                e.w = static_cast<std::int16_t>(number());
                if (e.w < 0) return p;
                if (i < s.size() && s[i] == '.') {
                    ++i;
                    e.d = static_cast<std::int16_t>(number());
                    if (e.d < 0) return p;
                }
                break;
            case 'F':
            case 'E':
                e.w = static_cast<std::int16_t>(number());
                if (e.w < 0 || i >= s.size() || s[i] != '.') return p;
                ++i;
                e.d = static_cast<std::int16_t>(number());
                if (e.d < 0) return p;
                break;
            default:
                return p;
        }
        p.anyEdit = true;
        if (!push(p, e)) return p;
    }
    skipBlanks();
    if (i != s.size()) return p;
    // reversion restarts at the last group of the outer level when what follows from it holds a
    // data descriptor
    if (lastOuterGroup >= 0) {
        for (int k = lastOuterGroup; k < p.count; ++k)
            if (p.op[k].kind == Op::Edit) {
                p.revertAt = lastOuterGroup;
                break;
            }
    }
    p.ok = true;
    return p;
}

/// Syntax check of a layout, run at compile time.
constexpr bool checkLayout(std::string_view s) { return parseLayout(s).ok; }

}  // namespace detail

/// A layout of edit descriptors, checked and parsed when the program is compiled.
class Format {
public:
    consteval Format(const char* text)  // NOLINT(google-explicit-constructor)
        : text_(text), program_(detail::parseLayout(text)) {
        if (program_.tooLong) throw "record layout longer or deeper than detail::kMaxOps/kMaxDepth";
        if (!program_.ok) throw "malformed record layout";
    }
    constexpr std::string_view text() const { return text_; }
    constexpr const detail::Program& program() const { return program_; }

private:
    std::string_view text_;
    detail::Program program_;
};

/// One item of an output list: an integer, a real or a text.
struct FormatItem {
    struct TextRef {
        const char* data;
        std::size_t size;
    };
    enum Kind : std::uint8_t { Integer, Real, Text } kind;
    union {
        std::int64_t i;
        double r;
        TextRef t;
    };

    template <class T>
    FormatItem(const T& v) {  // NOLINT(google-explicit-constructor)
        if constexpr (std::is_integral_v<T>) {
            kind = Integer;
            i    = static_cast<std::int64_t>(v);
        } else if constexpr (std::is_floating_point_v<T>) {
            kind = Real;
            r    = static_cast<double>(v);
        } else {
            const std::string_view s(v);
            kind   = Text;
            t.data = s.data();
            t.size = s.size();
        }
    }
};

/// Where records go: a buffer that the owner empties when it is full (`spill`).
class RecordSink {
public:
    RecordSink()                             = default;
    RecordSink(const RecordSink&)            = delete;
    RecordSink& operator=(const RecordSink&) = delete;

    void append(const char* p, std::size_t n) {
        if (n == 0) return;  // an empty text may come with no storage at all
        if (n > static_cast<std::size_t>(end_ - pos_)) {
            spill(p, n);
            return;
        }
        std::memcpy(pos_, p, n);
        pos_ += n;
    }
    void append(std::string_view s) { append(s.data(), s.size()); }
    void fill(char c, std::size_t n) {
        if (n <= 16 && end_ - pos_ >= 16) {
            std::memset(pos_, c, 16);  // a fixed size is two stores, not a call
            pos_ += n;
            return;
        }
        fillSpilling(c, n);
    }
    /// The end of a record: "\n", or "\r\n" for a file read as a Windows text file.
    void endRecord() { append(eol_, eolSize_); }
    void useCrLf(bool on) {
        eol_     = on ? "\r\n" : "\n";
        eolSize_ = on ? 2 : 1;
    }

protected:
    ~RecordSink() = default;
    /// Makes room: takes what is buffered and then p[0..n) out of the buffer (n may be 0).
    virtual void spill(const char* p, std::size_t n) = 0;

    char* begin_ = nullptr;
    char* pos_   = nullptr;
    char* end_   = nullptr;

private:
    void fillSpilling(char c, std::size_t n);

    const char* eol_     = "\n";
    std::size_t eolSize_ = 1;
};

/// Formats one value by a single edit descriptor; the pieces that tests look at directly.
std::string editInteger(std::int64_t value, int w, int m = -1);
std::string editFixed(double value, int w, int d);
std::string editExponent(double value, int w, int d);
std::string editText(std::string_view text, int w);

namespace detail {
/// The same fields edited through the decimal expansion to 25 further digits: the form that
/// values out of the range of the integer edit take, and what that edit must agree with.
std::string longInteger(std::int64_t value, int w, int m);
std::string longFixed(double value, int w, int d);
std::string longExponent(double value, int w, int d);
}  // namespace detail

/// Writes the records of the layout for the output list; every record ends with the sink's record
/// end, including the final one. Throws std::logic_error when an item does not fit its
/// descriptor's kind.
void writeRecords(RecordSink& out, const Format& layout, const FormatItem* items, std::size_t n);

/// The records as text, one '\n' per record end.
std::string formatItems(const Format& layout, const FormatItem* items, std::size_t n);

template <class... Args>
std::string format(const Format& layout, const Args&... args) {
    if constexpr (sizeof...(Args) == 0) {
        return formatItems(layout, nullptr, 0);
    } else {
        const FormatItem items[] = {FormatItem(args)...};
        return formatItems(layout, items, sizeof...(Args));
    }
}

}  // namespace korven::run
