#include "inf_tree.h"

std::string infUpperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

cInfNode::~cInfNode() {
    std::vector<std::unique_ptr<cInfNode>> pending;
    m_sections.releaseAll(pending);
    while (!pending.empty()) {
        std::unique_ptr<cInfNode> node = std::move(pending.back());
        pending.pop_back();
        node->m_sections.releaseAll(pending);
    }
}

cInfNode* cInfNode::addSection(std::unique_ptr<cInfNode> section, std::string lookupName) {
    return m_sections.add(std::move(section), lookupName);
}

cInfKey* cInfNode::addKey(std::unique_ptr<cInfKey> key, std::string lookupName) {
    return m_keys.add(std::move(key), lookupName);
}

cInfNode* cInfNode::addSection(std::unique_ptr<cInfNode> section) {
    return m_sections.add(std::move(section));
}

cInfKey* cInfNode::addKey(std::unique_ptr<cInfKey> key) { return m_keys.add(std::move(key)); }

cInfNode* cInfNode::addSection(const std::string& name) {
    return m_sections.add(std::make_unique<cInfNode>(name, this, m_analyzer));
}

cInfKey* cInfNode::addKey(const std::string& name) {
    return m_keys.add(std::make_unique<cInfKey>(name));
}

bool cInfNode::hasSection(std::string_view name) const {
    return m_sections.getIgnoringCase(name) != nullptr;
}

bool cInfNode::hasKey(std::string_view name) const { return m_keys.getIgnoringCase(name) != nullptr; }

cInfNode* cInfNode::getSection(std::string_view name) const {
    return m_sections.getIgnoringCase(name);
}

cInfKey* cInfNode::getKey(std::string_view name) const { return m_keys.getIgnoringCase(name); }
