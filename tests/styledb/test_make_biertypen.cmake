# The style database maker: a good source gives Biertypen.mdb; a recipe that
# the program's reader refuses, or a line short of fields, fails it and leaves
# no database behind.
if(NOT MAKER OR NOT SOURCE OR NOT WORK)
  message(FATAL_ERROR "usage: -DMAKER=<make_biertypen> -DSOURCE=<BiertypenBron> -DWORK=<folder>")
endif()
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

function(make_from folder expect_ok what)
  file(REMOVE "${WORK}/Biertypen.mdb")
  execute_process(COMMAND "${MAKER}" "${folder}" "${WORK}/Biertypen.mdb" RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(expect_ok AND NOT rc EQUAL 0)
    message(FATAL_ERROR "${what}: the maker failed: ${err}")
  endif()
  if(NOT expect_ok AND rc EQUAL 0)
    message(FATAL_ERROR "${what}: the maker accepted it")
  endif()
  if(NOT expect_ok AND (EXISTS "${WORK}/Biertypen.mdb" OR EXISTS "${WORK}/Biertypen.mdb.tmp"))
    message(FATAL_ERROR "${what}: a database was left behind")
  endif()
endfunction()

make_from("${SOURCE}" TRUE "the shipped source")

# A hand-edited brew mode the reader refuses ("enkel" is neither "Enkel" nor "Dubbel").
file(COPY "${SOURCE}/" DESTINATION "${WORK}/damaged")
file(READ "${WORK}/damaged/Pilsener.zlv" recipe)
string(REPLACE "Brouw=Enkel" "Brouw=enkel" recipe "${recipe}")
file(WRITE "${WORK}/damaged/Pilsener.zlv" "${recipe}")
make_from("${WORK}/damaged" FALSE "a damaged recipe")

# A style line without its recipe file.
file(COPY "${SOURCE}/" DESTINATION "${WORK}/short")
file(APPEND "${WORK}/short/Biertypen.txt" "Gruit\t1A\t5\t20\t10\t5\t1050\tBron\r\n")
make_from("${WORK}/short" FALSE "a line short of a field")
