#include "system/designer_step.h"

#include <algorithm>
#include <map>

#include "names/name_records.h"

namespace mw {

namespace {

// The snapshot's tables in the order of DesignerStep's deltas.
constexpr auto kTables =
    std::make_tuple(&TablesSnapshot::planets, &TablesSnapshot::microAsteroids,
                    &TablesSnapshot::asteroids, &TablesSnapshot::wrecks, &TablesSnapshot::nebulae,
                    &TablesSnapshot::jumpNodes, &TablesSnapshot::ships);

template <typename F, std::size_t... I>
void forEachTable(F&& f, std::index_sequence<I...>) {
    (f(std::integral_constant<std::size_t, I>{}), ...);
}
template <typename F>
void forEachTable(F&& f) {
    forEachTable(std::forward<F>(f), std::make_index_sequence<std::tuple_size_v<decltype(kTables)>>{});
}

template <typename Record>
std::vector<std::pair<std::size_t, Record>> differing(const std::vector<Record>& of,
                                                      const std::vector<Record>& other) {
    std::vector<std::pair<std::size_t, Record>> out;
    for (std::size_t i = 0; i < of.size(); ++i)
        if (i >= other.size() || !(of[i] == other[i])) out.emplace_back(i, of[i]);
    return out;
}

template <typename Record>
void patchTable(std::vector<Record>& table, std::size_t count,
                const std::vector<std::pair<std::size_t, Record>>& records) {
    table.resize(count);
    for (const auto& [i, record] : records) table.at(i) = record;
}

using Records = std::vector<std::string>;

Records recordsOf(const std::optional<std::string>& bytes) {
    Records out;
    if (!bytes) return out;
    for (std::size_t at = 0; at + TPoolEntry::kSize <= bytes->size(); at += TPoolEntry::kSize)
        out.push_back(bytes->substr(at, TPoolEntry::kSize));
    return out;
}

// A name list that was changed elsewhere after the step: the records the step
// added are taken out (one each) and those it removed put back at the end.
std::optional<std::string> patchRecords(const std::optional<std::string>& current,
                                        const std::optional<std::string>& from,
                                        const std::optional<std::string>& to) {
    if (!current) return to;
    std::map<std::string, int> balance;  // > 0: the step added it
    for (const std::string& r : recordsOf(from)) ++balance[r];
    for (const std::string& r : recordsOf(to)) --balance[r];
    std::string out;
    const std::size_t whole = current->size() / TPoolEntry::kSize * TPoolEntry::kSize;
    for (const std::string& r : recordsOf(current)) {
        auto it = balance.find(r);
        if (it != balance.end() && it->second > 0) {
            --it->second;
            continue;
        }
        out += r;
    }
    out += current->substr(whole);  // a trailing partial record stays where it was
    for (const std::string& r : recordsOf(to)) {
        auto it = balance.find(r);
        if (it != balance.end() && it->second < 0) {
            ++it->second;
            out += r;
        }
    }
    return out;
}

}  // namespace

DesignerStep DesignerStep::Between(const DesignerSnapshot& before, const DesignerSnapshot& after) {
    DesignerStep step;
    forEachTable([&](auto i) {
        constexpr auto member = std::get<decltype(i)::value>(kTables);
        auto& delta = std::get<decltype(i)::value>(step.tables_);
        const auto& b = before.tables.*member;
        const auto& a = after.tables.*member;
        delta.countBefore = b.size();
        delta.countAfter = a.size();
        delta.before = differing(b, a);
        delta.after = differing(a, b);
    });
    if (!(before.header == after.header)) step.header_.values = {before.header, after.header};
    if (!(before.tables.currentSystemName == after.tables.currentSystemName))
        step.systemName_.values = {before.tables.currentSystemName,
                                   after.tables.currentSystemName};
    const auto file = [](const std::optional<std::string>& b, const std::optional<std::string>& a) {
        return b == a ? FileDelta{} : FileDelta{true, b, a};
    };
    step.pool_ = file(before.pool, after.pool);
    step.usedList_ = file(before.usedList, after.usedList);
    return step;
}

bool DesignerStep::empty() const {
    bool tablesSame = true;
    forEachTable([&](auto i) {
        const auto& delta = std::get<decltype(i)::value>(tables_);
        tablesSame = tablesSame && delta.countBefore == delta.countAfter && delta.before.empty() &&
                     delta.after.empty();
    });
    return tablesSame && !header_.values && !systemName_.values && !pool_.changed &&
           !usedList_.changed;
}

void DesignerStep::apply(DesignerSnapshot& s, bool forward) const {
    forEachTable([&](auto i) {
        constexpr auto member = std::get<decltype(i)::value>(kTables);
        const auto& delta = std::get<decltype(i)::value>(tables_);
        if (forward)
            patchTable(s.tables.*member, delta.countAfter, delta.after);
        else
            patchTable(s.tables.*member, delta.countBefore, delta.before);
    });
    if (header_.values) s.header = forward ? header_.values->second : header_.values->first;
    if (systemName_.values)
        s.tables.currentSystemName = forward ? systemName_.values->second : systemName_.values->first;
    const auto file = [forward](std::optional<std::string>& current, const FileDelta& d) {
        if (!d.changed) return;
        const std::optional<std::string>& from = forward ? d.before : d.after;
        const std::optional<std::string>& to = forward ? d.after : d.before;
        current = current == from ? to : patchRecords(current, from, to);
    };
    file(s.pool, pool_);
    file(s.usedList, usedList_);
}

void DesignerStep::undo(DesignerSnapshot& snapshot) const { apply(snapshot, false); }
void DesignerStep::redo(DesignerSnapshot& snapshot) const { apply(snapshot, true); }

std::size_t DesignerStep::size() const {
    std::size_t bytes = sizeof(*this);
    forEachTable([&](auto i) {
        const auto& delta = std::get<decltype(i)::value>(tables_);
        bytes += (delta.before.size() + delta.after.size()) * sizeof(delta.before.front());
    });
    for (const FileDelta* f : {&pool_, &usedList_})
        bytes += (f->before ? f->before->size() : 0) + (f->after ? f->after->size() : 0);
    return bytes;
}

}  // namespace mw
