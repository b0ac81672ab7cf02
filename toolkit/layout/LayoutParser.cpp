#include "toolkit/layout/LayoutParser.h"

#include "toolkit/core/Utf8.h"

#include <cctype>

EParserError::EParserError(int line, const std::string& what)
    : Exception("第 " + std::to_string(line) + " 行: " + what), line_(line)
{
}

namespace {

bool IsIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    TLayoutObject Document()
    {
        TLayoutObject root = Object(0);
        SkipBlanks();
        if (pos_ < text_.size())
            Fail("布局结束后还有内容");
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const { throw EParserError(line_, what); }

    void SkipBlanks()
    {
        while (pos_ < text_.size()) {
            char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (c == ' ' || c == '\t' || c == '\r') {
                ++pos_;
            } else if (c == '/' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '/') {
                while (pos_ < text_.size() && text_[pos_] != '\n')
                    ++pos_;
            } else {
                break;
            }
        }
    }

    char Peek()
    {
        SkipBlanks();
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }

    void Expect(char c)
    {
        if (Peek() != c)
            Fail(std::string("需要 '") + c + "'");
        ++pos_;
    }

    std::string Identifier()
    {
        if (!IsIdentStart(Peek()))
            Fail("需要标识符");
        size_t start = pos_;
        while (pos_ < text_.size() && IsIdentChar(text_[pos_]))
            ++pos_;
        return std::string(text_.substr(start, pos_ - start));
    }

    // Name or Name.Name...; the dots join without blanks.
    std::string DottedIdentifier()
    {
        std::string name = Identifier();
        while (pos_ + 1 < text_.size() && text_[pos_] == '.' && IsIdentStart(text_[pos_ + 1])) {
            ++pos_;
            name += '.';
            name += Identifier();
        }
        return name;
    }

    bool AtKeyword(std::string_view word)
    {
        if (!IsIdentStart(Peek()))
            return false;
        size_t end = pos_;
        while (end < text_.size() && IsIdentChar(text_[end]))
            ++end;
        std::string_view found = text_.substr(pos_, end - pos_);
        if (found.size() != word.size())
            return false;
        for (size_t i = 0; i < word.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(found[i])) != word[i])
                return false;
        return true;
    }

    void Keyword(std::string_view word)
    {
        if (!AtKeyword(word))
            Fail("需要 '" + std::string(word) + "'");
        pos_ += word.size();
    }

    TLayoutObject Object(int depth)
    {
        if (depth >= TLayoutParser::kMaxDepth)
            Fail("嵌套过深");
        TLayoutObject object;
        if (AtKeyword("inherited"))
            Keyword("inherited");
        else
            Keyword("object");
        object.line = line_;
        object.name = Identifier();
        Expect(':');
        object.className = Identifier();
        while (!AtKeyword("end")) {
            if (AtKeyword("object") || AtKeyword("inherited"))
                object.children.push_back(Object(depth + 1));
            else if (Peek() == '\0')
                Fail("需要 'end'");
            else
                object.properties.push_back(Property(depth));
        }
        Keyword("end");
        return object;
    }

    TLayoutValue::Property Property(int depth)
    {
        TLayoutValue::Property property;
        property.line = line_;
        property.name = DottedIdentifier();
        Expect('=');
        property.value = Value(depth);
        return property;
    }

    TLayoutValue Value(int depth)
    {
        TLayoutValue value;
        char c = Peek();
        value.line = line_;
        if (c == '-' || c == '$' || std::isdigit(static_cast<unsigned char>(c))) {
            value.type = TLayoutValue::Type::Integer;
            value.integer = Integer();
        } else if (c == '\'' || c == '#') {
            value.type = TLayoutValue::Type::String;
            value.text = String();
        } else if (IsIdentStart(c)) {
            value.type = TLayoutValue::Type::Identifier;
            value.text = DottedIdentifier();
        } else if (c == '[') {
            value.type = TLayoutValue::Type::Set;
            ++pos_;
            if (Peek() != ']') {
                value.names.push_back(Identifier());
                while (Peek() == ',') {
                    ++pos_;
                    value.names.push_back(Identifier());
                }
            }
            Expect(']');
        } else if (c == '(') {
            value.type = TLayoutValue::Type::List;
            ++pos_;
            while (Peek() != ')') {
                if (Peek() != '\'' && Peek() != '#')
                    Fail("需要字符串");
                value.names.push_back(String());
            }
            ++pos_;
        } else if (c == '{') {
            value.type = TLayoutValue::Type::Resource;
            value.text = ResourceName();
        } else if (c == '<') {
            value.type = TLayoutValue::Type::Collection;
            if (depth + 1 >= TLayoutParser::kMaxDepth)
                Fail("嵌套过深");
            ++pos_;
            while (Peek() != '>') {
                Keyword("item");
                TLayoutValue::Item item;
                while (!AtKeyword("end")) {
                    if (Peek() == '\0')
                        Fail("需要 'end'");
                    item.push_back(Property(depth + 1));
                }
                Keyword("end");
                value.items.push_back(std::move(item));
            }
            ++pos_;
        } else {
            Fail("无效的属性值");
        }
        return value;
    }

