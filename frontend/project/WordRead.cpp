// Word-by-word reading of the project and plot data files.
#include "project/WordRead.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "project/GeneralFormat.h"

namespace korven {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    return s;
}

TWordContainer SplitLine(std::string_view line) {
    TWordContainer c;
    c.Line                = std::string(line);
    std::string_view rest = Trim(line);
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of(" \t");
        if (end == std::string_view::npos) {
            c.Words.emplace_back(rest);
            break;
        }
        c.Words.emplace_back(rest.substr(0, end));
        rest = TrimLeft(rest.substr(end + 1));
    }
    return c;
}

}  // namespace

TWordReader::TWordReader(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        throw EInOutError("Cannot open the file " + fileName + ": " + std::strerror(errno));
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw EInOutError("Cannot read the file " + fileName + ".");
    Split(text.str());
}

TWordReader TWordReader::FromText(std::string_view text) {
    TWordReader r;
    r.Split(text);
    return r;
}

void TWordReader::Split(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            FLines.push_back(SplitLine(text.substr(start)));
            break;
        }
        FLines.push_back(SplitLine(text.substr(start, end - start)));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    if (FLines.empty()) FLines.emplace_back();
}

void TWordReader::Fail(const char* what) const {
    throw EInOutError("Error on Line " + std::to_string(FLineIndex + 1) + " Item "
                      + std::to_string(FItemIndex) + "\r" + what);
}

std::string TWordReader::NextWord() {
    // Lines without words are passed over, whether first or among the values, as the engine's
    // own reader of these files does.
    while (FLineIndex < LineCount()
           && FItemIndex
                  >= static_cast<int>(FLines[static_cast<std::size_t>(FLineIndex)].Words.size())) {
        ++FLineIndex;
        FItemIndex = 0;
    }
    if (FLineIndex >= LineCount()) throw EInOutError(kIncomplete);
    return FLines[static_cast<std::size_t>(FLineIndex)]
        .Words[static_cast<std::size_t>(FItemIndex++)];
}

long double TWordReader::ReadFloat() {
    long double value = 0;
    if (!ParseReal(NextWord(), '.', value)) Fail(kFloatWanted);
    return value;
}

int TWordReader::ReadInteger() {
    long double value = 0;
    if (!ParseReal(NextWord(), '.', value) || value != std::trunc(value) || value < -2147483648.0L
        || value > 2147483647.0L) {
        Fail(kIntegerWanted);
    }
    return static_cast<int>(value);
}

std::string TWordReader::ReadLine() {
    if (FLineIndex >= LineCount()) throw EInOutError(kIncomplete);
    std::string line = FLines[static_cast<std::size_t>(FLineIndex)].Line;
    ++FLineIndex;
    FItemIndex = 0;
    return line;
}

int TWordReader::WordCount() const {
    if (FLineIndex >= LineCount()) return 0;
    return static_cast<int>(FLines[static_cast<std::size_t>(FLineIndex)].Words.size());
}

long long TWordReader::RemainingWords() const {
    long long n = 0;
    for (std::size_t i = static_cast<std::size_t>(FLineIndex); i < FLines.size(); ++i) {
        n += static_cast<long long>(FLines[i].Words.size());
    }
    return FLineIndex < LineCount() ? n - FItemIndex : 0;
}

bool TWordReader::AtEnd() const { return FLineIndex == LineCount(); }

}  // namespace korven
