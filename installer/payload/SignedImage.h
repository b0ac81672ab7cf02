#pragma once

#include <cstdint>
#include <optional>

// An Authenticode signature of a Windows executable lives in a certificate table after the
// image, named by the security data directory of its optional header. Signing an installer
// puts that table after our payload, so the container no longer ends at the end of the file.

struct TCertificateTable {
    int64_t offset = 0;   // a file offset, unlike the other data directories' addresses
    int64_t size = 0;
    int64_t imageEnd = 0; // where the headers and the last section's raw data end
};

// The certificate table that the security directory of the PE image `bytes` names, when that
// directory is not empty; nullopt for anything that is not a PE image with one. Every field is
// read only after its bounds are checked, so any bytes may be given.
std::optional<TCertificateTable> FindCertificateTable(const uint8_t* bytes, int64_t size);

// Where the payload container of a file of `size` bytes ends. The whole file, except in a signed
// image whose certificate table begins after the image and ends exactly at the end of the file:
// then the container ends where the table begins, less the zero bytes (up to 7) that signing
// tools insert to align the table on 8 bytes, when a trailer that adds up ends there.
int64_t ContainerEnd(const uint8_t* bytes, int64_t size);
