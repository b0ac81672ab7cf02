#pragma once

#include "toolkit/core/Exceptions.h"

#include <string_view>

// A property that does not exist, cannot be written or read, or gets a value of the wrong kind.
// The texts are the toolkit's: "属性 %s 不存在", "属性 %s 是只读的", "无效的属性值".
class EPropertyError : public Exception {
    using Exception::Exception;
};
EPropertyError UnknownPropertyError(std::string_view name);
EPropertyError InvalidPropertyValue();
