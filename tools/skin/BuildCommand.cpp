#include "skin/archive/SkinArchiveWriter.h"
#include "skin/archive/SkinDataWriter.h"
#include "skin/archive/SkinKeys.h"
#include "toolkit/core/Utf8Path.h"
#include "toolkit/graphics/Bitmap.h"
#include "toolkit/streams/MemoryStream.h"
#include "tools/common/Options.h"
#include "tools/skin/Commands.h"
#include "tools/skin/SkinValues.h"
#include "tools/common/ToolFiles.h"

#include <algorithm>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace {

struct TPictureFile {
    std::string name; // the record name: the file name without ".bmp"
    std::string path;
};

int TableRank(const std::string& name)
{
    for (int key = 0; key < kSkinBitmapKeyCount; ++key)
        if (name == SkinKeyName(static_cast<TsuiSkinBitmapKey>(key)))
            return key;
    return kSkinBitmapKeyCount;
}

bool IsBmpFile(const fs::directory_entry& entry)
{
    std::string extension = PathToUtf8(entry.path().extension());
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return entry.is_regular_file() && extension == ".bmp";
}

// The folder's pictures in record order: the bitmap key table's order, then by name.
std::vector<TPictureFile> PictureFiles(const std::string& folder)
{
    std::vector<TPictureFile> pictures;
    for (const fs::directory_entry& entry : fs::directory_iterator(Utf8Path(folder)))
        if (IsBmpFile(entry))
            pictures.push_back({PathToUtf8(entry.path().stem()), PathToUtf8(entry.path())});
    std::sort(pictures.begin(), pictures.end(), [](const TPictureFile& a, const TPictureFile& b) {
        const int rankA = TableRank(a.name), rankB = TableRank(b.name);
        return rankA != rankB ? rankA < rankB : a.name < b.name;
    });
    return pictures;
}

// The picture's bytes, after making sure that the skin reader will be able to decode them.
std::string CheckedPicture(const TPictureFile& picture)
{
    std::string bytes = ReadWholeFile(picture.path);
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream.SetPosition(0);
    try {
        TBitmap bitmap;
        bitmap.LoadFromStream(stream);
    } catch (const Exception& error) {
        throw Exception(picture.path + ": " + error.Message());
    }
    return bytes;
}

void AddValue(TSkinDataWriter& data, const TSkinValue& value)
{
    switch (value.kind) {
    case TSkinRecordKind::Integer: data.AddInteger(value.name, value.integer); break;
    case TSkinRecordKind::Flag: data.AddFlag(value.name, value.flag); break;
    case TSkinRecordKind::String: data.AddString(value.name, value.text); break;
    case TSkinRecordKind::Bitmap: break;
    }
}

// Two records of one kind and name would hide the second from every lookup.
void RefuseDuplicates(const std::vector<TPictureFile>& pictures, const std::vector<TSkinValue>& values)
{
    std::set<std::pair<int, std::string>> seen;
    auto upper = [](std::string name) {
        for (char& c : name)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        return name;
    };
    for (const TPictureFile& picture : pictures)
        if (!seen.insert({0, upper(picture.name)}).second)
            throw Exception("two pictures for the record " + picture.name);
    for (const TSkinValue& value : values)
        if (!seen.insert({int(value.kind), upper(value.name)}).second)
            throw Exception("values.txt names " + value.name + " twice");
}

} // namespace

int RunBuild(const std::vector<std::string>& arguments)
{
    const Options options(arguments, {"-o", "--password"}, {});
    if (options.Positional().size() != 1)
        throw UsageError("expected DIR");
    const std::string folder = options.Positional().front();
    const std::string output = options.Required("-o");
    if (!fs::is_directory(Utf8Path(folder)))
        throw UsageError(folder + " is no folder");

    const std::vector<TPictureFile> pictures = PictureFiles(folder);
    const std::string valuesFile = PathToUtf8(Utf8Path(folder) / "values.txt");
    const std::vector<TSkinValue> values =
        fs::exists(Utf8Path(valuesFile)) ? ParseSkinValues(ReadWholeFile(valuesFile), valuesFile)
                                         : std::vector<TSkinValue>{};
    RefuseDuplicates(pictures, values);

    TSkinDataWriter data;
    for (const TPictureFile& picture : pictures)
        data.AddBitmap(picture.name, CheckedPicture(picture));
    for (const TSkinValue& value : values)
        AddValue(data, value);

    TMemoryStream archive;
    TSkinArchiveWriter writer(archive);
    writer.AddMember("SKINDATA.SK2", data.Bytes(), options.Value("--password"));
    writer.Finish();
    WriteFileAtomically(output, std::string(archive.View()));
    return 0;
}
