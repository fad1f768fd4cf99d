#include "system_designer/designer_step.h"

#include <algorithm>
#include <functional>
#include <map>
#include <string_view>

#include "names/name_records.h"

namespace mw {

namespace {

// The snapshot's tables in the order of DesignerStep's deltas and of ObjectKind.
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
    forEachTable(std::forward<F>(f),
                 std::make_index_sequence<std::tuple_size_v<decltype(kTables)>>{});
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

Records recordsOf(std::string_view bytes) {
    Records out;
    for (std::size_t at = 0; at + TPoolEntry::kSize <= bytes.size(); at += TPoolEntry::kSize)
        out.emplace_back(bytes.substr(at, TPoolEntry::kSize));
    return out;
}

// A name list that was changed elsewhere after the step: the records the step
// added are taken out (one each) and those it removed put back at the end.
std::string patchRecords(std::string_view current, std::string_view from, std::string_view to) {
    std::map<std::string, int> balance;  // > 0: to be taken out
    for (const std::string& r : recordsOf(from)) ++balance[r];
    for (const std::string& r : recordsOf(to)) --balance[r];
    std::string out;
    for (const std::string& r : recordsOf(current)) {
        auto it = balance.find(r);
        if (it != balance.end() && it->second > 0) {
            --it->second;
            continue;
        }
        out += r;
    }
    // A trailing partial record stays where it was.
    out += current.substr(current.size() / TPoolEntry::kSize * TPoolEntry::kSize);
    for (const std::string& r : recordsOf(to)) {
        auto it = balance.find(r);
        if (it != balance.end() && it->second < 0) {
            ++it->second;
            out += r;
        }
    }
    return out;
}

std::size_t hashOf(const std::optional<std::string>& bytes) {
    return bytes ? std::hash<std::string_view>()(*bytes) : 0;
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
        step.systemName_.values = {before.tables.currentSystemName, after.tables.currentSystemName};
    step.pool_ = fileDelta(before.pool, after.pool);
    step.usedList_ = fileDelta(before.usedList, after.usedList);
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
           !usedList_.changed && files_.empty();
}

void DesignerStep::addFileEdits(const std::vector<FileEdit>& edits) {
    for (const FileEdit& edit : edits)
        if (!edit.empty()) files_.push_back(edit);
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
        s.tables.currentSystemName =
            forward ? systemName_.values->second : systemName_.values->first;
    applyFile(s.pool, pool_, forward);
    applyFile(s.usedList, usedList_, forward);
}

DesignerStep::FileDelta DesignerStep::fileDelta(const std::optional<std::string>& before,
                                                const std::optional<std::string>& after) {
    FileDelta d;
    if (before == after) return d;
    d.changed = true;
    const std::string_view b = before ? std::string_view(*before) : std::string_view();
    const std::string_view a = after ? std::string_view(*after) : std::string_view();
    // Only whole records are shared, so a file changed elsewhere can still be
    // patched record by record.
    if (b.size() % TPoolEntry::kSize == 0 && a.size() % TPoolEntry::kSize == 0) {
        const std::size_t shorter = std::min(b.size(), a.size());
        std::size_t prefix = 0;
        while (prefix < shorter && b[prefix] == a[prefix]) ++prefix;
        d.prefix = prefix / TPoolEntry::kSize * TPoolEntry::kSize;
        std::size_t suffix = 0;
        while (suffix < shorter - d.prefix && b[b.size() - 1 - suffix] == a[a.size() - 1 - suffix])
            ++suffix;
        d.suffix = suffix;
        while ((b.size() - d.prefix - d.suffix) % TPoolEntry::kSize != 0) --d.suffix;
    }
    const auto state = [&d](const std::optional<std::string>& file, std::string_view bytes) {
        return FileState{file.has_value(), bytes.size(), hashOf(file),
                         std::string(bytes.substr(d.prefix, bytes.size() - d.prefix - d.suffix))};
    };
    d.before = state(before, b);
    d.after = state(after, a);
    return d;
}

void DesignerStep::applyFile(std::optional<std::string>& current, const FileDelta& d,
                             bool forward) {
    if (!d.changed) return;
    const FileState& from = forward ? d.before : d.after;
    const FileState& to = forward ? d.after : d.before;
    const bool asLeft =
        current.has_value() == from.exists &&
        (!current || (current->size() == from.size && hashOf(current) == from.hash));
    if (!to.exists && asLeft) {
        current.reset();
    } else if (asLeft) {
        current = current.value_or(std::string()).substr(0, d.prefix) + to.middle +
                  current.value_or(std::string()).substr(from.size - d.suffix);
    } else {
        current = patchRecords(current.value_or(std::string()), from.middle, to.middle);
    }
}

void DesignerStep::undo(DesignerSnapshot& snapshot) const {
    apply(snapshot, false);
}
void DesignerStep::redo(DesignerSnapshot& snapshot) const {
    apply(snapshot, true);
}

std::vector<ObjectRef> DesignerStep::touched() const {
    // The tables in the order of kTables, which is the order of ObjectKind.
    std::vector<ObjectRef> out;
    forEachTable([&](auto i) {
        const auto kind = static_cast<ObjectKind>(decltype(i)::value);
        const auto& delta = std::get<decltype(i)::value>(tables_);
        std::vector<std::size_t> positions;
        for (const auto& [at, record] : delta.before) positions.push_back(at);
        for (const auto& [at, record] : delta.after) positions.push_back(at);
        std::sort(positions.begin(), positions.end());
        positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
        for (const std::size_t at : positions) out.push_back({kind, static_cast<int>(at) + 1});
    });
    return out;
}

std::size_t DesignerStep::size() const {
    std::size_t bytes = sizeof(*this);
    forEachTable([&](auto i) {
        const auto& delta = std::get<decltype(i)::value>(tables_);
        bytes += (delta.before.size() + delta.after.size()) * sizeof(delta.before.front());
    });
    for (const FileDelta* f : {&pool_, &usedList_})
        bytes += f->before.middle.size() + f->after.middle.size();
    for (const FileEdit& f : files_) bytes += f.size();
    return bytes;
}

}  // namespace mw
