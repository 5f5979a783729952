// Reading and writing the text form of typed-value streams.
#include "entry/ValueStream.h"

#include <charconv>
#include <cmath>

#include "project/GeneralFormat.h"

namespace korven {
namespace {

bool isNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool isNumberChar(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == 'E' || c == 'e' || c == '+' || c == '-';
}

const char* kindName(TValueReader::Kind k) {
    switch (k) {
        case TValueReader::Kind::Integer:
            return "an integer";
        case TValueReader::Kind::Float:
            return "a real number";
        case TValueReader::Kind::String:
            return "a string";
        case TValueReader::Kind::Boolean:
            return "True or False";
        case TValueReader::Kind::ListBegin:
            return "\"(\"";
        case TValueReader::Kind::ListEnd:
            return "\")\"";
        case TValueReader::Kind::Name:
            return "a name";
        case TValueReader::Kind::Symbol:
            return "a symbol";
        case TValueReader::Kind::End:
            return "the end of the text";
    }
    return "a value";
}

}  // namespace

TValueReader::TValueReader(std::string_view text) : text_(text) {}

void TValueReader::fail(const std::string& what) {
    throw EStreamError("Line " + std::to_string(tokenLine_) + ": " + what);
}

void TValueReader::scan() {
    if (peeked_) return;
    peeked_ = true;
    token_.clear();
    for (;;) {  // white space and comments
        while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) <= ' ')
            if (text_[pos_++] == '\n') ++line_;
        if (text_.substr(pos_, 2) != "//") break;
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
    }
    tokenLine_ = line_;
    if (pos_ >= text_.size()) {
        kind_ = Kind::End;
        return;
    }
    const char c = text_[pos_];
    if (c == '\'' || c == '#') {
        kind_ = Kind::String;
        scanString();
        return;
    }
    if (c == '(' || c == ')' || c == '=' || c == ':' || c == '{' || c == '}') {
        kind_  = c == '(' ? Kind::ListBegin : c == ')' ? Kind::ListEnd : Kind::Symbol;
        token_ = std::string(1, c);
        ++pos_;
        return;
    }
    std::size_t j = pos_;
    if ((c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.') {
        while (j < text_.size() && isNumberChar(text_[j])) ++j;
        token_ = std::string(text_.substr(pos_, j - pos_));
        kind_  = token_.find_first_of(".Ee") == std::string::npos ? Kind::Integer : Kind::Float;
    } else if (isNameChar(c)) {
        while (j < text_.size() && isNameChar(text_[j])) ++j;
        token_ = std::string(text_.substr(pos_, j - pos_));
        kind_  = token_ == "True" || token_ == "False" ? Kind::Boolean : Kind::Name;
    } else {
        fail(std::string("the character \"") + c + "\" is not expected here");
    }
    pos_ = j;
}

// Pieces of one string: 'quoted' text with '' for a quote, #nn character codes, and a "+" between
// pieces that lets a long string go on on the next line.
void TValueReader::scanString() {
    for (;;) {
        if (text_[pos_] == '#') {
            std::size_t j = ++pos_;
            int code      = 0;
            while (j < text_.size() && text_[j] >= '0' && text_[j] <= '9' && code < 256)
                code = code * 10 + (text_[j++] - '0');
            if (j == pos_ || code > 255) fail("a character code after \"#\" is invalid");
            token_ += static_cast<char>(code);
            pos_ = j;
        } else {
            ++pos_;
            for (;;) {
                if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r')
                    fail("a string is not closed on its line");
                if (text_[pos_] == '\'') {
                    if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                        token_ += '\'';
                        pos_ += 2;
                        continue;
                    }
                    ++pos_;
                    break;
                }
                token_ += text_[pos_++];
            }
        }
        if (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#')) continue;
        std::size_t j = pos_;
        int lines     = 0;
        auto blanks   = [&] {
            while (j < text_.size() && static_cast<unsigned char>(text_[j]) <= ' ')
                if (text_[j++] == '\n') ++lines;
        };
        blanks();
        if (j >= text_.size() || text_[j] != '+') return;
        ++j;
        blanks();
        if (j >= text_.size() || (text_[j] != '\'' && text_[j] != '#'))
            fail("a string was expected after \"+\"");
        pos_ = j;
        line_ += lines;
    }
}

