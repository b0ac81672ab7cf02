#include "platform/posix/RegistryStore.h"

#include "platform/posix/AsciiCase.h"

#include <cstddef>
#include <cstdio>

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = LowerAscii(c);
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::string Quoted(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// Reads a quoted text at the start of `text`, leaving `text` after its closing quote.
std::optional<std::string> TakeQuoted(std::string_view& text)
{
    if (text.empty() || text.front() != '"')
        return std::nullopt;
    std::string out;
    size_t i = 1;
    while (i < text.size() && text[i] != '"') {
        if (text[i] != '\\') {
            out += text[i++];
            continue;
        }
        if (i + 1 >= text.size())
            return std::nullopt;
        char next = text[i + 1];
        if (next == '"' || next == '\\') {
            out += next;
            i += 2;
        } else if (next == 'x' && i + 3 < text.size() && HexDigit(text[i + 2]) >= 0 && HexDigit(text[i + 3]) >= 0) {
            out += static_cast<char>(HexDigit(text[i + 2]) * 16 + HexDigit(text[i + 3]));
            i += 4;
        } else {
            return std::nullopt;
        }
    }
    if (i >= text.size())
        return std::nullopt;
    text.remove_prefix(i + 1);
    return out;
}

std::optional<std::string> HexBytes(std::string_view text)
{
    std::string bytes;
    while (!text.empty()) {
        if (text.size() < 2 || HexDigit(text[0]) < 0 || HexDigit(text[1]) < 0)
            return std::nullopt;
        bytes += static_cast<char>(HexDigit(text[0]) * 16 + HexDigit(text[1]));
        text.remove_prefix(2);
        if (!text.empty()) {
            if (text.front() != ',')
                return std::nullopt;
            text.remove_prefix(1);
        }
    }
    return bytes;
}

std::optional<std::string> DwordBytes(std::string_view text)
{
    if (text.empty() || text.size() > 8)
        return std::nullopt;
    uint32_t value = 0;
    for (char c : text) {
        if (HexDigit(c) < 0)
            return std::nullopt;
        value = value * 16 + static_cast<uint32_t>(HexDigit(c));
    }
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i));
    return bytes;
}

std::optional<TRegistryData> ParseData(std::string_view text)
{
    auto startsWith = [&text](std::string_view prefix) {
        if (text.substr(0, prefix.size()) != prefix)
            return false;
        text.remove_prefix(prefix.size());
        return true;
    };
    TRegistryData data;
    std::optional<std::string> bytes;
    if (startsWith("dword:")) {
        data.type = TRegistryDataType::Integer;
        bytes = DwordBytes(text);
    } else if (startsWith("hex:")) {
        data.type = TRegistryDataType::Binary;
        bytes = HexBytes(text);
    } else {
        data.type = startsWith("expand:") ? TRegistryDataType::ExpandString : TRegistryDataType::String;
        bytes = TakeQuoted(text);
        if (!text.empty())
            return std::nullopt;
    }
    if (!bytes)
        return std::nullopt;
    data.bytes = std::move(*bytes);
    return data;
}

std::string DataText(const TRegistryData& data)
{
    switch (data.type) {
    case TRegistryDataType::String:
        return Quoted(data.bytes);
    case TRegistryDataType::ExpandString:
        return "expand:" + Quoted(data.bytes);
    case TRegistryDataType::Integer:
        if (data.bytes.size() == 4) {
            uint32_t value = 0;
            for (int i = 3; i >= 0; --i)
                value = value << 8 | static_cast<unsigned char>(data.bytes[static_cast<size_t>(i)]);
            char text[16];
            std::snprintf(text, sizeof text, "dword:%08x", static_cast<unsigned>(value));
            return text;
        }
        break;
    default:
        break;
    }
    std::string text = "hex:";
    for (size_t i = 0; i < data.bytes.size(); ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, i == 0 ? "%02x" : ",%02x", static_cast<unsigned char>(data.bytes[i]));
        text += byte;
    }
    return text;
}

} // namespace

RegistryStore RegistryStore::Parse(std::string_view text)
{
    RegistryStore store;
    std::optional<std::string> key; // values before the first key line belong nowhere
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            key = std::string(line.substr(1, line.size() - 2));
            store.AddKey(*key);
            continue;
        }
        std::optional<std::string> name = TakeQuoted(line);
        if (!key || !name || line.empty() || line.front() != '=')
            continue;
        line.remove_prefix(1);
        if (std::optional<TRegistryData> data = ParseData(line))
            store.Write(*key, *name, *data);
    }
    return store;
}

std::string RegistryStore::Text() const
{
    std::string text;
    for (const Key& key : keys_) {
        text += "[" + key.path + "]\n";
        for (const Value& value : key.values)
            text += Quoted(value.name) + "=" + DataText(value.data) + "\n";
    }
    return text;
}

RegistryStore::Key* RegistryStore::Find(std::string_view path)
{
    auto found = keyIndex_.find(FoldedAscii(path));
    return found == keyIndex_.end() ? nullptr : &keys_[found->second];
}

const RegistryStore::Key* RegistryStore::Find(std::string_view path) const
{
    return const_cast<RegistryStore*>(this)->Find(path);
}

bool RegistryStore::HasKey(std::string_view path) const
{
    for (const Key& key : keys_) {
        std::string_view stored = key.path;
        if (SameIgnoringAsciiCase(stored, path))
            return true;
        if (stored.size() > path.size() && stored[path.size()] == '\\' &&
            SameIgnoringAsciiCase(stored.substr(0, path.size()), path))
            return true;
    }
    return false;
}

void RegistryStore::AddKey(const std::string& path)
{
    if (keyIndex_.emplace(FoldedAscii(path), keys_.size()).second)
        keys_.push_back({path, {}, {}});
}

std::optional<TRegistryData> RegistryStore::Read(std::string_view path, std::string_view name) const
{
    const Key* key = Find(path);
    if (!key)
        return std::nullopt;
    auto found = key->valueIndex.find(FoldedAscii(name));
    if (found == key->valueIndex.end())
        return std::nullopt;
    return key->values[found->second].data;
}

void RegistryStore::Write(const std::string& path, const std::string& name, const TRegistryData& data)
{
    AddKey(path);
    Key* key = Find(path);
    auto [found, added] = key->valueIndex.emplace(FoldedAscii(name), key->values.size());
    if (added)
        key->values.push_back({name, data});
    else
        key->values[found->second].data = data;
}

bool RegistryStore::Delete(std::string_view path, std::string_view name)
{
    Key* key = Find(path);
    if (!key)
        return false;
    auto found = key->valueIndex.find(FoldedAscii(name));
    if (found == key->valueIndex.end())
        return false;
    key->values.erase(key->values.begin() + static_cast<std::ptrdiff_t>(found->second));
    key->valueIndex.clear();
    for (size_t i = 0; i < key->values.size(); ++i)
        key->valueIndex.emplace(FoldedAscii(key->values[i].name), i);
    return true;
}
