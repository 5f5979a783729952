// Reader of the project and plot data files: lines split into words, handed out one at a time
// as text, integers or reals with "." as the decimal separator whatever the user's locale.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace korven {

/// Input/output error of a reader: a file that cannot be read, a word that is not the number
/// asked for, or the end of the file met before the reader was done.
class EInOutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// One line of the file: its full text and its words.
struct TWordContainer {
    std::string Line;
    std::vector<std::string> Words;
};

class TWordReader {
public:
    /// Reads the whole file; lines may end in LF, CR LF or CR. Throws EInOutError when the file
    /// cannot be read.
    explicit TWordReader(const std::string& fileName);

    /// A reader over text already in memory, split exactly as a file would be.
    static TWordReader FromText(std::string_view text);

    /// The next word, moving on to later lines when the current one is used up.
    std::string NextWord();
    int ReadInteger();
    long double ReadFloat();
    /// The full text of the current line; the next word then comes from the line after it.
    std::string ReadLine();
    /// Words on the current line.
    int WordCount() const;
    bool AtEnd() const;

    /// 0-based position: the current line and the number of words already taken from it.
    int LineIndex() const { return FLineIndex; }
    int ItemIndex() const { return FItemIndex; }
    int LineCount() const { return static_cast<int>(FLines.size()); }
    /// Words not yet taken, up to the end of the file: an upper bound for the counts a file
    /// announces before its values.
    long long RemainingWords() const;

    static constexpr const char* kIncomplete = "This file either invalid or incomplete.";
    static constexpr const char* kFloatWanted =
        "A floating point number was expected but not found.";
    static constexpr const char* kIntegerWanted = "An integer was expected but not found.";

private:
    TWordReader() = default;
    void Split(std::string_view text);
    [[noreturn]] void Fail(const char* what) const;

    std::vector<TWordContainer> FLines;
    int FLineIndex = 0;
    int FItemIndex = 0;
};

}  // namespace korven
