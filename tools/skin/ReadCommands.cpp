#include "platform/SystemServices.h"
#include "skin/archive/SkinArchive.h"
#include "skin/archive/SkinFileReader.h"
#include "tools/common/Options.h"
#include "tools/skin/Commands.h"
#include "tools/common/ToolFiles.h"

#include <cstdio>
#include <exception>
#include <memory>

namespace {

std::string OneSkin(const Options& options)
{
    if (options.Positional().size() != 1)
        throw UsageError("expected SKIN");
    return options.Positional().front();
}

void Write(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
}

std::string Line(const Tsk2SkinFileReader& reader, const TSkinRecordRef& record)
{
    switch (record.kind) {
    case TSkinRecordKind::Bitmap: {
        const auto& entry = reader.Bitmaps()[record.index];
        return entry.name + " bitmap " + std::to_string(entry.value->Width()) + "x" +
               std::to_string(entry.value->Height());
    }
    case TSkinRecordKind::Integer: {
        const auto& entry = reader.Integers()[record.index];
        return entry.name + " integer " + std::to_string(entry.value);
    }
    case TSkinRecordKind::Flag: {
        const auto& entry = reader.Flags()[record.index];
        return entry.name + " flag " + std::to_string(entry.value);
    }
    case TSkinRecordKind::String: {
        const auto& entry = reader.Strings()[record.index];
        return entry.name + " string " + entry.value;
    }
    }
    return {};
}

} // namespace

int RunList(const std::vector<std::string>& arguments)
{
    const Options options(arguments, {"--password"}, {});
    const std::string skin = OneSkin(options);
    const std::unique_ptr<SystemServices> services = CreateSystemServices();
    std::unique_ptr<Tsk2SkinFileReader> reader;
    try {
        reader = std::make_unique<Tsk2SkinFileReader>(skin, options.Value("--password"), *services);
    } catch (const std::exception& error) {
        const std::string message = "Failed to read skin file!";
        std::fprintf(stderr, "%s\n", message.c_str());
        if (message != error.what())
            std::fprintf(stderr, "(%s)\n", error.what());
        return 1;
    }
    if (!reader->Loaded()) {
        std::fprintf(stderr, "The skin refused to open: its password is missing or wrong, or its data is damaged.\n");
        return 2;
    }
    for (const TSkinRecordRef& record : reader->Records())
        Write(Line(*reader, record) + "\n");
    return 0;
}

int RunExtract(const std::vector<std::string>& arguments)
{
    const Options options(arguments, {"-o", "--password"}, {});
    const std::string skin = OneSkin(options);
    const std::string output = options.Required("-o");
    const uint8_t result = ExtractSkinEntry(skin, "SKINDATA.SK2", PartialName(output), options.Value("--password"));
    if (result == skExtracted)
        CommitPartial(output);
    return result;
}
