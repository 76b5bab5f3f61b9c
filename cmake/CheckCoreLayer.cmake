# Fails when a unit of the core includes a header of a window module (QtGui,
# QtWidgets) in any spelling: <QtWidgets/QMessageBox>, <QMessageBox>, <QtGui>,
# "QtGui/qcolor.h", <qt6/QtWidgets/QLabel> ... The core's own include path
# holds those folders too, so the compiler alone does not catch it.
#
# An include is a window header when one of its path parts names a window
# module, or when it names a file that is installed in a window module's
# include folder (and not in an allowed one, such as QtCore). The header names
# are read from the installed folders, so no list of them goes stale.
#
#   cmake -DCORE_DIR=<folder> -DFORBIDDEN_DIRS=<QtGui folder>|<QtWidgets folder>
#         [-DALLOWED_DIRS=<QtCore folder>] -P CheckCoreLayer.cmake

cmake_minimum_required(VERSION 3.25)

foreach(var CORE_DIR FORBIDDEN_DIRS)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "CheckCoreLayer: ${var} is not given")
  endif()
endforeach()
if(NOT IS_DIRECTORY "${CORE_DIR}")
  message(FATAL_ERROR "CheckCoreLayer: no folder ${CORE_DIR}")
endif()

# Every header a folder holds, lower case, as "_<prefix>_<relative path>" set
# to the folder's module name.
function(read_headers dir prefix)
  get_filename_component(module "${dir}" NAME)
  if(NOT IS_DIRECTORY "${dir}")
    message(FATAL_ERROR "CheckCoreLayer: no header folder ${dir}; without it no window header can be told")
  endif()
  file(GLOB_RECURSE headers LIST_DIRECTORIES false RELATIVE "${dir}" "${dir}/*")
  if(NOT headers)
    message(FATAL_ERROR "CheckCoreLayer: the header folder ${dir} is empty")
  endif()
  foreach(h IN LISTS headers)
    string(TOLOWER "${h}" h)
    set("_${prefix}_${h}" "${module}" PARENT_SCOPE)
  endforeach()
endfunction()

string(REPLACE "|" ";" forbidden_dirs "${FORBIDDEN_DIRS}")
string(REPLACE "|" ";" allowed_dirs "${ALLOWED_DIRS}")
set(modules "")
foreach(dir IN LISTS forbidden_dirs)
  read_headers("${dir}" bad)
  get_filename_component(module "${dir}" NAME)
  string(TOLOWER "${module}" lower)
  list(APPEND modules "${lower}")
  set("_module_${lower}" "${module}")
endforeach()
foreach(dir IN LISTS allowed_dirs)
  read_headers("${dir}" ok)
endforeach()

file(GLOB_RECURSE units LIST_DIRECTORIES false "${CORE_DIR}/*")
list(FILTER units INCLUDE REGEX "\\.(h|hh|hpp|hxx|c|cc|cpp|cxx|inl|ipp|tpp)$")
if(NOT units)
  message(FATAL_ERROR "CheckCoreLayer: no source files in ${CORE_DIR}")
endif()
get_filename_component(src_dir "${CORE_DIR}" DIRECTORY)

set(include_re "^[ \t]*#[ \t]*include(_next)?[ \t]*[<\"]([^>\"]+)[>\"]")
set(offences 0)
set(includes 0)
foreach(unit IN LISTS units)
  file(RELATIVE_PATH shown "${CORE_DIR}" "${unit}")
  get_filename_component(unit_dir "${unit}" DIRECTORY)
  file(STRINGS "${unit}" lines REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "${include_re}")
      continue()
    endif()
    math(EXPR includes "${includes} + 1")
    set(path "${CMAKE_MATCH_2}")
    string(REPLACE "\\" "/" path "${path}")
    string(STRIP "${path}" path)
    string(TOLOWER "${path}" lower)
    string(REPLACE "/" ";" parts "${lower}")

    set(module "")
    foreach(part IN LISTS parts)
      if(part IN_LIST modules)
        set(module "${_module_${part}}")
      endif()
    endforeach()
    if(NOT module AND NOT EXISTS "${unit_dir}/${path}" AND NOT EXISTS "${src_dir}/${path}"
       AND NOT DEFINED "_ok_${lower}" AND DEFINED "_bad_${lower}")
      set(module "${_bad_${lower}}")
    endif()
    if(module)
      message("${shown}: #include ${path} is a header of ${module}")
      math(EXPR offences "${offences} + 1")
    endif()
  endforeach()
endforeach()

list(LENGTH units unit_count)
if(offences GREATER 0)
  message(FATAL_ERROR "The core includes ${offences} window header(s); it may use QtCore only.")
endif()
message(STATUS "Core layer: ${unit_count} files, ${includes} includes, no window header.")
