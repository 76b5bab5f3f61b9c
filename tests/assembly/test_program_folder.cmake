# The run command's program folder: the brewer's data folder under HOME (or
# XDG_DATA_HOME) unless MOSTARIUM_HOME names one; made and filled on the first
# run, brought up to date on later runs without undoing the brewer's changes.
# Run as: cmake -DSCRIPT=<program-folder.sh> -DRESOURCES=<resources> -DWORK=<scratch folder>
#         -P test_program_folder.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${WORK}")
set(HOME "${WORK}/home")
set(BUILD "${WORK}/build")
file(MAKE_DIRECTORY "${HOME}")

# A build with its own program folder, in small: the style database it made
# and a settings file the brewer changed there before.
file(WRITE "${BUILD}/program/Biertypen.mdb" "database 1")
file(WRITE "${BUILD}/program/ZYM.ini" "settings kept in the build")
file(WRITE "${BUILD}/program/temp/Kenmerken.ini" "scratch")

function(fail text)
  message(SEND_ERROR "${text}")
endfunction()

# Runs the script in the scratch HOME with the given variables (NAME=value, or
# -NAME to unset) and sets `folder` to what it prints.
function(choose)
  set(envs --unset=MOSTARIUM_HOME --unset=XDG_DATA_HOME "HOME=${HOME}")
  foreach(v ${ARGN})
    if(v MATCHES "^-(.*)")
      list(APPEND envs "--unset=${CMAKE_MATCH_1}")
    else()
      list(APPEND envs "${v}")
    endif()
  endforeach()
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env ${envs} bash "${SCRIPT}" "${BUILD}"
                  WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "program-folder.sh failed (${rc}): ${err}")
  endif()
  string(STRIP "${out}" out)
  set(folder "${out}" PARENT_SCOPE)
endfunction()

function(expect_file path want)
  if(NOT EXISTS "${path}")
    fail("${path}: missing")
    return()
  endif()
  file(READ "${path}" got)
  if(NOT got STREQUAL want)
    fail("${path}: \"${got}\" instead of \"${want}\"")
  endif()
endfunction()

function(expect_shipped folder relative)
  file(READ "${RESOURCES}/${relative}" shipped)
  expect_file("${folder}/${relative}" "${shipped}")
endfunction()

# First run: the data folder is made under HOME and filled.
set(data "${HOME}/.local/share/Mostarium")
choose()
if(NOT folder STREQUAL data)
  fail("the program folder is \"${folder}\", not \"${data}\"")
endif()
expect_file("${data}/ZYM.ini" "settings kept in the build")
expect_file("${data}/Biertypen.mdb" "database 1")
foreach(f Recepten/Herfstbok.zlv Recepten/Zomerblond.zlv BierSoorten.txt Tips.txt Templates/Leveranciers.txt)
  expect_shipped("${data}" "${f}")
endforeach()
file(GLOB help RELATIVE "${RESOURCES}" "${RESOURCES}/Help/*.htm")
list(GET help 0 page)
expect_shipped("${data}" "${page}")
foreach(f mostarium temp/Kenmerken.ini BiertypenBron)
  if(EXISTS "${data}/${f}")
    fail("${f} should not be copied into the program folder")
  endif()
endforeach()

# The brewer works there; a new build makes a new style database.
file(WRITE "${data}/Recepten/Herfstbok.zlv" "my Herfstbok")
file(WRITE "${data}/Recepten/Eigen.zlv" "my own recipe")
file(WRITE "${data}/ZYM.ini" "my settings")
file(WRITE "${data}/${page}" "an outdated help page")
file(WRITE "${BUILD}/program/Biertypen.mdb" "database 2")
file(WRITE "${BUILD}/program/ZYM.ini" "settings of a later build")

# Second run: the brewer's files stay, the rest follows the build.
choose()
if(NOT folder STREQUAL data)
  fail("the second run chose \"${folder}\"")
endif()
expect_file("${data}/Recepten/Herfstbok.zlv" "my Herfstbok")
expect_file("${data}/Recepten/Eigen.zlv" "my own recipe")
expect_file("${data}/ZYM.ini" "my settings")
expect_shipped("${data}" "${page}")
expect_file("${data}/Biertypen.mdb" "database 2")

# XDG_DATA_HOME moves the data folder; a relative one is passed over.
set(xdg "${WORK}/xdg")
choose("XDG_DATA_HOME=${xdg}")
if(NOT folder STREQUAL "${xdg}/Mostarium")
  fail("with XDG_DATA_HOME the program folder is \"${folder}\"")
endif()
expect_file("${xdg}/Mostarium/Biertypen.mdb" "database 2")
choose("XDG_DATA_HOME=relative/share")
if(NOT folder STREQUAL data OR EXISTS "${WORK}/relative")
  fail("with a relative XDG_DATA_HOME the program folder is \"${folder}\"")
endif()

# MOSTARIUM_HOME names the folder: filled from resources/, no data folder made.
file(REMOVE_RECURSE "${data}")
set(own "${WORK}/own folder")
choose("MOSTARIUM_HOME=${own}")
if(NOT folder STREQUAL own)
  fail("with MOSTARIUM_HOME the program folder is \"${folder}\", not \"${own}\"")
endif()
if(EXISTS "${data}")
  fail("with MOSTARIUM_HOME the data folder is made all the same")
endif()
expect_shipped("${own}" ZYM.ini)
expect_shipped("${own}" Recepten/Herfstbok.zlv)
expect_file("${own}/Biertypen.mdb" "database 2")
file(WRITE "${own}/Recepten/Herfstbok.zlv" "my Herfstbok")
choose("MOSTARIUM_HOME=${own}")
expect_file("${own}/Recepten/Herfstbok.zlv" "my Herfstbok")

# Without a built program there is nothing to start from.
file(REMOVE "${BUILD}/program/Biertypen.mdb")
execute_process(COMMAND "${CMAKE_COMMAND}" -E env "HOME=${HOME}" bash "${SCRIPT}" "${BUILD}"
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(rc EQUAL 0 OR NOT err MATCHES "build the program first")
  fail("a build without its style database: ${rc} ${err}")
endif()
