#pragma once

#include "toolkit/core/Exceptions.h"
#include "toolkit/resources/ResourceTable.h"

#include <map>
#include <optional>
#include <string>

// A resource that does not exist: "资源 %s 未找到".
class EResNotFound : public Exception {
public:
    explicit EResNotFound(const std::string& name) : Exception("资源 " + name + " 未找到") {}
};

// Where the bytes that a layout names by resource ({side.bmp}) come from: a folder of files
// beside the layouts, a table built into the program, or a test's own map.
class TResourceLocator {
public:
    virtual ~TResourceLocator() = default;
    // The resource's bytes, or nullopt when there is none of that name.
    virtual std::optional<std::string> Find(const std::string& name) const = 0;
    // As Find; raises EResNotFound when there is none.
    std::string Load(const std::string& name) const;
};

// Resources as files of one folder. Only plain file names are served: a name with a path
// separator, a drive colon or a leading dot is refused, so a layout cannot reach outside.
class TFolderResourceLocator : public TResourceLocator {
public:
    explicit TFolderResourceLocator(std::string folder) : folder_(std::move(folder)) {}
    std::optional<std::string> Find(const std::string& name) const override;

private:
    std::string folder_;
};

// Resources held in memory by name.
class TMemoryResourceLocator : public TResourceLocator {
public:
    void Add(const std::string& name, std::string bytes) { resources_[name] = std::move(bytes); }
    std::optional<std::string> Find(const std::string& name) const override;

private:
    std::map<std::string, std::string> resources_;
};

// Resources embedded in the program: "side.bmp" is the table's entry SIDE, as the build names
// an embedded file after its name without the extension.
class TTableResourceLocator : public TResourceLocator {
public:
    explicit TTableResourceLocator(TResourceTable table) : table_(table) {}
    std::optional<std::string> Find(const std::string& name) const override;

private:
    TResourceTable table_;
};
