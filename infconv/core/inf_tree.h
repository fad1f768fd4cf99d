// The in-memory INF tree: nodes (sections, and the root) holding ordered keys
// and child sections, keys holding ordered string or number values.
//
// Names keep their case; lookups by name ignore ASCII letter case.
//
// A node made on its own (the root) owns an arena (inf_arena.h); the sections
// and keys added to it by name are made in that arena, with their values and
// names, and go with it. Destroying the root destroys the whole tree at once,
// as destroying every node depth first would. Nodes and keys made on their
// own and handed over by unique_ptr are owned by the tree just the same.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "inf_arena.h"
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
    // On its own: the name and values are kept in an arena of the key's own.
    explicit cInfKey(std::string_view name) : m_name(m_values.arena().intern(name)) {}
    explicit cInfKey(const char* name) : cInfKey(std::string_view(name)) {}
    // In a tree: `name` is interned in `arena`, where the values go too.
    cInfKey(const cInfString* name, cInfArena* arena) : m_values(arena), m_name(name) {}

    std::string_view name() const { return m_name->view(); }
    const cInfString* internedName() const { return m_name; }

    void addString(std::string_view text) { m_values.addText(text); }
    // `text` must be interned in the key's arena.
    void addString(const cInfString* text) { m_values.addText(text); }
    void addNumber(float number) { m_values.addNumber(number); }
    // Room for that many more values.
    void reserveValues(std::size_t values, std::size_t textBytes = 0) {
        m_values.reserve(values, textBytes);
    }

    std::size_t valueCount() const { return m_values.size(); }
    // By value: a number, or a view of the text held by the tree.
    cInfValue value(std::size_t i) const { return m_values[i]; }
    const cInfValueList& values() const { return m_values; }

  private:
    // Declared first: a key on its own interns its name in the list's arena.
    cInfValueList m_values;
    const cInfString* m_name;
};

class cInfNode {
  public:
    // A root, or a section made on its own: it owns an arena for what is added to it.
    cInfNode(std::string_view name, cInfNode* parent, InfAnalyzer* analyzer);
    cInfNode(const char* name, cInfNode* parent, InfAnalyzer* analyzer)
        : cInfNode(std::string_view(name), parent, analyzer) {}
    // A section made in `arena` (by addSection), its name interned there.
    cInfNode(const cInfString* name, cInfNode* parent, InfAnalyzer* analyzer, cInfArena* arena)
        : m_arena(arena),
          m_name(name),
          m_parent(parent),
          m_analyzer(analyzer),
          m_sections(arena),
          m_keys(arena) {}
    cInfNode(const cInfNode&) = delete;
    cInfNode& operator=(const cInfNode&) = delete;

    std::string_view name() const { return m_name->view(); }
    const cInfString* internedName() const { return m_name; }
    cInfNode* parent() const { return m_parent; }
    InfAnalyzer* analyzer() const { return m_analyzer; }
    // Where this node's sections, keys, values and names are kept.
    cInfArena& arena() const { return *m_arena.get(); }

    // Appends under the given lookup name (the caller upper-cases it).
    cInfNode* addSection(std::unique_ptr<cInfNode> section, std::string_view lookupName);
    cInfKey* addKey(std::unique_ptr<cInfKey> key, std::string_view lookupName);
    // The same under the upper-cased name, without the caller making it.
    cInfNode* addSection(std::unique_ptr<cInfNode> section);
    cInfKey* addKey(std::unique_ptr<cInfKey> key);
    // Creates the section (parent this node, same analyzer) or key in the
    // tree and indexes it under its upper-cased name.
    cInfNode* addSection(std::string_view name) { return addSection(arena().intern(name)); }
    cInfKey* addKey(std::string_view name) { return addKey(arena().intern(name)); }
    cInfNode* addSection(const char* name) { return addSection(std::string_view(name)); }
    cInfKey* addKey(const char* name) { return addKey(std::string_view(name)); }
    // The same with a name interned in this node's arena.
    cInfNode* addSection(const cInfString* name) {
        cInfArena& a = arena();
        ++a.counts.sections;
        return m_sections.append(a.make<cInfNode>(name, this, m_analyzer, &a));
    }
    cInfKey* addKey(const cInfString* name) {
        cInfArena& a = arena();
        ++a.counts.keys;
        return m_keys.append(a.make<cInfKey>(name, &a));
    }

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
    // Most sections hold a handful of keys and fewer sections.
    using SectionList = cNamedList<cInfNode, 2>;
    using KeyList = cNamedList<cInfKey, 8>;
    const SectionList& sections() const { return m_sections; }
    const KeyList& keys() const { return m_keys; }

  private:
    // Owned by a node made on its own: the arena of the tree below it.
    cArenaRef m_arena;
    const cInfString* m_name;
    cInfNode* m_parent;
    InfAnalyzer* m_analyzer;
    SectionList m_sections;
    KeyList m_keys;
};
