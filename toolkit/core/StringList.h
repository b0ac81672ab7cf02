#pragma once

#include <string>
#include <string_view>
#include <vector>

class TStream;

// An ordered list of text lines.
class TStringList {
public:
    int Count() const { return static_cast<int>(lines_.size()); }
    // Raises "索引列表超出范围 (%d)" for an index outside the list.
    const std::string& Strings(int index) const;
    const std::string& operator[](int index) const { return Strings(index); }
    void Add(std::string line) { lines_.push_back(std::move(line)); }
    void Clear() { lines_.clear(); }
    bool operator==(const TStringList& other) const { return lines_ == other.lines_; }

    // Every line followed by CR LF, the last one too.
    std::string Text() const;
    // Replaces the lines with those of `text`, split by SplitLines.
    void SetText(std::string_view text);

    // Loads the lines from the rest of `stream`, from its position to its end.
    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;

private:
    std::vector<std::string> lines_;
};

// Splits a text into lines: a line ends at CR LF, a lone CR or a lone LF; a last line without a
// break still counts, a break at the very end adds no empty line, and a NUL ends the text.
std::vector<std::string> SplitLines(std::string_view text);
