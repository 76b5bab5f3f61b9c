# Copies resources/ into the program folder. The settings file is the
# user's once it exists, so a rebuild never resets it.
file(MAKE_DIRECTORY "${DST}")
file(GLOB _entries RELATIVE "${SRC}" "${SRC}/*")
foreach(_e ${_entries})
  if(_e STREQUAL "ZYM.ini")
    if(NOT EXISTS "${DST}/ZYM.ini")
      file(COPY "${SRC}/ZYM.ini" DESTINATION "${DST}")
    endif()
  else()
    file(COPY "${SRC}/${_e}" DESTINATION "${DST}")
  endif()
endforeach()
