#pragma once
// giflib opened when the first GIF is written instead of linked (see
// platform/runtimelibrary.h).
#include <gif_lib.h>

namespace kv {

#define KV_GIF_FUNCTIONS(X)                                                                        \
    X(EGifOpen)                                                                                    \
    X(EGifPutScreenDesc)                                                                           \
    X(EGifPutImageDesc)                                                                            \
    X(EGifPutLine)                                                                                 \
    X(EGifCloseFile)                                                                               \
    X(GifMakeMapObject)                                                                            \
    X(GifFreeMapObject)                                                                            \
    X(GifErrorString)

// The functions in use, each under its own name.
struct GifLibrary {
#define KV_GIF_MEMBER(name) decltype(&::name) name = nullptr;
    KV_GIF_FUNCTIONS(KV_GIF_MEMBER)
#undef KV_GIF_MEMBER
};

// The library, opened at the first call and kept for the rest of the run; nothing
// when giflib is not installed or lacks one of the functions.
const GifLibrary* OpenGifLibrary();

} // namespace kv
