// The test executable's hooks, from its environment:
//   MAPWRIGHT_TEST_SCRIPT  a script that answers for the user and acts (see TestScript)
//   MAPWRIGHT_AUTOSAVE_MS  the autosave interval in milliseconds
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

#include "app/editor_hooks.h"
#include "common/errors.h"
#include "common/file_bytes.h"
#include "test_script.h"

namespace mw::ui {

namespace {

std::unique_ptr<TestScript> scriptOfProcess() {
    const char* path = std::getenv("MAPWRIGHT_TEST_SCRIPT");
    if (!path || !*path) return nullptr;
    std::optional<std::string> text;
    try {
        text = ReadFileBytes(path);
    } catch (const UserError& e) {
        std::fprintf(stderr, "mapwright: %s\n", e.what());
        std::exit(2);
    }
    if (!text) {
        std::fprintf(stderr, "mapwright: test script %s is missing\n", path);
        std::exit(2);
    }
    return std::make_unique<TestScript>(*text);
}

}  // namespace

EditorHooks editorHooks() {
    EditorHooks hooks;
    if (std::unique_ptr<TestScript> script = scriptOfProcess()) {
        TestScript* actions = script.get();
        hooks.onStart = [actions](SystemDocument& document) { actions->run(document); };
        hooks.prompts = std::move(script);
    }
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("MAPWRIGHT_AUTOSAVE_MS", &ok);
    if (ok && ms > 0) hooks.autosave = std::chrono::milliseconds(ms);
    return hooks;
}

}  // namespace mw::ui
