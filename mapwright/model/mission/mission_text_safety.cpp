#include "mission/mission_text_safety.h"

#include "mission/mission_sections.h"
#include "system/object_kinds.h"

namespace mw {

namespace {

bool isControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

std::string controlReason(unsigned char c) {
    if (c == '\n' || c == '\r') return "holds a line break";
    if (c == '\t') return "holds a tab";
    return "holds the control character " + printableBytes(std::string(1, static_cast<char>(c)));
}

// The scanner passes over these bytes between tokens.
bool skippedBetweenTokens(unsigned char c) {
    return c <= 0x20 || c >= 0x80;
}

// A bare value is written three times as "v,v,v": it must scan as exactly one
// value, a number or a word, and end where the comma stands.
std::optional<std::string> bareValueReason(std::string_view text) {
    for (const char ch : text)
        if (std::string_view(",[={};#").find(ch) != std::string_view::npos)
            return std::string("holds '") + ch + "'";
    std::size_t i = 0;
    while (i < text.size() && skippedBetweenTokens(static_cast<unsigned char>(text[i]))) ++i;
    if (i == text.size()) return "is empty";
    const char first = text[i];
    const bool number = (first >= '0' && first <= '9') || first == '.' || first == '-';
    if (!number) return std::nullopt;  // a word runs to the comma
    for (++i; i < text.size() && ((text[i] >= '0' && text[i] <= '9') || text[i] == '.');) ++i;
    for (; i < text.size(); ++i)
        if (!skippedBetweenTokens(static_cast<unsigned char>(text[i])))
            return "is a number followed by other text";
    return std::nullopt;
}

void visitEmpire(const MapProjectRecord& map, int number, const MissionTextVisitor& visit) {
    const EmpireSetup& e = map.empires[static_cast<std::size_t>(number - 1)];
    const std::string empire = "Empire" + std::to_string(number) + " ";
    visit({"", std::nullopt, empire + "name", e.name.view()});
    visit({"", std::nullopt, empire + "AI mode", e.aiMode.view()});
    visit({"", std::nullopt, empire + "race", e.race.view()});
    visit({"", std::nullopt, empire + "team", e.team.view()});
    visit({"", std::nullopt, empire + "research list", e.researchList.view()});
}

/// A text the generator writes, and how.
struct CarriedText {
    Meaning meaning;
    unsigned uses = kAsString;
};
struct CarriedObjectText {
    ObjectKind kind;
    CarriedText text;
};

/// The texts the generator writes of each kind, in the order it writes them;
/// their names and slots come from the kind's field map.
constexpr CarriedObjectText kCarriedTexts[] = {
    {ObjectKind::Planet, {Meaning::Name, kAsString | kAsSectionName}},
    {ObjectKind::Planet, {Meaning::Type}},
    {ObjectKind::Planet, {Meaning::Model}},
    {ObjectKind::Planet, {Meaning::Owner}},
    {ObjectKind::Planet, {Meaning::Race}},
    {ObjectKind::Planet, {Meaning::OrbitsAround}},
    {ObjectKind::MicroAsteroid, {Meaning::Type}},
    {ObjectKind::Asteroid, {Meaning::Type}},
    {ObjectKind::Wreck, {Meaning::Type}},
    {ObjectKind::Nebula, {Meaning::Type}},
    {ObjectKind::JumpNode, {Meaning::NodeId, kAsSectionName}},
    {ObjectKind::JumpNode, {Meaning::LeadsTo}},
    {ObjectKind::Ship, {Meaning::Type}},
    {ObjectKind::Ship, {Meaning::Owner}},
};

/// How the generator writes the header's texts.
constexpr CarriedText kCarriedSunTexts[] = {
    {Meaning::SunName, kAsString | kAsSectionName},
    {Meaning::SunType},
    {Meaning::Background},
    {Meaning::Scale, kAsBareValue},
};

constexpr bool carriedAreTexts() {
    // Compares meanings rather than pointers, which the sanitizer build
    // cannot compare in a constant.
    for (const CarriedObjectText& c : kCarriedTexts) {
        bool text = false;
        for (const FieldInfo& f : kindInfo(c.kind).fields)
            if (f.meaning == c.text.meaning) text = f.type == FieldType::Text;
        if (!text) return false;
    }
    return true;
}
static_assert(carriedAreTexts(), "every text the generator writes is a text of its kind");

void visitObject(const std::string& system, ObjectRef at, const SdfRecord& r,
                 const MissionTextVisitor& visit) {
    for (const CarriedObjectText& c : kCarriedTexts)
        if (c.kind == at.kind) {
            const FieldInfo* f = findField(c.kind, c.text.meaning);
            visit({system, at, std::string(f->name()), slotText(r, f->slot), c.text.uses});
        }
}

}  // namespace

std::optional<std::string> UnsafeTextReason(std::string_view text, unsigned uses) {
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (isControl(c)) return controlReason(c);
        if (c == '"' && (uses & (kAsString | kAsBareValue))) return "holds a double quote";
        if (c == ']' && (uses & kAsSectionName)) return "holds ']', which ends a section name";
    }
    if (uses & kAsBareValue) return bareValueReason(text);
    return std::nullopt;
}

