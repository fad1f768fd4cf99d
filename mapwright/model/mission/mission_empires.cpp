// The Empires section: the fixed non-player empires around one section per
// player empire of the map.
#include <string>

#include "mission/mission_sections.h"
#include "mission/mission_tables.h"

namespace mw::mission {

namespace {

std::string logoPath(std::string_view owner, std::string_view icon) {
    // Two backslash characters between the parts, as the game's paths read.
    std::string s = "gfx\\\\interface\\\\Ikonok\\\\";
    s += owner;
    s += "\\\\";
    s += icon;
    return s;
}

std::string logoModelPath(std::string_view owner, std::string_view model) {
    std::string s = "gfx/interface/Ikonok/";
    s += owner;
    s += '/';
    s += model;
    return s;
}

void writeLogos(MissionWriter& out, std::string_view owner, std::string_view icon,
                std::string_view model) {
    out.keyString("Logo", logoPath(owner, icon));
    out.keyString("LogoMdl", logoModelPath(owner, model));
}

void writeIndependentLogos(MissionWriter& out) {
    writeLogos(out, "Independent", "semleges_ikon.tga", "semleges.bmod");
}

void writeNone(MissionWriter& out) {
    out.open("NONE");
    out.keyString("Race", "NONE");
    out.keyString("Base", "Empire");
    writeIndependentLogos(out);
    out.key("Maxfuel", 2);  // spelled so in this one section
    out.key("Color", "128, 128, 128");
    out.keyString("Flare", "");
    out.key("IsRealEmpire", 0);
    out.key("IsRealEmpireOrIndependent", 0);
    out.key("Money", 0);
    out.emptySection("Invention states");
    out.close();
}

void writePlayer(MissionWriter& out, int number, const EmpireSetup& e) {
    const std::string n = std::to_string(number);
    out.open("Empire" + n);
    out.keyString("Base", "Empire");
    writeLogos(out, "Multiplayer" + n, "multiplayer_ikon.tga", "Multiplayer.bmod");
    out.key("MaxFuel", 2);
    out.key("Color", empireColor(number));
    out.keyString("Flare", "");
    out.key("IsRealEmpire", 1);
    out.key("IsRealEmpireOrIndependent", 1);
    out.keyString("Team", e.team.view());
    out.key("Money", e.money);
    out.keyString("Race", e.race.view());
    out.key("MaxShipGroupNr", e.maxShipGroups);
    out.key("MaxSpyGroupNr", e.maxSpyGroups);
    out.key("MaxSpecialGroupNr", e.maxSpecialGroups);
    out.key("CompletedResearchPoints", 0);
    std::string list = "Game_inf/ResearchLists/";
    list += e.race.view();
    list += e.researchList.view();
    list += ".inf";
    out.keyString("ResearchList", list);
    out.keyString("AIMode", e.aiMode.view());
    out.nameBlock(e.name.view());
    out.emptySection("Invention states");
    out.close();
}

void writeAlien(MissionWriter& out) {
    out.open("Alien");
    out.keyString("Race", "DARZOK");
    out.keyString("Base", "Empire");
    writeLogos(out, "Alien", "alien_ikon.tga", "Alien.bmod");
    out.key("MaxFuel", 2);
    out.key("Color", "228, 0, 188");
    out.keyString("Flare", "");
    out.key("CanSeeInfo", 0);
    out.key("IsRealEmpire", 0);
    out.key("IsRealEmpireOrIndependent", 1);
    // The INF scanner has no exponents ("1e+006" reads as 1 and a word), so
    // the million is written out.
    out.key("Money", 1000000);
    out.key("SeenOnEmpireInfoScreen", 0);
    out.nameBlock("Alien empire");
    out.open("Invention states");
    out.key("sh_bas21", 5);
    out.key("wmi_bas07", 5);
    out.close();
    out.close();
}

void writeRandomAttackers(MissionWriter& out) {
    out.open("rndattackers");
    out.keyString("Race", "HUMAN");
    out.keyString("Base", "Empire");
    writeIndependentLogos(out);
    out.key("MaxFuel", 2);
    out.key("Color", "220, 210, 210");
    out.keyString("Flare", "");
    out.key("IsRealEmpire", 1);
    out.key("IsRealEmpireOrIndependent", 1);
    out.key("IsRandomEmpire", 1);
    out.key("Money", 200000);
    out.key("SeenOnEmpireInfoScreen", 0);
    out.nameBlock("#iNEW_EMPIRE18#");
    out.open("AISettings");
    out.key("ResearchPoints", 0);
    out.keyString("ResearchList", "Game_inf/ResearchLists/HumanOccupancy.inf");
    out.open("WaitTimeBeforeFirstAttack");
    out.key("Easy", 100);
    out.key("Medium", 50);
    out.key("Difficult", 5);
    out.close();
    out.close();
    out.emptySection("Invention states");
    out.close();
}

void writeIndependent(MissionWriter& out) {
    out.open("INDEPENDENT");
    out.keyString("Race", "HUMAN");
    out.keyString("Base", "Empire");
    writeIndependentLogos(out);
    out.key("MaxFuel", 2);
    out.key("Color", "93, 161, 197");
    out.keyString("Flare", "");
    out.key("IsRealEmpire", 0);
    out.key("IsRealEmpireOrIndependent", 1);
    out.key("Money", 50000);
    out.key("Neutral", "\"Empire1\", \"Empire2\", \"RndAttackers\"");
    out.key("SeenOnEmpireInfoScreen", 0);
    out.nameBlock("#iNEW_EMPIRE20#");
    out.emptySection("Invention states");
    out.close();
}

}  // namespace

void writeEmpires(MissionWriter& out, const MapProjectRecord& map) {
    out.open("Empires");
    writeNone(out);
    if (playableEmpireCount(map))
        for (int k = 1; k <= map.empireCount; ++k) writePlayer(out, k, map.empires[k - 1]);
    writeAlien(out);
    writeRandomAttackers(out);
    writeIndependent(out);
    out.close();
}

}  // namespace mw::mission
