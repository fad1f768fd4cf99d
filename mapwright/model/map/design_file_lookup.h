#pragma once
// Project files store the design files' full paths, which break when a map
// folder is moved (or comes from another machine). A stored path that names
// no file is looked up by its file name beside the project file.

#include <filesystem>
#include <optional>
#include <string>

#include "map/map_project_record.h"

namespace mw {

/// The design file to use for a stored path: the stored path when it names a
/// file, else the file of the same name beside the project file (when its path
/// fits a slot's 255 characters), else nothing.
std::optional<std::string> LocateDesignFile(const std::string& stored,
                                            const std::string& projectPath);
/// The same with the project file's folder given. An empty folder (a map that
/// has no project file yet) has nothing to look beside: only the stored path counts.
std::optional<std::string> LocateDesignFileNear(const std::string& stored,
                                                const std::filesystem::path& projectFolder);
/// The folder the lookup looks in for a project file: its folder ("." for a
/// bare file name); empty when there is no project file.
std::filesystem::path ProjectFolder(const std::string& projectPath);
/// Where the lookup looks for a stored path beside the project; empty when
/// the stored path has no file name.
std::filesystem::path DesignFileBeside(const std::string& stored,
                                       const std::filesystem::path& projectFolder);

/// Why a stored path gives no design file, for a slot that LocateDesignFileNear
/// found nothing for: "no design file is stored for the system", or "the
/// design file cannot be read: " with the reader's reason for the stored path
/// (missing, not a regular file) and where it was looked for beside the project.
std::string DesignFileProblem(const std::string& stored,
                              const std::filesystem::path& projectFolder);

/// The record with each filled slot's design file as LocateDesignFileNear
/// finds it, so what reads the files afterwards reads the ones a check read.
/// A file found nowhere keeps its stored path.
MapProjectRecord WithFoundDesignFiles(MapProjectRecord map,
                                      const std::filesystem::path& projectFolder);

}  // namespace mw
