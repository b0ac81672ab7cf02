#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// The toolkit's errors. Each carries a UTF-8 message; the toolkit's own messages are the Chinese
// texts that users of the original toolkit have always seen, so that an error box reads the same.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

class EStreamError : public Exception {
    using Exception::Exception;
};

// A read that could not deliver every byte asked for.
class EReadError : public EStreamError {
public:
    EReadError();
};

class EWriteError : public EStreamError {
public:
    EWriteError();
};

class EFCreateError : public EStreamError {
public:
    explicit EFCreateError(const std::string& fileName);
};

class EFOpenError : public EStreamError {
public:
    explicit EFOpenError(const std::string& fileName);
};

// An index outside a list.
class EListError : public Exception {
public:
    explicit EListError(int64_t index);
};

// A text that is not a valid integer.
class EConvertError : public Exception {
public:
    explicit EConvertError(const std::string& text);
};

// The inflate layer's failure on data that is not a valid zlib stream.
class EZDecompressionError : public Exception {
public:
    EZDecompressionError();
};

// A registry value of a type other than the one asked for.
class ERegistryException : public Exception {
public:
    explicit ERegistryException(const std::string& valueName);
};
