#include "inf_tree.h"

std::string infUpperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

cInfNode::cInfNode(std::string_view name, cInfNode* parent, InfAnalyzer* analyzer)
    : m_name(m_arena.getOrMake().intern(name)),
      m_parent(parent),
      m_analyzer(analyzer),
      m_sections(m_arena.get()),
      m_keys(m_arena.get()) {}

cInfNode* cInfNode::addSection(std::unique_ptr<cInfNode> section, std::string_view lookupName) {
    return m_sections.add(std::move(section), lookupName);
}

cInfKey* cInfNode::addKey(std::unique_ptr<cInfKey> key, std::string_view lookupName) {
    return m_keys.add(std::move(key), lookupName);
}

cInfNode* cInfNode::addSection(std::unique_ptr<cInfNode> section) {
    return m_sections.add(std::move(section));
}

cInfKey* cInfNode::addKey(std::unique_ptr<cInfKey> key) {
    return m_keys.add(std::move(key));
}

bool cInfNode::hasSection(std::string_view name) const {
    return m_sections.getIgnoringCase(name) != nullptr;
}

bool cInfNode::hasKey(std::string_view name) const {
    return m_keys.getIgnoringCase(name) != nullptr;
}

cInfNode* cInfNode::getSection(std::string_view name) const {
    return m_sections.getIgnoringCase(name);
}

cInfKey* cInfNode::getKey(std::string_view name) const {
    return m_keys.getIgnoringCase(name);
}
