#pragma once
// ISA-L opened when the first PNG is written instead of linked (see
// platform/runtimelibrary.h): its compressor and checksums.
#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>

namespace kv {

#define KV_ISAL_FUNCTIONS(X)                                                                       \
    X(isal_deflate_init)                                                                           \
    X(isal_deflate)                                                                                \
    X(isal_adler32)                                                                                \
    X(crc32_gzip_refl)

// The functions in use, each under its own name.
struct IsalLibrary {
#define KV_ISAL_MEMBER(name) decltype(&::name) name = nullptr;
    KV_ISAL_FUNCTIONS(KV_ISAL_MEMBER)
#undef KV_ISAL_MEMBER
};

// The library, opened at the first call and kept for the rest of the run; nothing
// when ISA-L is not installed or lacks one of the functions.
const IsalLibrary* OpenIsalLibrary();

} // namespace kv
