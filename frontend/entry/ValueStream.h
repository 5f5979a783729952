// Typed-value streams in text form: the stored form of table definitions and of the table
// layout of the main window.
//
// Values are separated by white space: integers (12, -1), extended reals (always with "." or an
// exponent: 0.0, 1E20), strings in single quotes with '' for a quote and #nn for a control
// character ('a'#10'b', and a "+" between pieces continues a string on the next line), True and
// False, and lists in parentheses. The layout adds bare names, ":", "=", "{" and "}". A "//"
// starts a comment that runs to the end of the line.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace korven {

/// A stream that does not hold the value asked for; the message names the line.
class EStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TValueReader {
public:
    enum class Kind { Integer, Float, String, Boolean, ListBegin, ListEnd, Name, Symbol, End };

    explicit TValueReader(std::string_view text);

    Kind NextKind();  ///< kind of the next value, without taking it
    int ReadInteger();
    long double ReadFloat();  ///< an extended or an integer value
    std::string ReadString();
    bool ReadBoolean();
    void ReadListBegin();
    bool EndOfList();  ///< true when the next value closes the list
    void ReadListEnd();
    std::string ReadName();
    void ReadSymbol(char symbol);  ///< "=", "{" or "}"
    int Line() const { return tokenLine_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    int line_        = 1;
    int tokenLine_   = 1;
    Kind kind_       = Kind::End;
    std::string token_;  // the text of the next value (strings already decoded)
    bool peeked_ = false;

    void scan();
    void scanString();
    const std::string& take(Kind wanted, const char* what);
    [[noreturn]] void fail(const std::string& what);
};

class TValueWriter {
public:
    void WriteInteger(int value);
    void WriteFloat(long double value);
    void WriteString(const std::string& value);
    void WriteBoolean(bool value);
    void WriteListBegin();
    void WriteListEnd();
    /// A bare name or symbol, as the layout uses them.
    void WriteRaw(const std::string& text);
    /// Starts a new line indented by `indent` blanks.
    void NewLine(int indent);
    const std::string& Text() const { return text_; }

private:
    std::string text_;
    bool lineStart_ = true;
    void separate();
};

}  // namespace korven
