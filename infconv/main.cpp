// infconv: converts INF files between text and binary form.
#include <string>
#include <vector>

#include "cli_app.h"
#include "log.h"
#include "os.h"

int main(int argc, char** argv) {
    os::useUtf8Console();
    // File names cross into the converter as UTF-8 on every system.
    const std::vector<std::string> arguments = os::arguments(argc, argv);
    std::vector<const char*> pointers;
    pointers.reserve(arguments.size());
    for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
    createLogChannels();
    int status = runInfconv(static_cast<int>(pointers.size()), pointers.data());
    destroyLogChannels();
    return status;
}
