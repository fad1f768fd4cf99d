// The constant planet-type and race tables of the mission source.
#include <span>
#include <string>

#include "mission/mission_sections.h"
#include "mission/mission_tables.h"

namespace mw::mission {

namespace {

enum class ModelKey {
    Modelname,
    Special,
    Ambient,
    Radius,
    Diffuse,
    Cloud,
    LightMap,
    LightLoop,
    Cloud0,
    Cloud1,
    GlowState,
    GlowColor,
    Ambient2,
    Radius2,
};

using K = ModelKey;

constexpr ModelKey kOrderA[] = {K::Modelname, K::Special, K::Ambient,   K::Radius,
                                K::Diffuse,   K::Cloud,   K::LightMap,  K::LightLoop,
                                K::Cloud0,    K::Cloud1,  K::GlowState, K::GlowColor};
constexpr ModelKey kOrderB[] = {K::Modelname, K::Special,   K::Ambient,  K::Radius,
                                K::Diffuse,   K::Cloud,     K::LightMap, K::LightLoop,
                                K::GlowState, K::GlowColor, K::Cloud0,   K::Cloud1};
constexpr ModelKey kOrderC[] = {K::Modelname, K::Special, K::Diffuse,   K::Cloud,
                                K::Ambient,   K::Radius,  K::LightMap,  K::LightLoop,
                                K::Cloud0,    K::Cloud1,  K::GlowState, K::GlowColor};
constexpr ModelKey kOrderD[] = {K::Modelname, K::Special,   K::Diffuse,  K::Cloud,
                                K::Ambient,   K::Radius,    K::LightMap, K::LightLoop,
                                K::GlowState, K::GlowColor, K::Cloud0,   K::Cloud1};
constexpr ModelKey kOrderE[] = {K::Modelname, K::Special, K::Diffuse,   K::Ambient,
                                K::Radius,    K::Cloud,   K::LightMap,  K::LightLoop,
                                K::Cloud0,    K::Cloud1,  K::GlowState, K::GlowColor};
constexpr ModelKey kOrderF[] = {K::Modelname, K::Special,  K::Ambient,   K::Radius,   K::Diffuse,
                                K::Cloud,     K::Ambient2, K::Radius2,   K::LightMap, K::LightLoop,
                                K::Cloud0,    K::Cloud1,   K::GlowState, K::GlowColor};

std::span<const ModelKey> keysOf(ModelKeyOrder order) {
    switch (order) {
        case ModelKeyOrder::A:
            return kOrderA;
        case ModelKeyOrder::B:
            return kOrderB;
        case ModelKeyOrder::C:
            return kOrderC;
        case ModelKeyOrder::D:
            return kOrderD;
        case ModelKeyOrder::E:
            return kOrderE;
        case ModelKeyOrder::F:
            return kOrderF;
    }
    return {};
}

void writeModelKey(MissionWriter& out, const PlanetModel& m, ModelKey k) {
    switch (k) {
        case K::Modelname:
            out.keyString("modelname", m.modelname);
            break;
        case K::Special:
            out.key("IsSpecialPlanetInfo", m.isSpecial);
            break;
        case K::Ambient:
            out.key("Ambientcolor", m.ambientColor);
            break;
        case K::Radius:
            out.key("Ambientradiusmultiplier", m.ambientRadius);
            break;
        case K::Ambient2:
            out.key("Ambientcolor", m.ambientColor2);
            break;
        case K::Radius2:
            out.key("Ambientradiusmultiplier", m.ambientRadius2);
            break;
        case K::Diffuse:
            out.keyString("DiffuseTexture", std::string("planets/") += m.texture);
            break;
        case K::Cloud:
            out.keyString("CloudTexture", "planetcloud.tga");
            break;
        case K::LightMap:
            out.keyString("LightMapTexture", "CityLights0.tga");
            break;
        case K::LightLoop:
            out.keyString("LightLoopTexture", "PlanetLuminosity0.tga");
            break;
        case K::Cloud0:
            out.key("Cloud0State", m.cloudState);
            break;
        case K::Cloud1:
            out.key("Cloud1State", m.cloudState);
            break;
        case K::GlowState:
            out.key("GlowState", m.glowState);
            break;
        case K::GlowColor:
            out.key("GlowColor", m.glowColor);
            break;
    }
}

void writeRaceRow(MissionWriter& out, std::string_view race, const RaceTerraform& r) {
    out.open(race);
    out.key("PopulationModifier", r.populationModifier);
    out.key("TerraformLevel", r.terraformLevel);
    if (!r.wantedTarget.empty()) out.keyString("TerraformWantedTarget", r.wantedTarget);
    out.keyString("ColonisationInventionNeeded", r.invention);
    out.close();
}

}  // namespace

void writePlanetTypes(MissionWriter& out) {
    out.open("Planet types");
    int id = 0;
    for (const PlanetType& type : planetTypes()) {
        out.open(type.name);
        out.key("ID", id++);
        out.keyString("Base", "PlanetType");
        writeRaceRow(out, "human", type.human);
        writeRaceRow(out, "kariak", type.kariak);
        writeRaceRow(out, "darzok", type.darzok);
        out.open("PlanetModelInfo");
        for (const PlanetModel& model : planetModels()) {
            if (model.type != type.name) continue;
            out.open(model.name);
            for (ModelKey k : keysOf(model.order)) writeModelKey(out, model, k);
            out.close();
        }
        out.close();
        out.nameBlock(type.token);
        out.close();
    }
    out.close();
}

void writeRaces(MissionWriter& out) {
    out.open("Races");
    for (const Race& race : races()) {
        out.open(race.section);
        out.key("ID", race.id);
        out.keyString("Base", "Race");
        out.key("IsMainRace", race.isMainRace);
        out.key("PopulationBase", race.populationBase);
        if (!race.nameValue.empty()) {
            if (race.extraLanguages) {
                // The one name block with five more languages than the usual six.
                out.open("Name");
                for (std::string_view lang :
                     {"english", "german", "dutch", "french", "italian", "spanish", "polish",
                      "extra1", "extra2", "extra3", "extra4"})
                    out.keyString(lang, race.nameValue);
                out.close();
            } else {
                out.nameBlock(race.nameValue);
            }
        }
        out.close();
    }
    out.close();
}

}  // namespace mw::mission
