#include "version_info.h"

#include "os.h"

// Without a version resource (there is none on Linux) the text keeps its
// default "1.000".
cVersionInfo::cVersionInfo() {
    if (std::optional<std::string> version = os::programFileVersion()) version_ = *version;
}

cVersionInfo& versionInfo() {
    static cVersionInfo info;
    return info;
}
