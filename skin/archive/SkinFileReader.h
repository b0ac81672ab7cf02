#pragma once

#include "toolkit/core/Exceptions.h"
#include "toolkit/graphics/Bitmap.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class SystemServices;
class TStream;

// A skin's record data that cannot be read: "Failed to read skin file!" for an archive that
// yields no data member, a short description for records that break the format.
class ESkinDataError : public Exception {
    using Exception::Exception;
};

enum class TSkinRecordKind : uint8_t { Bitmap = 0, Integer = 1, Flag = 2, String = 3 };

template <typename T>
struct TSkinEntry {
    std::string name;
    T value;
};

// Where a loaded record went: its kind's list and its place there.
struct TSkinRecordRef {
    TSkinRecordKind kind;
    size_t index;
};

// Loads a skin's record file ("SKINDATA.SK2") into memory in one pass and answers lookups by
// record name, ignoring the case of ASCII letters; the first record of a name wins. Each kind
// has its own list and name space.
//
// The records are outside bytes, so every offset and size is checked before use. A chain that
// comes back to a record it has visited is a loop and fails. Records may share their data, but
// what they load stays in proportion to the file: a picture may have no more pixels than its
// data could describe, the records together may read their data at most kReadsPerFileByte
// times over the file's size, and the pictures together may hold as many pixels as two
// pictures that each filled the whole file at the densest encoding.
class Tsk2SkinFileReader {
public:
    // RLE, the densest encoding a picture may use, describes at most 255 pixels in two bytes.
    static constexpr int64_t kPixelsPerDataByte = 128;
    static constexpr int64_t kReadsPerFileByte = 8;
    static constexpr int64_t kPixelsPerFileByte = 2 * kPixelsPerDataByte;

    // Extracts the skin file's data member to a temporary file named by a fresh GUID in the
    // system's temporary folder, loads it and deletes it again. Raises "Failed to read skin
    // file!" when extraction fails, and ESkinDataError or the bitmap and stream errors for bad
    // records. A refused extraction (no or wrong password, wrong size) leaves Loaded() false.
    Tsk2SkinFileReader(const std::string& skinFile, const std::string& password, SystemServices& services);
    // Loads a record file that is already at hand, from its first byte.
    explicit Tsk2SkinFileReader(TStream& records);
    Tsk2SkinFileReader(const Tsk2SkinFileReader&) = delete;
    Tsk2SkinFileReader& operator=(const Tsk2SkinFileReader&) = delete;

    bool Loaded() const { return loaded_; }

    // The reader keeps the bitmap; nullptr when there is none of that name.
    TBitmap* GetBitmap(const std::string& name) const;
    // -1 when there is no integer record of that name.
    int32_t GetInteger(const std::string& name) const;
    // 0 when there is no flag record of that name.
    uint8_t GetFlag(const std::string& name) const;
    // nullptr when there is no string record of that name.
    const std::string* GetString(const std::string& name) const;

    const std::vector<TSkinEntry<std::unique_ptr<TBitmap>>>& Bitmaps() const { return bitmaps_; }
    const std::vector<TSkinEntry<int32_t>>& Integers() const { return integers_; }
    const std::vector<TSkinEntry<uint8_t>>& Flags() const { return flags_; }
    const std::vector<TSkinEntry<std::string>>& Strings() const { return strings_; }
    // Every loaded record in file order.
    const std::vector<TSkinRecordRef>& Records() const { return records_; }

private:
    struct TRecordHeader;
    // What the records may still read and hold.
    struct TLoadBudget {
        int64_t bytes;
        int64_t pixels;
    };

    void ReadRecords(TStream& file);
    TRecordHeader ReadRecordHeader(TStream& file, int64_t offset, int64_t fileSize);
    void LoadRecord(TStream& file, const TRecordHeader& record, TLoadBudget& budget);

    std::vector<TSkinEntry<std::unique_ptr<TBitmap>>> bitmaps_;
    std::vector<TSkinEntry<int32_t>> integers_;
    std::vector<TSkinEntry<uint8_t>> flags_;
    std::vector<TSkinEntry<std::string>> strings_;
    std::vector<TSkinRecordRef> records_;
    bool loaded_ = false;
};
