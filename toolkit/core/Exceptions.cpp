#include "toolkit/core/Exceptions.h"

EReadError::EReadError() : EStreamError("流读取错误") {}

EWriteError::EWriteError() : EStreamError("流写入错误") {}

EFCreateError::EFCreateError(const std::string& fileName) : EStreamError("无法创建文件 " + fileName) {}

EFOpenError::EFOpenError(const std::string& fileName) : EStreamError("无法打开文件 " + fileName) {}

EListError::EListError(int64_t index) : Exception("索引列表超出范围 (" + std::to_string(index) + ")") {}

EConvertError::EConvertError(const std::string& text) : Exception("'" + text + "' 不是有效整数值") {}

EZDecompressionError::EZDecompressionError() : Exception("error") {}

ERegistryException::ERegistryException(const std::string& valueName)
    : Exception("无效的数据类型 '" + valueName + "'") {}
