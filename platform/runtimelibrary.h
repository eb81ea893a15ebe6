#pragma once
// A library opened when it is first needed instead of linked: each library the
// program links is loaded before main() on every start, and a library that only
// some runs use (an encoder, a sound or Wayland client) costs the others its
// loading for nothing.
#include <optional>

namespace kv {

class RuntimeLibrary {
public:
    // `soname` is the run-time name of the library's ABI, as its package installs it.
    explicit RuntimeLibrary(const char* soname);
    RuntimeLibrary(const RuntimeLibrary&) = delete;
    RuntimeLibrary& operator=(const RuntimeLibrary&) = delete;

    // Sets `slot` to the symbol's address (a function or data pointer of the
    // symbol's own type); a missing symbol leaves it null.
    template <typename T> void find(T& slot, const char* name) {
        slot = reinterpret_cast<T>(address(name));
        complete_ = complete_ && slot;
    }

    // Whether the library opened and had every symbol asked for. A library that
    // lacks one is of no use and is let go again; a complete one stays loaded for
    // the rest of the run, as the pointers taken from it must stay valid.
    bool complete();

private:
    void* address(const char* name) const;

    void* handle_;
    bool complete_;
};

// A struct of `Functions` filled from `soname` by `findAll(RuntimeLibrary&,
// Functions&)`; nothing when the library is missing or incomplete.
template <typename Functions, typename FindAll>
std::optional<Functions> LoadRuntimeLibrary(const char* soname, FindAll findAll) {
    RuntimeLibrary so(soname);
    Functions functions;
    findAll(so, functions);
    if (!so.complete()) return std::nullopt;
    return functions;
}

// The same, loaded at the first call, whichever thread makes it, and kept for the
// rest of the run (each caller's `findAll` is a type of its own, and so is its
// copy); null when the library is missing or incomplete.
template <typename Functions, typename FindAll>
const Functions* OpenRuntimeLibrary(const char* soname, FindAll findAll) {
    static const std::optional<Functions> library = LoadRuntimeLibrary<Functions>(soname, findAll);
    return library ? &*library : nullptr;
}

} // namespace kv
