// The Solar systems section: one section per system of the map, built from
// its design file, and the fixed hyperspace system.
#include <string>
#include <vector>

#include "mission/mission_sections.h"
#include "system/object_kinds.h"

namespace mw::mission {

namespace {

/// One entry per jump node of the map, in the order found. Unbounded, so no
/// route of a large map is lost.
struct NodeEntry {
    std::string system;  // the sun record's name of the node's file
    std::string nodeId;
};

std::string position(const SdfRecord& r, std::string_view separator) {
    std::string s = std::to_string(r.x);
    s += separator;
    s += std::to_string(r.y);
    s += separator;
    s += std::to_string(r.z);
    return s;
}

using K = ObjectKind;
using M = Meaning;

std::string routeName(const std::vector<NodeEntry>& nodes, const std::string& system,
                      std::string_view leadsTo) {
    // The first entry of another system wins when several share a node id.
    for (const NodeEntry& e : nodes)
        if (e.nodeId == leadsTo && e.system != system) return system + " >> " + e.system;
    return "0";
}

void writeMicroAsteroids(MissionWriter& out, const SdfRecord& r, MissionRandom& random) {
    out.open("microasteroids" + std::to_string(random.upTo(998)));
    // The design file keeps 20 characters of the model name; this one is the
    // cut form of a longer model's name.
    const std::string_view model = textField<K::MicroAsteroid, M::Type>(r);
    out.keyString("Base", model == "MicroAsteroids_kozep" ? "MicroAsteroids_kozepes" : model);
    out.keyString("Owner", "NONE");
    out.key("Pos", position(r, ", "));
    out.key("Rot", "-1, 0, 0, 38");
    out.key("Scale", "1, 1, 1");
    out.zeroNameBlock();
    out.close();
}

void writeAutoRotation(MissionWriter& out, std::string_view speed, std::string_view axis) {
    out.open("AutoRotation");
    out.key("RotateSpeed", speed);
    out.key("RotateAxis", axis);
    out.close();
}

void writeAsteroid(MissionWriter& out, const SdfRecord& r, MissionRandom& random) {
    out.open("mineableasteroid" + std::to_string(random.upTo(9998)));
    out.keyString("Base", textField<K::Asteroid, M::Type>(r));
    out.key("Capacity", numberField<K::Asteroid, M::Capacity>(r));
    out.keyString("Owner", "NONE");
    out.key("Pos", position(r, ","));
    out.key("Rot", "0, 0, 0, 0");
    out.key("Scale", "0.2, 0.16, 0.15");
    out.zeroNameBlock();
    writeAutoRotation(out, "3", "0, 0.6, -1");
    out.close();
}

void writePlanet(MissionWriter& out, const SdfRecord& r, const std::string& system) {
    const std::string_view name = textField<K::Planet, M::Name>(r);
    const std::string_view orbitsAround = textField<K::Planet, M::OrbitsAround>(r);
    const bool circlesSun = orbitsAround == system;
    out.open(name);
    out.keyString("Base", circlesSun ? "Planet" : "PlanetMoon");
    out.keyString("Type", textField<K::Planet, M::Type>(r));
    out.keyString("PlanetModelInfoName", textField<K::Planet, M::Model>(r));
    out.keyString("Owner", textField<K::Planet, M::Owner>(r));
    out.keyString("Race", textField<K::Planet, M::Race>(r));
    out.key("Pos", position(r, ","));
    out.key("Diameter", numberField<K::Planet, M::Diameter>(r));
    out.key("Population", numberField<K::Planet, M::Population>(r));
    out.keyString("OrbitsAround", orbitsAround);
    out.key("Rot", "0, 0, 0, 0");
    out.key("Scale", circlesSun ? "9.5, 9.5, 9.5" : "4.5, 4.5, 4.5");
    out.nameBlock(name);
    writeAutoRotation(out, "1", "0, 0, 1");
    out.close();
}

void writeNebula(MissionWriter& out, const SdfRecord& r, MissionRandom& random) {
    out.open("nebulae" + std::to_string(random.upTo(9998)));
    out.keyString("Base", textField<K::Nebula, M::Type>(r));
    out.keyString("Owner", "NONE");
    out.key("Pos", position(r, ","));
    out.key("Rot", "0, 0, 0, 0");
    out.key("Scale", "1, 1, 1");
    out.zeroNameBlock();
    out.close();
}

void writeWreck(MissionWriter& out, const SdfRecord& r, MissionRandom& random) {
    out.open("wreck" + std::to_string(random.upTo(9998)));
    out.keyString("Base", textField<K::Wreck, M::Type>(r));
    out.keyString("Owner", "NONE");
    out.key("Money", numberField<K::Wreck, M::Value>(r));
    out.key("Pos", position(r, ","));
    out.key("Rot", "-0.9, -0.3, 0.2, 44");
    out.key("Scale", "1, 1, 1");
    out.zeroNameBlock();
    writeAutoRotation(out, "3", "1, 0, 1");
    out.close();
}

void writeJumpNode(MissionWriter& out, const SdfRecord& r, const std::string& system,
                   const std::vector<NodeEntry>& nodes) {
    const std::string_view leadsTo = textField<K::JumpNode, M::LeadsTo>(r);
    out.open(textField<K::JumpNode, M::NodeId>(r));
    out.keyString("Base", "JumpNode");
    out.keyString("Owner", "NONE");
    out.keyString("OtherNode", leadsTo);
    out.keyString("TravelTime", "Normal");
    out.key("Pos", position(r, ","));
    out.key("Rot", "0, 0, 0, 0");
    out.key("Scale", "1, 1, 1");
    out.key("AlreadyUsed", 1);
    out.nameBlock(routeName(nodes, system, leadsTo));
    out.close();
}

void writeShip(MissionWriter& out, const SdfRecord& r, MissionRandom& random) {
    out.open("ship" + std::to_string(random.upTo(9998)));
    out.keyString("Base", textField<K::Ship, M::Type>(r));
    out.key("CanRefill", 1);
    out.keyString("Owner", textField<K::Ship, M::Owner>(r));
    out.key("Pos", position(r, ","));
    out.keyString("Formation", "WEDGE3D");
    out.key("NeededNumberOfShips", numberField<K::Ship, M::NumberOfShips>(r));
    out.key("DisableAIControl", 0);
    out.key("Hidden", 0);
    out.key("PathFinding", 1);
    out.key("TestUnit", 0);
    out.key("Rot", "0, 0, 0, 0");
    out.key("Scale", "1, 1, 1");
    if (numberField<K::Ship, M::Deployed>(r) != 0) out.key("Deployed", 1);
    out.key("Rank", numberField<K::Ship, M::Rank>(r));
    out.zeroNameBlock();
    out.close();
}

void writeSystem(MissionWriter& out, const MapSystem& file, const std::vector<NodeEntry>& nodes,
                 MissionRandom& random) {
    const std::string& s = file.systemName;
    out.open(s + " system");
    out.keyString("Base", "SolarSystem");
    out.key("Ambient", "40, 80, 105");
    out.keyString("Sun", s);
    out.nameBlock(s + " system");
    out.open("PointLight");
    out.key("Diffuse", "255, 180, 100");
    out.key("Specular", "250, 220, 215");
    out.key("Position", "33801, 3575, 10000");
    out.close();

    out.open("Entities");
    out.open("background");
    out.keyString("Base", sunText<M::Background>(file.sun));
    out.keyString("Owner", "NONE");
    out.keyString("Race", "NONE");
    out.key("Pos", "35782, 23839, 35687");
    out.key("Rot", "0, 0, 0, 0");
    out.key("Scale", "100, 100, 100");
    out.close();

    const std::string_view sunName = sunText<M::SunName>(file.sun);
    out.open(sunName);
    out.keyString("Base", sunText<M::SunType>(file.sun));
    out.keyString("Owner", "NONE");
    const std::string_view scale = sunText<M::Scale>(file.sun);
    std::string scales;
    scales.reserve(scale.size() * 3 + 2);
    scales.append(scale).append(",").append(scale).append(",").append(scale);
    out.key("Scale", scales);
    out.key("Pos", "0, 0, 0");
    out.key("Rot", "0, 0, 0, 0");
    out.nameBlock(sunName);
    writeAutoRotation(out, "0", "0, 0, 0");
    out.close();

    for (const SdfRecord& r : file.objects) {
        const auto kind = kindOfTag(r.tag.view());
        if (!kind) continue;  // any other tag is passed over
        switch (*kind) {
            case K::MicroAsteroid:
                writeMicroAsteroids(out, r, random);
                break;
            case K::Asteroid:
                writeAsteroid(out, r, random);
                break;
            case K::Planet:
                writePlanet(out, r, s);
                break;
            case K::Nebula:
                writeNebula(out, r, random);
                break;
            case K::Wreck:
                writeWreck(out, r, random);
                break;
            case K::JumpNode:
                writeJumpNode(out, r, s, nodes);
                break;
            case K::Ship:
                writeShip(out, r, random);
                break;
        }
    }
    out.close();  // Entities
    out.close();  // system
}

void writeHyperSpace(MissionWriter& out) {
    out.open("HyperSpace");
    out.keyString("Base", "SolarSystem");
    out.key("Real", 0);
    out.nameBlock("HyperSpace");
    out.open("Entities");
    out.open("background");
    out.keyString("Base", "HyperSpaceBack");
    out.keyString("Owner", "NONE");
    out.keyString("Race", "NONE");
    out.key("Pos", "-19754, -10469, 6341");
    out.key("Rot", "0, 0, 0, 0");
    out.key("Scale", "1, 1, 1");
    out.close();
    out.close();
    out.close();
}

}  // namespace

void writeSolarSystems(MissionWriter& out, const std::vector<MapSystem>& systems,
                       MissionRandom& random) {
    std::vector<NodeEntry> nodes;
    for (const MapSystem& f : systems)
        for (const SdfRecord& r : f.objects)
            if (kindOfTag(r.tag.view()) == K::JumpNode)
                nodes.push_back({std::string(sunText<M::SunName>(f.sun)),
                                 std::string(textField<K::JumpNode, M::NodeId>(r))});

    out.open("Solar systems");
    for (std::size_t i = 0; i < systems.size(); ++i) out.line("Version=2");
    for (const MapSystem& f : systems) writeSystem(out, f, nodes, random);
    writeHyperSpace(out);
    out.close();
}

}  // namespace mw::mission
