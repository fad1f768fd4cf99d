#include "names/name_lists_draft.h"

#include <vector>

#include "common/file_bytes.h"
#include "common/safe_save.h"

namespace mw {

NameListsDraft::NameListsDraft(const NameDirectory& dir) {
    pool_.path = dir.pool();
    used_.path = dir.usedList();
}

std::string& NameListsDraft::load(List& list) {
    if (!list.bytes) {
        list.read = ReadFileBytes(list.path);
        list.bytes = list.read.value_or(std::string());
    }
    return *list.bytes;
}

void NameListsDraft::commit() {
    std::vector<FileContent> changed;
    // The pool moves last: when a list moved before it cannot be put back
    // (the disk refuses every rename), the pool still agrees with the tables,
    // which change only after this, and no name has left it for nowhere.
    for (const List* list : {&used_, &pool_})
        if (list->bytes && list->bytes != list->read) changed.push_back({list->path, list->bytes});
    ReplaceFilesTogether(changed);
}

}  // namespace mw
