// The in-memory INF tree: nodes (sections, and the root) holding ordered keys
// and child sections, keys holding ordered string or number values.
//
// Names keep their case; lookups by name ignore ASCII letter case.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "inf_value_list.h"
#include "named_list.h"

class InfAnalyzer;

// Deepest section nesting the writers and the binary reader accept (the root
// has depth 0). Real files nest a handful of levels; the bound keeps crafted
// input from costing unbounded time and memory (text indentation grows with
// the square of the depth).
constexpr std::size_t kMaxInfDepth = 4096;

// ASCII upper case ("a".."z" to "A".."Z"; other bytes unchanged).
std::string infUpperCase(std::string_view text);

class cInfKey {
public:
    explicit cInfKey(std::string name) : m_name(std::move(name)) {}
    // Copies the name from a view (the const char* one keeps literals unambiguous).
    explicit cInfKey(std::string_view name) : m_name(name) {}
    explicit cInfKey(const char* name) : m_name(name) {}

    const std::string& name() const { return m_name; }

    void addString(std::string_view text) { m_values.addText(text); }
    void addNumber(float number) { m_values.addNumber(number); }
    // Room for that many more values holding that many text bytes in all.
    void reserveValues(std::size_t values, std::size_t textBytes) { m_values.reserve(values, textBytes); }

    std::size_t valueCount() const { return m_values.size(); }
    // By value: a number, or a view of the text held by this key.
    cInfValue value(std::size_t i) const { return m_values[i]; }
    const cInfValueList& values() const { return m_values; }

private:
    std::string m_name;
    cInfValueList m_values;
};

class cInfNode {
public:
    cInfNode(std::string name, cInfNode* parent, InfAnalyzer* analyzer)
        : m_name(std::move(name)), m_parent(parent), m_analyzer(analyzer) {}
    cInfNode(std::string_view name, cInfNode* parent, InfAnalyzer* analyzer)
        : m_name(name), m_parent(parent), m_analyzer(analyzer) {}
    cInfNode(const char* name, cInfNode* parent, InfAnalyzer* analyzer)
        : m_name(name), m_parent(parent), m_analyzer(analyzer) {}
    // Tears the subtree down iteratively, so depth costs no stack.
    ~cInfNode();
    cInfNode(const cInfNode&) = delete;
    cInfNode& operator=(const cInfNode&) = delete;

    const std::string& name() const { return m_name; }
    cInfNode* parent() const { return m_parent; }
    InfAnalyzer* analyzer() const { return m_analyzer; }

    // Appends under the given lookup name (the caller upper-cases it).
    cInfNode* addSection(std::unique_ptr<cInfNode> section, std::string lookupName);
    cInfKey* addKey(std::unique_ptr<cInfKey> key, std::string lookupName);
    // The same under the upper-cased name, without the caller making it.
    cInfNode* addSection(std::unique_ptr<cInfNode> section);
    cInfKey* addKey(std::unique_ptr<cInfKey> key);
    // Convenience: creates the section (parent this node, same analyzer) or
    // key and indexes it under its upper-cased name.
    cInfNode* addSection(const std::string& name);
    cInfKey* addKey(const std::string& name);

    // Room for that many more keys or sections without regrowing the lists.
    void reserveKeys(std::size_t count) { m_keys.reserve(count); }
    void reserveSections(std::size_t count) { m_sections.reserve(count); }

    // Lookups upper-case the name; get returns the first added, or null.
    bool hasSection(std::string_view name) const;
    bool hasKey(std::string_view name) const;
    cInfNode* getSection(std::string_view name) const;
    cInfKey* getKey(std::string_view name) const;

    std::size_t sectionCount() const { return m_sections.count(); }
    std::size_t keyCount() const { return m_keys.count(); }
    cInfNode* section(std::size_t i) const { return m_sections.at(i); }
    cInfKey* key(std::size_t i) const { return m_keys.at(i); }
    const cNamedList<cInfNode>& sections() const { return m_sections; }
    const cNamedList<cInfKey>& keys() const { return m_keys; }

private:
    std::string m_name;
    cInfNode* m_parent;
    InfAnalyzer* m_analyzer;
    cNamedList<cInfNode> m_sections;
    cNamedList<cInfKey> m_keys;
};
