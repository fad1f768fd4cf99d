#include "test_script.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "document/system_document.h"
#include "system/system_file.h"
#include "widgets/text.h"

namespace mw::ui {

TestScript::TestScript(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::vector<std::string> action;
        for (std::string word; words >> word;) action.push_back(word);
        if (action.empty()) continue;
        if (action[0] == "answer" && action.size() == 2)
            answers_.push_back(action[1] == "yes");
        else
            actions_.push_back(std::move(action));
    }
}

void TestScript::notice(const std::string& text) {
    std::fprintf(stderr, "notice: %s\n", text.c_str());
}

void TestScript::error(const std::string& text) {
    std::fprintf(stderr, "error: %s\n", text.c_str());
}

bool TestScript::ask(const std::string& question) {
    const bool yes = !answers_.empty() && answers_.front();
    if (!answers_.empty()) answers_.pop_front();
    std::fprintf(stderr, "asked: %s -> %s\n", question.c_str(), yes ? "yes" : "no");
    return yes;
}

std::string TestScript::chooseFile(FileDialog) {
    return {};
}

void TestScript::run(SystemDocument& document) const {
    for (const std::vector<std::string>& a : actions_) {
        const std::optional<Tool> tool = a.size() == 4 ? toolOfCode(a[1]) : std::nullopt;
        if (a[0] == "place" && tool) {
            document.clickMap(*tool, QPoint(std::atoi(a[2].c_str()), std::atoi(a[3].c_str())));
        } else if (a[0] == "sun" && a.size() == 2) {
            document.setSunName(QString::fromStdString(a[1]));
        } else if (a[0] == "dump" && a.size() == 2) {
            const SystemDesigner& d = document.designer();
            SaveSystem(a[1], d.header().sunName, d.header().sunType, d.header().background,
                       d.header().scale, d.tables());
        } else if (a[0] == "save" && a.size() == 1) {
            document.save();
        } else if (a[0] == "quit" && a.size() == 1) {
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        } else {
            std::fprintf(stderr, "mapwright: test script: unknown action '%s'\n", a[0].c_str());
        }
    }
}

}  // namespace mw::ui
