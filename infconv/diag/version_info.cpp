#include "version_info.h"

// Executables on this platform carry no version resource, so the query finds
// nothing and the text keeps its default "1.000".
cVersionInfo::cVersionInfo() = default;

cVersionInfo& versionInfo() {
    static cVersionInfo info;
    return info;
}