    int64_t Integer()
    {
        bool negative = false;
        if (text_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        bool hex = pos_ < text_.size() && text_[pos_] == '$';
        if (hex)
            ++pos_;
        size_t start = pos_;
        uint64_t magnitude = 0;
        while (pos_ < text_.size() && (hex ? std::isxdigit(static_cast<unsigned char>(text_[pos_]))
                                           : std::isdigit(static_cast<unsigned char>(text_[pos_])))) {
            char d = static_cast<char>(std::tolower(static_cast<unsigned char>(text_[pos_])));
            magnitude = magnitude * (hex ? 16 : 10) + uint64_t(d <= '9' ? d - '0' : d - 'a' + 10);
            if (magnitude > 0xFFFFFFFFull)
                Fail("数值超出范围");
            ++pos_;
        }
        if (pos_ == start)
            Fail("需要数字");
        if (pos_ < text_.size() && IsIdentChar(text_[pos_]))
            Fail("需要数字");
        // Hexadecimal reads as a bit pattern ($80000005 is a system colour); decimal must fit.
        int64_t value = hex ? static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(magnitude)))
                            : static_cast<int64_t>(magnitude);
        if (!hex && (negative ? magnitude > 0x80000000ull : magnitude > 0x7FFFFFFFull))
            Fail("数值超出范围");
        return negative ? -value : value;
    }

    // 'quoted' pieces and #code points, written next to each other or joined by + (which may
    // stand at the end of a line).
    std::string String()
    {
        std::string out;
        Piece(out);
        for (;;) {
            if (pos_ < text_.size() && (text_[pos_] == '\'' || text_[pos_] == '#')) {
                Piece(out);
            } else if (Peek() == '+') {
                ++pos_;
                char next = Peek();
                if (next != '\'' && next != '#')
                    Fail("需要字符串");
                Piece(out);
            } else {
                return out;
            }
        }
    }

    void Piece(std::string& out)
    {
        if (text_[pos_] == '#') {
            ++pos_;
            uint64_t code = 0;
            size_t start = pos_;
            while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
                code = code * 10 + uint64_t(text_[pos_] - '0');
                if (code > 0x10FFFF)
                    Fail("无效的字符");
                ++pos_;
            }
            if (pos_ == start || (code >= 0xD800 && code <= 0xDFFF))
                Fail("无效的字符");
            out += EncodeUtf8(static_cast<char32_t>(code));
            return;
        }
        ++pos_;  // the opening quote
        for (;;) {
            if (pos_ >= text_.size() || text_[pos_] == '\n')
                Fail("字符串未结束");
            if (text_[pos_] == '\'') {
                if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
                    out += '\'';
                    pos_ += 2;
                    continue;
                }
                ++pos_;
                return;
            }
            out += text_[pos_++];
        }
    }

    std::string ResourceName()
    {
        ++pos_;  // '{'
        size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] != '}') {
            if (text_[pos_] == '\n')
                Fail("需要 '}'");
            ++pos_;
        }
        if (pos_ >= text_.size())
            Fail("需要 '}'");
        std::string_view name = text_.substr(start, pos_ - start);
        ++pos_;
        while (!name.empty() && (name.front() == ' ' || name.front() == '\t'))
            name.remove_prefix(1);
        while (!name.empty() && (name.back() == ' ' || name.back() == '\t' || name.back() == '\r'))
            name.remove_suffix(1);
        return std::string(name);
    }

    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace

TLayoutObject TLayoutParser::Parse(std::string_view text) { return Parser(text).Document(); }
