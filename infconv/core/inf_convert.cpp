#include "inf_convert.h"

#include "inf_analyzer.h"

void convertInfFile(const std::string& path, bool toBinary) {
    if (toBinary) {
        InfAnalyzer(path).writeBinaryInf(path, true);
        return;
    }
    // A binary file goes to text without building the tree.
    InfAnalyzer analyzer;
    std::string text;
    if (analyzer.loadAsText(path, text)) {
        InfAnalyzer::writeText(path, text, true);
    } else {
        analyzer.writeTextInf(path, true);
    }
}
