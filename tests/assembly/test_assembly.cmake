# A re-assembly of the program folder keeps what the brewer changed there and
# copies what is missing; the files nobody edits follow resources/.
# Run as: cmake -DSCRIPT=<AssembleProgram.cmake> -DWORK=<scratch folder> -P test_assembly.cmake
cmake_minimum_required(VERSION 3.25)
set(SRC "${WORK}/resources")
set(DST "${WORK}/program")
file(REMOVE_RECURSE "${WORK}")

function(put path text)
  file(WRITE "${path}" "${text}")
endfunction()

function(assemble)
  execute_process(COMMAND "${CMAKE_COMMAND}" -DSRC=${SRC} -DDST=${DST} -P "${SCRIPT}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "the assembly failed: ${rc}")
  endif()
endfunction()

set(failures 0)
function(expect path want)
  if(want STREQUAL "<none>")
    if(EXISTS "${DST}/${path}")
      message(SEND_ERROR "${path}: should not exist")
    endif()
    return()
  endif()
  if(NOT EXISTS "${DST}/${path}")
    message(SEND_ERROR "${path}: missing")
    return()
  endif()
  file(READ "${DST}/${path}" got)
  if(NOT got STREQUAL want)
    message(SEND_ERROR "${path}: \"${got}\" instead of \"${want}\"")
  endif()
endfunction()

# The shipped program folder, in small.
foreach(f ZYM.ini BierSoorten.txt Tips.txt Recepten/Herfstbok.zlv Recepten/Zomerblond.zlv
          Templates/Leveranciers.txt WaterProfielen/Brussel.txt Help/Inleiding.htm)
  put("${SRC}/${f}" "shipped ${f}")
endforeach()
assemble()
expect(Recepten/Herfstbok.zlv "shipped Recepten/Herfstbok.zlv")
expect(Help/Inleiding.htm "shipped Help/Inleiding.htm")

# Each step in a second of its own, so that time stamps differ as they would.
execute_process(COMMAND "${CMAKE_COMMAND}" -E sleep 1.1)

# The brewer works in the program folder...
put("${DST}/ZYM.ini" "mine")
put("${DST}/BierSoorten.txt" "my styles")
put("${DST}/Recepten/Herfstbok.zlv" "my Herfstbok")
put("${DST}/Recepten/Eigen.zlv" "my own recipe")
put("${DST}/Templates/Leveranciers.txt" "my shop")
file(REMOVE "${DST}/Recepten/Zomerblond.zlv")
file(RENAME "${DST}/WaterProfielen/Brussel.txt" "${DST}/WaterProfielen/brussel.txt")
# ...while a new version of the program ships changed files.
execute_process(COMMAND "${CMAKE_COMMAND}" -E sleep 1.1)
foreach(f BierSoorten.txt Recepten/Herfstbok.zlv Help/Inleiding.htm Tips.txt)
  put("${SRC}/${f}" "new ${f}")
endforeach()
assemble()

expect(ZYM.ini "mine")
expect(BierSoorten.txt "my styles")
expect(Recepten/Herfstbok.zlv "my Herfstbok")
expect(Recepten/Eigen.zlv "my own recipe")
expect(Templates/Leveranciers.txt "my shop")
expect(Recepten/Zomerblond.zlv "shipped Recepten/Zomerblond.zlv")
expect(WaterProfielen/brussel.txt "shipped WaterProfielen/Brussel.txt")
expect(WaterProfielen/Brussel.txt "<none>")
expect(Help/Inleiding.htm "new Help/Inleiding.htm")
expect(Tips.txt "new Tips.txt")

# A program folder that was removed comes back whole.
file(REMOVE_RECURSE "${DST}")
assemble()
expect(ZYM.ini "shipped ZYM.ini")
expect(BierSoorten.txt "new BierSoorten.txt")
expect(Recepten/Herfstbok.zlv "new Recepten/Herfstbok.zlv")
