// mapwright: headless commands over the editor's model.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0) {
        std::puts("usage: mapwright COMMAND ...");
        return argc < 2 ? 1 : 0;
    }
    std::fprintf(stderr, "mapwright: unknown command '%s' (see mapwright --help)\n", argv[1]);
    return 1;
}
