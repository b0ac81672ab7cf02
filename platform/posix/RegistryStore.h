#pragma once

#include "platform/SystemServices.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The keys and values that the program writes where Linux has no registry, kept as a text file
// a person can read:
//
//   [HKEY_CURRENT_USER\Software\Merrowin\Test]
//   "Greeting"="hello"
//   "Count"=dword:0000002a
//
// Other value forms are expand:"..." and hex:01,02. Inside quotes \\, \" and \xHH stand for one
// byte. Lines that do not parse are skipped, so a damaged file loses only those lines.
// Key paths and value names compare without regard to the case of ASCII letters.
class RegistryStore {
public:
    static RegistryStore Parse(std::string_view text);
    std::string Text() const;

    // The key, or a key below it, is stored.
    bool HasKey(std::string_view path) const;
    void AddKey(const std::string& path);
    std::optional<TRegistryData> Read(std::string_view path, std::string_view name) const;
    void Write(const std::string& path, const std::string& name, const TRegistryData& data);
    // False when there was no such value.
    bool Delete(std::string_view path, std::string_view name);

private:
    struct Value {
        std::string name;
        TRegistryData data;
    };
    struct Key {
        std::string path;
        std::vector<Value> values;                          // in the order they were first written
        std::unordered_map<std::string, size_t> valueIndex; // folded name -> position in values
    };
    Key* Find(std::string_view path);
    const Key* Find(std::string_view path) const;

    std::vector<Key> keys_;
    std::unordered_map<std::string, size_t> keyIndex_; // folded path -> position in keys_
};
