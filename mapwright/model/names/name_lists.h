#pragma once
// Operations on the name list files ("p_names.dat", "list.dat"). List file
// names are resolved in the given NameDirectory. Every failure raises IoError
// naming the file; a list that is rewritten stays intact when anything fails.
// Each rewrite is also given as a change of a list's bytes, for steps that
// write both lists together (NameListsDraft).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "names/name_directory.h"
#include "system/system_model.h"

namespace mw {

/// Creates "p_names.dat" and "list.dat" empty where they do not exist.
void EnsureNameFiles(const NameDirectory& dir);

/// Number of whole records in the list file.
std::size_t CountNames(const NameDirectory& dir, std::string_view listFile);

/// Adds the name (cut to 120) as the last record of an existing list file.
void AppendName(const NameDirectory& dir, std::string_view listFile, std::string_view name);

/// Drops every record equal to the name.
void RemoveName(const NameDirectory& dir, std::string_view listFile, std::string_view name);

/// Every record equal to oldName becomes newName cut to 120.
void RenameInList(const NameDirectory& dir, std::string_view listFile, std::string_view oldName,
                  std::string_view newName);

/// The names of planets 1..count whose deleted flag is clear, in index order.
std::vector<std::string> LivePlanetNames(const SystemModel& model);

/// The list file holds LivePlanetNames.
void WriteUsedNames(const NameDirectory& dir, std::string_view listFile, const SystemModel& model);

// The same changes on a list's bytes. A rewrite keeps whole records only (a
// partial record at the end is dropped); an append keeps every byte before
// the new record.
std::string ListWithAppended(std::string_view list, std::string_view name);
std::string ListWithout(std::string_view list, std::string_view name);
std::string ListWithRenamed(std::string_view list, std::string_view oldName,
                            std::string_view newName);
/// A list of the names, in order.
std::string ListOf(const std::vector<std::string>& names);

}  // namespace mw