void ForEachMapText(const MapProjectRecord& map, const MissionTextVisitor& visit) {
    visit({"", std::nullopt, "map name", map.mapName.view()});
    visit({"", std::nullopt, "description", map.description.view()});
    if (mission::playableEmpireCount(map))
        for (int k = 1; k <= mission::declaredEmpires(map); ++k) visitEmpire(map, k, visit);
}

void ForEachSystemText(const MapSystem& system, const MissionTextVisitor& visit) {
    const std::string& s = system.systemName;
    visit({s, std::nullopt, "system name", s, kAsString | kAsSectionName});
    for (const CarriedText& c : kCarriedSunTexts)
        for (const FieldInfo& f : kSunFields)
            if (f.meaning == c.meaning)
                visit(
                    {s, std::nullopt, std::string(f.name()), slotText(system.sun, f.slot), c.uses});
    int counts[kObjectKindCount] = {};
    for (const SdfRecord& r : system.objects) {
        const auto kind = kindOfTag(r.tag.view());
        if (!kind) continue;  // the generator passes it over
        visitObject(s, {*kind, ++counts[static_cast<int>(*kind)]}, r, visit);
    }
}

std::string UnsafeText::describe() const {
    return field + " \"" + printableBytes(text) + "\" " + reason +
           "; the mission source cannot carry it";
}

std::optional<UnsafeText> FindUnsafe(const MissionText& t) {
    std::optional<std::string> reason = UnsafeTextReason(t.text, t.uses);
    if (!reason) return std::nullopt;
    return UnsafeText{t.system, t.object, t.field, std::string(t.text), std::move(*reason)};
}

namespace {
// "system Alpha, planet 2: ", "system Alpha: ", or nothing for the map's own texts.
std::string where(const UnsafeText& u) {
    std::string s;
    if (!u.system.empty()) s += "system " + printableBytes(u.system);
    if (u.object) s += (s.empty() ? "" : ", ") + objectLabel(*u.object);
    return s.empty() ? s : s + ": ";
}
}  // namespace

UnsafeTextError::UnsafeTextError(const UnsafeText& first)
    : UserError(where(first) + first.describe() + ", so nothing was written") {}

void RequireSafeMissionText(const MapProjectRecord& map, const std::vector<MapSystem>& systems) {
    const auto refuse = [](const MissionText& t) {
        if (auto unsafe = FindUnsafe(t)) throw UnsafeTextError(*unsafe);
    };
    ForEachMapText(map, refuse);
    for (const MapSystem& s : systems) ForEachSystemText(s, refuse);
}

}  // namespace mw
