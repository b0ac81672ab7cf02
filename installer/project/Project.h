#pragma once

#include "toolkit/core/StringList.h"
#include "toolkit/graphics/Color.h"
#include "toolkit/streams/MemoryStream.h"

#include <cstdint>
#include <string>

// The settings of one wallpaper, as the authoring tool decided them. Texts are UTF-8 here; the
// stored text is code page 936, one field per CR LF line.
class TProject {
public:
    std::string Title;
    std::string SourceMovie;
    bool Loop = false;
    int32_t Quality = 0;
    TColor BackgroundColor = 0;
    std::string InstallerFile;
    bool Reserved = false;
    int32_t LicenseCount = 0;
    bool ShowLink = false;
    int32_t TextCount = 0;
    std::string LinkURL;
    TColor LinkColor = 0;
    TColor LayerColor = 0;
    bool LayerTransparent = false;
    std::string ProjectID;
    bool Transparent = false;

    TMemoryStream ProjectStream;
    TStringList License;
    TStringList Text;

    // Sets every field from ProjectStream, from its position to its end. Raises the list's index
    // error for a text with too few lines and the conversion error for a bad number or colour;
    // fields read before the failing line keep their new values.
    void LoadFromStream();
    // Writes the settings to ProjectStream at its position.
    void SaveToStream();
};
