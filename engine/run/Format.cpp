// Fixed-format records: the edit descriptors of the report, plot and listing files.
#include "run/Format.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace korven::run {
namespace {

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

std::string editInteger(std::int64_t value, int w, int m) {
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

std::string editFixed(double value, int w, int d) {
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

std::string editExponent(double value, int w, int d) {
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

std::string editText(std::string_view text, int w) {
    if (w < 0) return std::string(text);
    const auto uw = static_cast<std::size_t>(w);
    if (text.size() >= uw) return std::string(text.substr(0, uw));
    return std::string(uw - text.size(), ' ') + std::string(text);
}

namespace {

struct Node {
    enum Kind { Literal, Blanks, Slash, Edit, Group } kind;
    std::string text;    // Literal
    int count = 1;       // Blanks: n; Edit/Group: repeat
    char edit = 0;       // 'I', 'F', 'E', 'A'
    int w = -1, d = -1;  // width, decimals (or minimum digits of I)
    std::vector<Node> children;
};

class Parser {
public:
    explicit Parser(std::string_view s) : s_(s) {}

    std::vector<Node> parseTop() {
        skip();
        expect('(');
        auto nodes = parseList();
        return nodes;
    }

private:
    std::string_view s_;
    std::size_t i_ = 0;

    void skip() {
        while (i_ < s_.size() && s_[i_] == ' ') ++i_;
    }
    void expect(char c) {
        skip();
        if (i_ >= s_.size() || s_[i_] != c) throw std::logic_error("malformed record layout");
        ++i_;
    }
    int number() {
        int v    = 0;
        bool any = false;
        while (i_ < s_.size() && detail::isDigit(s_[i_])) {
            v   = v * 10 + (s_[i_] - '0');
            any = true;
            ++i_;
        }
        return any ? v : -1;
    }

    std::vector<Node> parseList() {
        std::vector<Node> out;
        while (true) {
            skip();
            if (i_ >= s_.size()) throw std::logic_error("malformed record layout");
            const char c = s_[i_];
            if (c == ')') {
                ++i_;
                return out;
            }
            if (c == ',') {
                ++i_;
                continue;
            }
            if (c == '/') {
                ++i_;
                out.push_back(Node{Node::Slash, {}, 1, 0, -1, -1, {}});
                continue;
            }
            if (c == '\'') {
                ++i_;
                std::string t;
                while (true) {
                    if (s_[i_] == '\'') {
                        if (i_ + 1 < s_.size() && s_[i_ + 1] == '\'') {
                            t += '\'';
                            i_ += 2;
                            continue;
                        }
                        ++i_;
                        break;
                    }
                    t += s_[i_++];
                }
                out.push_back(Node{Node::Literal, t, 1, 0, -1, -1, {}});
                continue;
            }
            const int rep = number();
            const char k  = s_[i_++];
            if (k == '(') {
                Node g{Node::Group, {}, rep < 0 ? 1 : rep, 0, -1, -1, {}};
                g.children = parseList();
                out.push_back(std::move(g));
                continue;
            }
            if (k == 'X') {
                out.push_back(Node{Node::Blanks, {}, rep < 0 ? 1 : rep, 0, -1, -1, {}});
                continue;
            }
            Node e{Node::Edit, {}, rep < 0 ? 1 : rep, k, number(), -1, {}};
            if (i_ < s_.size() && s_[i_] == '.') {
                ++i_;
                e.d = number();
            }
            out.push_back(std::move(e));
        }
    }
};

class Writer {
public:
    explicit Writer(const std::vector<FormatItem>& items) : items_(items) {}

    // Runs the nodes once; returns false when the output list ran out at a data descriptor.
    bool run(const std::vector<Node>& nodes) {
        for (const Node& n : nodes) {
            switch (n.kind) {
                case Node::Literal:
                    emit(n.text);
                    break;
                case Node::Blanks:
                    pendingBlanks_ += static_cast<std::size_t>(n.count);
                    break;
                case Node::Slash:
                    endRecord();
                    break;
                case Node::Group:
                    for (int r = 0; r < n.count; ++r)
                        if (!run(n.children)) return false;
                    break;
                case Node::Edit:
                    for (int r = 0; r < n.count; ++r) {
                        if (next_ >= items_.size()) return false;
                        edit(n, items_[next_++]);
                    }
                    break;
            }
        }
        return true;
    }

    bool itemsLeft() const { return next_ < items_.size(); }
    std::string& out() { return out_; }

    // Blanks of an X descriptor are written only when something follows them in the record, as
    // positioning alone does not lengthen a record.
    void endRecord() {
        pendingBlanks_ = 0;
        out_ += '\n';
    }

private:
    const std::vector<FormatItem>& items_;
    std::size_t next_ = 0;
    std::string out_;
    std::size_t pendingBlanks_ = 0;

    void emit(std::string_view text) {
        if (text.empty()) return;
        out_.append(pendingBlanks_, ' ');
        pendingBlanks_ = 0;
        out_ += text;
    }

    void edit(const Node& n, const FormatItem& item) {
        switch (n.edit) {
            case 'I':
                if (const auto* v = std::get_if<std::int64_t>(&item)) {
                    emit(editInteger(*v, n.w, n.d));
                    return;
                }
                break;
            case 'F':
                if (const auto* v = std::get_if<double>(&item)) {
                    emit(editFixed(*v, n.w, n.d));
                    return;
                }
                break;
            case 'E':
                if (const auto* v = std::get_if<double>(&item)) {
                    emit(editExponent(*v, n.w, n.d));
                    return;
                }
                break;
            case 'A':
                if (const auto* v = std::get_if<std::string_view>(&item)) {
                    emit(editText(*v, n.w));
                    return;
                }
                break;
            default:
                break;
        }
        throw std::logic_error(std::string("output item does not match edit descriptor ") + n.edit);
    }
};

bool hasEdit(const std::vector<Node>& nodes) {
    for (const Node& n : nodes)
        if (n.kind == Node::Edit || (n.kind == Node::Group && hasEdit(n.children))) return true;
    return false;
}

}  // namespace

std::string formatRecord(std::string_view layout, const std::vector<FormatItem>& items) {
    const std::vector<Node> nodes = Parser(layout).parseTop();
    Writer w(items);
    if (w.run(nodes) && w.itemsLeft()) {
        if (!hasEdit(nodes)) throw std::logic_error("record layout takes no items");
        // format reversion: a new record from the last group at the outer level, else from the
        // start
        std::vector<Node> tail;
        for (std::size_t k = nodes.size(); k-- > 0;) {
            if (nodes[k].kind == Node::Group) {
                tail.assign(nodes.begin() + static_cast<std::ptrdiff_t>(k), nodes.end());
                break;
            }
        }
        if (tail.empty() || !hasEdit(tail)) tail = nodes;
        while (w.itemsLeft()) {
            w.endRecord();
            if (!w.run(tail)) break;
        }
    }
    w.endRecord();
    return std::move(w.out());
}

}  // namespace korven::run
