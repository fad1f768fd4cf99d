// infconv: converts INF files between text and binary form.
#include "cli_app.h"
#include "log.h"

int main(int argc, char** argv) {
    createLogChannels();
    int status = runInfconv(argc, argv);
    destroyLogChannels();
    return status;
}
