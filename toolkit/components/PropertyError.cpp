#include "toolkit/components/PropertyError.h"

#include <string>

EPropertyError UnknownPropertyError(std::string_view name)
{
    return EPropertyError("属性 " + std::string(name) + " 不存在");
}

EPropertyError InvalidPropertyValue() { return EPropertyError("无效的属性值"); }
