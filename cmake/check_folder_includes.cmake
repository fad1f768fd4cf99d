cmake_minimum_required(VERSION 3.25)
# Run by mw_folder_library's build step (cmake -P): every quoted include of the
# folder's files names a file of the same folder, or a folder the target may use.
# Arguments: TARGET, FOLDER, FOLDER_DIR, VISIBLE and FILES ("|"-separated), STAMP.

string(REPLACE "|" ";" visible "${VISIBLE}")
string(REPLACE "|" ";" files "${FILES}")
list(JOIN visible ", " visible_text)
set(faults "")
foreach(file IN LISTS files)
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" included "${line}")
    if(included MATCHES "^\\.\\.?/")
      string(APPEND faults "\n  ${file}: \"${included}\": name the folder instead of a relative path")
    elseif(NOT included MATCHES "/")
      if(NOT EXISTS ${FOLDER_DIR}/${included})
        string(APPEND faults "\n  ${file}: \"${included}\" is not a file of ${FOLDER}/")
      endif()
    else()
      string(REGEX REPLACE "/.*" "" used "${included}")
      if(NOT used IN_LIST visible)
        string(APPEND faults "\n  ${file}: \"${included}\": ${FOLDER}/ does not depend on "
                             "${used}/ (it may use: ${visible_text})")
      endif()
    endif()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "${TARGET}: includes outside its declared dependencies:${faults}\n"
                      "Depend on the folder in CMakeLists.txt (only on folders below this one), "
                      "or move what both need below both.")
endif()
file(TOUCH ${STAMP})
