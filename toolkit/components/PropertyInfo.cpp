#include "toolkit/components/PropertyInfo.h"

#include "toolkit/components/Component.h"

int TPropertyInfo::Ordinal(std::string_view name) const
{
    for (size_t i = 0; i < Names.size(); ++i)
        if (TComponent::SameName(Names[i], name))
            return static_cast<int>(i);
    return -1;
}
