#include "platform/gnomesettings.h"

#include "platform/runtimelibrary.h"

namespace kv {

namespace {

// The few GSettings calls used, from libgio opened at run time (see
// platform/runtimelibrary.h): GNOME's settings only matter on GNOME, and the
// library costs every other start its loading. GLib's objects stay opaque here.
struct GSettingsCalls {
    void* (*defaultSource)() = nullptr;
    void* (*lookup)(void* source, const char* schemaId, int recursive) = nullptr;
    int (*hasKey)(void* schema, const char* key) = nullptr;
    void (*unrefSchema)(void* schema) = nullptr;
    void* (*create)(void* schema, void* backend, const char* path) = nullptr;
    int (*getBoolean)(void* settings, const char* key) = nullptr;
    void (*unref)(void* object) = nullptr;
};

const GSettingsCalls* openGSettings() {
    return OpenRuntimeLibrary<GSettingsCalls>(
        "libgio-2.0.so.0", [](RuntimeLibrary& so, GSettingsCalls& g) {
            so.find(g.defaultSource, "g_settings_schema_source_get_default");
            so.find(g.lookup, "g_settings_schema_source_lookup");
            so.find(g.hasKey, "g_settings_schema_has_key");
            so.find(g.unrefSchema, "g_settings_schema_unref");
            so.find(g.create, "g_settings_new_full");
            so.find(g.getBoolean, "g_settings_get_boolean");
            so.find(g.unref, "g_object_unref");
        });
}

} // namespace

bool gnomeAnimatesWindows() {
    static const char* const kSchema = "org.gnome.desktop.interface";
    static const char* const kKey = "enable-animations";
    const GSettingsCalls* g = openGSettings();
    void* source = g ? g->defaultSource() : nullptr;
    // Without GNOME's schemas installed the setting cannot be asked for: asking a
    // GSettings of a schema that does not exist would end the program.
    void* schema = source ? g->lookup(source, kSchema, 1) : nullptr;
    if (!schema) return true;
    bool animates = true;
    if (g->hasKey(schema, kKey)) {
        void* settings = g->create(schema, nullptr, nullptr);
        animates = g->getBoolean(settings, kKey) != 0;
        g->unref(settings);
    }
    g->unrefSchema(schema);
    return animates;
}

} // namespace kv