TValueReader::Kind TValueReader::NextKind() {
    scan();
    return kind_;
}

const std::string& TValueReader::take(Kind wanted, const char* what) {
    scan();
    if (kind_ != wanted)
        fail(std::string(what) + " was expected but " + kindName(kind_) + " was found");
    peeked_ = false;
    return token_;
}

int TValueReader::ReadInteger() {
    const std::string& t = take(Kind::Integer, "an integer");
    const char* b        = t.data() + (t[0] == '+' ? 1 : 0);
    int v                = 0;
    const auto r         = std::from_chars(b, t.data() + t.size(), v);
    if (r.ec != std::errc() || r.ptr != t.data() + t.size())
        fail("\"" + t + "\" is not an integer of the valid range");
    return v;
}

long double TValueReader::ReadFloat() {
    scan();
    const std::string& t = take(kind_ == Kind::Integer ? Kind::Integer : Kind::Float, "a number");
    const char* b        = t.data() + (t[0] == '+' ? 1 : 0);
    long double v        = 0;
    const auto r         = std::from_chars(b, t.data() + t.size(), v);
    if (r.ec != std::errc() || r.ptr != t.data() + t.size() || !std::isfinite(v))
        fail("\"" + t + "\" is not a valid number");
    return v;
}

std::string TValueReader::ReadString() { return take(Kind::String, "a string"); }

bool TValueReader::ReadBoolean() { return take(Kind::Boolean, "True or False") == "True"; }

void TValueReader::ReadListBegin() { take(Kind::ListBegin, "\"(\""); }

bool TValueReader::EndOfList() {
    scan();
    if (kind_ == Kind::End) fail("a list is not closed");
    return kind_ == Kind::ListEnd;
}

void TValueReader::ReadListEnd() { take(Kind::ListEnd, "\")\""); }

std::string TValueReader::ReadName() { return take(Kind::Name, "a name"); }

void TValueReader::ReadSymbol(char symbol) {
    scan();
    if (kind_ != Kind::Symbol || token_[0] != symbol)
        fail(std::string("\"") + symbol + "\" was expected but "
             + (kind_ == Kind::Symbol ? "\"" + token_ + "\"" : kindName(kind_)) + " was found");
    peeked_ = false;
}

void TValueWriter::separate() {
    if (!lineStart_) text_ += ' ';
    lineStart_ = false;
}

void TValueWriter::NewLine(int indent) {
    text_ += '\n';
    text_.append(static_cast<std::size_t>(indent), ' ');
    lineStart_ = true;
}

void TValueWriter::WriteInteger(int value) {
    separate();
    text_ += std::to_string(value);
}

void TValueWriter::WriteFloat(long double value) {
    separate();
    std::string s = FormatGeneral(value, 18);
    if (s.find_first_of(".E") == std::string::npos) s += ".0";  // keeps it a real when read
    text_ += s;
}

void TValueWriter::WriteString(const std::string& value) {
    separate();
    bool quoted = false;
    for (char c : value) {
        if (static_cast<unsigned char>(c) < ' ') {
            if (quoted) text_ += '\'';
            quoted = false;
            text_ += '#' + std::to_string(static_cast<unsigned char>(c));
            continue;
        }
        if (!quoted) text_ += '\'';
        quoted = true;
        text_ += c;
        if (c == '\'') text_ += '\'';
    }
    if (quoted || value.empty()) text_ += value.empty() ? "''" : "'";
}

void TValueWriter::WriteBoolean(bool value) {
    separate();
    text_ += value ? "True" : "False";
}

void TValueWriter::WriteListBegin() {
    separate();
    text_ += '(';
    lineStart_ = true;
}

void TValueWriter::WriteListEnd() {
    text_ += ')';
    lineStart_ = false;
}

void TValueWriter::WriteRaw(const std::string& text) {
    separate();
    text_ += text;
}

}  // namespace korven
