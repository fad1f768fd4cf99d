# Each folder of the editor is a static library of its own, and the folders
# form layers: a folder may use only the folders it depends on, and it can
# depend only on folders declared before it, so a circle cannot be declared.
# What the code includes is held to the same rule: every quoted include of a
# folder's files is checked at build time, and including a folder that is not
# among its dependencies (or their dependencies) fails the build.
#
#   mw_folder_library(<target> FOLDER <name> [QT] [ROOT <dir>]
#                     SOURCES <files relative to ROOT>...
#                     [DEPENDS <folder targets>...] [LINK <other libraries>...]
#                     [PRIVATE_LINK <libraries>...])
#
# Includes name the folder ("system/system_model.h") or, within the folder, the
# bare file ("system_model.h"). ROOT, the directory that holds the folder and
# the include root its users get, is the calling CMakeLists.txt's directory by
# default.

set(MW_INCLUDE_CHECK ${CMAKE_CURRENT_LIST_DIR}/check_folder_includes.cmake)

function(mw_folder_library target)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "QT" "FOLDER;ROOT" "SOURCES;DEPENDS;LINK;PRIVATE_LINK")
  if(NOT ARG_FOLDER OR NOT ARG_SOURCES)
    message(FATAL_ERROR "mw_folder_library(${target}): FOLDER and SOURCES are required")
  endif()
  set(root ${CMAKE_CURRENT_SOURCE_DIR})
  if(ARG_ROOT)
    get_filename_component(root ${ARG_ROOT} ABSOLUTE)
  endif()
  set(folder_dir ${root}/${ARG_FOLDER})

  # Two folders of one name would make an include ambiguous.
  get_property(taken GLOBAL PROPERTY MW_FOLDER_NAMES)
  if(ARG_FOLDER IN_LIST taken)
    message(FATAL_ERROR "mw_folder_library(${target}): a folder named '${ARG_FOLDER}' exists "
                        "already; an include \"${ARG_FOLDER}/...\" would not say which it means")
  endif()
  set_property(GLOBAL APPEND PROPERTY MW_FOLDER_NAMES ${ARG_FOLDER})

  # Dependencies point only downwards: to folders declared before this one.
  set(allowed ${ARG_FOLDER})
  foreach(dep IN LISTS ARG_DEPENDS)
    if(NOT TARGET ${dep})
      message(FATAL_ERROR "mw_folder_library(${target}): '${dep}' is not declared before it; "
                          "a folder depends only on folders below it (no circles)")
    endif()
    get_target_property(dep_allowed ${dep} MW_FOLDERS_VISIBLE)
    if(NOT dep_allowed)
      message(FATAL_ERROR "mw_folder_library(${target}): '${dep}' is not a folder library")
    endif()
    list(APPEND allowed ${dep_allowed})
  endforeach()
  list(REMOVE_DUPLICATES allowed)

  mw_require_listed(${target} ${root} ${ARG_FOLDER} ${ARG_SOURCES})

  list(TRANSFORM ARG_SOURCES PREPEND ${root}/ OUTPUT_VARIABLE sources)
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${root})
  target_link_libraries(${target} PUBLIC ${ARG_DEPENDS} ${ARG_LINK} PRIVATE ${ARG_PRIVATE_LINK})
  if(ARG_QT)
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
  endif()
  set_target_properties(${target} PROPERTIES MW_FOLDERS_VISIBLE "${allowed}")

  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/folder_includes/${target}.checked)
  string(REPLACE ";" "|" allowed_arg "${allowed}")
  string(REPLACE ";" "|" files_arg "${sources}")
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DTARGET=${target} -DFOLDER=${ARG_FOLDER} -DFOLDER_DIR=${folder_dir}
            -DVISIBLE=${allowed_arg} -DFILES=${files_arg} -DSTAMP=${stamp} -P ${MW_INCLUDE_CHECK}
    DEPENDS ${sources} ${MW_INCLUDE_CHECK}
    COMMENT "Checking the includes of ${ARG_FOLDER}/"
    VERBATIM)
  add_custom_target(${target}_includes DEPENDS ${stamp})
  add_dependencies(${target} ${target}_includes)
endfunction()

# Every C++ file of <folder> (under <root>) is among <listed> (paths relative to
# <root>): a file is never left out of a build, a test run or the include check
# because its name was not written down. The look at the folder is a check only;
# what is built is the list.
function(mw_require_listed what root folder)
  file(GLOB present RELATIVE ${root} ${root}/${folder}/*.cpp ${root}/${folder}/*.h)
  foreach(file IN LISTS present)
    if(NOT file IN_LIST ARGN)
      message(FATAL_ERROR "${root}/${file} is in no source list of ${what}: add it to "
                          "${CMAKE_CURRENT_LIST_FILE}")
    endif()
  endforeach()
endfunction()
