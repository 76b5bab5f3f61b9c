# Assembles the program folder DST from resources/ (SRC), at every build and
# by scripts/program-folder.sh for the brewer's own program folder.
#
# What the brewer can change there belongs to the brewer once it exists and is
# copied only when missing: the settings, the recipes, the style list, the
# classification of beers, the water profiles and the templates (with the
# supplier list). The rest, which nobody edits (help pages, pictures, sounds,
# tips), follows resources/.
# With -DONLY_USER_FILES=ON only the brewer's files are copied, from another
# program folder (SRC) into a new one.
cmake_minimum_required(VERSION 3.25)
if(NOT SRC OR NOT DST)
  message(FATAL_ERROR "usage: cmake -DSRC=<resources> -DDST=<program folder> [-DONLY_USER_FILES=ON] -P AssembleProgram.cmake")
endif()
set(_user_files ZYM.ini BierSoorten.txt BierIndeling.txt)
set(_user_folders Recepten WaterProfielen Templates)
# The style database's source: the build makes Biertypen.mdb from it.
set(_source_folders BiertypenBron)

# The program finds its files in any letter case, so a user's copy counts
# whatever its case ("Biersoorten.txt" is the shipped "BierSoorten.txt").
function(_exists_in_any_case path result)
  get_filename_component(_dir "${path}" DIRECTORY)
  get_filename_component(_name "${path}" NAME)
  string(TOLOWER "${_name}" _want)
  file(GLOB _present RELATIVE "${_dir}" "${_dir}/*")
  foreach(_p ${_present})
    string(TOLOWER "${_p}" _p)
    if(_p STREQUAL _want)
      set(${result} TRUE PARENT_SCOPE)
      return()
    endif()
  endforeach()
  set(${result} FALSE PARENT_SCOPE)
endfunction()

file(MAKE_DIRECTORY "${DST}")
file(GLOB_RECURSE _files RELATIVE "${SRC}" "${SRC}/*")
foreach(_f ${_files})
  get_filename_component(_dir "${_f}" DIRECTORY)
  string(REGEX REPLACE "/.*" "" _top "${_f}")
  if(_dir AND _top IN_LIST _source_folders)
    continue()
  endif()
  if(_f IN_LIST _user_files OR (_dir AND _top IN_LIST _user_folders))
    _exists_in_any_case("${DST}/${_f}" _there)
    if(_there)
      continue()
    endif()
  elseif(ONLY_USER_FILES)
    continue()
  endif()
  # A user's file never gets here; the others are refreshed when they differ.
  file(MAKE_DIRECTORY "${DST}/${_dir}")
  file(COPY_FILE "${SRC}/${_f}" "${DST}/${_f}" ONLY_IF_DIFFERENT)
endforeach()
