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
    return m_sections.add(std::move(section), std::move(lookupName));
}

cInfKey* cInfNode::addKey(std::unique_ptr<cInfKey> key, std::string lookupName) {
    return m_keys.add(std::move(key), std::move(lookupName));
}

cInfNode* cInfNode::addSection(const std::string& name) {
    return addSection(std::make_unique<cInfNode>(name, this, m_analyzer), infUpperCase(name));
}

cInfKey* cInfNode::addKey(const std::string& name) {
    return addKey(std::make_unique<cInfKey>(name), infUpperCase(name));
}

bool cInfNode::hasSection(std::string_view name) const {
    return m_sections.contains(infUpperCase(name));
}

bool cInfNode::hasKey(std::string_view name) const { return m_keys.contains(infUpperCase(name)); }

cInfNode* cInfNode::getSection(std::string_view name) const {
    return m_sections.get(infUpperCase(name));
}

cInfKey* cInfNode::getKey(std::string_view name) const { return m_keys.get(infUpperCase(name)); }
