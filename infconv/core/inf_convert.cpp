#include "inf_convert.h"

#include "inf_analyzer.h"

void convertInfFile(const std::string& path, bool toBinary) {
    InfAnalyzer analyzer(path);
    if (toBinary) {
        analyzer.writeBinaryInf(path, true);
    } else {
        analyzer.writeTextInf(path, true);
    }
}
