#include "installer/wizard/MerrowinForm.h"

#include "skin/controls/Form.h"
#include "skin/controls/SimpleControlClasses.h"
#include "toolkit/components/ClassInfo.h"
#include "toolkit/layout/ResourceLocator.h"
#include "toolkit/layout/StandardClasses.h"
#include "toolkit/streams/MemoryStream.h"

// The build embeds resources/wizard/ and the built-in skin archive as this table.
extern const TResourceEntry kWizardResources[];
extern const size_t kWizardResourcesCount;

namespace {

const TResourceTable& Table()
{
    static const TResourceTable table(kWizardResources, kWizardResourcesCount);
    return table;
}

} // namespace

std::string_view WizardLayout()
{
    const std::optional<std::string_view> layout = Table().Find("WIZARD");
    if (!layout)
        throw EResNotFound("WIZARD");
    return *layout;
}

const TResourceLocator& WizardResources()
{
    static const TTableResourceLocator locator(Table());
    return locator;
}

void RegisterWizardClasses()
{
    RegisterStandardClasses();
    RegisterFormClasses();
    RegisterSimpleControlClasses();
}

void LoadWizardIcon(TPicture& icon)
{
    const std::string bytes = WizardResources().Load("icon.bmp");
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream.SetPosition(0);
    icon.LoadFromStream(stream);
}
