#pragma once
// libtiff opened when the first LZW TIFF is written instead of linked: it and the
// seven codec libraries it pulls in (WebP, JPEG, JBIG, LERC, zstd, xz, deflate)
// would cost every start of the program their loading, for a format few saves use.
#include <tiffio.h>

namespace kv {

#define KV_TIFF_FUNCTIONS(X)                                                                       \
    X(ClientOpenExt)                                                                               \
    X(Close)                                                                                       \
    X(DefaultStripSize)                                                                            \
    X(Flush)                                                                                       \
    X(OpenOptionsAlloc)                                                                            \
    X(OpenOptionsFree)                                                                             \
    X(OpenOptionsSetErrorHandlerExtR)                                                              \
    X(OpenOptionsSetWarningHandlerExtR)                                                            \
    X(SetField)                                                                                    \
    X(WriteScanline)

// The functions in use, each under its name without the "TIFF" prefix.
struct TiffLibrary {
#define KV_TIFF_MEMBER(name) decltype(&::TIFF##name) name = nullptr;
    KV_TIFF_FUNCTIONS(KV_TIFF_MEMBER)
#undef KV_TIFF_MEMBER
};

// The library, opened at the first call and kept for the rest of the run (it is
// the same library for every caller and thread); nothing when libtiff is not
// installed or lacks one of the functions.
const TiffLibrary* OpenTiffLibrary();

} // namespace kv
