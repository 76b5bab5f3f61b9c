# Proves the core layer check: a temporary copy of the core passes it as it
# is, fails it with a window header planted in any spelling, and still passes
# with includes that only look alike.
#
#   cmake -DCHECK=<CheckCoreLayer.cmake> -DCORE_DIR=<src/core> -DWORK_DIR=<scratch>
#         -DFORBIDDEN_DIRS=... -DALLOWED_DIRS=... -P PlantWindowHeaders.cmake

cmake_minimum_required(VERSION 3.25)

set(copy "${WORK_DIR}/src/core")

function(fresh_copy)
  file(REMOVE_RECURSE "${WORK_DIR}")
  file(MAKE_DIRECTORY "${WORK_DIR}/src")
  file(COPY "${CORE_DIR}/" DESTINATION "${copy}")
endfunction()

# Runs the check on the copy; `passed` and `output` in the caller.
function(run_check)
  execute_process(
    COMMAND "${CMAKE_COMMAND}" "-DCORE_DIR=${copy}" "-DFORBIDDEN_DIRS=${FORBIDDEN_DIRS}"
            "-DALLOWED_DIRS=${ALLOWED_DIRS}" -P "${CHECK}"
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(rc EQUAL 0)
    set(passed TRUE PARENT_SCOPE)
  else()
    set(passed FALSE PARENT_SCOPE)
  endif()
  set(output "${out}${err}" PARENT_SCOPE)
endfunction()

set(failures 0)
macro(fail what)
  message("FAIL: ${what}\n${output}")
  math(EXPR failures "${failures} + 1")
endmacro()

fresh_copy()
file(GLOB units RELATIVE "${copy}" "${copy}/*.cpp")
file(GLOB headers RELATIVE "${copy}" "${copy}/*.h")
list(GET units 0 first_unit)
list(GET headers 0 first_header)

run_check()
if(NOT passed)
  fail("the core as it is does not pass")
endif()

# Each spelling planted alone, into a unit, a header, a new unit or a new
# unit in a subfolder of the core.
set(spellings
  [=[#include <QtWidgets/QMessageBox>]=]
  [=[#include <QMessageBox>]=]
  [=[#include <QtGui>]=]
  [=[#include <QWidget>]=]
  [=[#include "QtGui/qcolor.h"]=]
  [=[#  include <QtWidgets>]=]
  [=[#include<QColor>]=]
  [=[    #include <qwidget.h>  // for the message]=]
  [=[#include <qt6/QtWidgets/QLabel>]=]
  [=[#include <QtGui/private/qguiapplication_p.h>]=]
  [=[#include_next <QImage>]=]
  [=[#include "QGuiApplication"]=]
  [=[#include <QtWidgets\QLabel>]=]
  [=[#include <QAction>]=]
  [=[#include <QTWIDGETS/QLABEL>]=]
)
set(targets "${first_unit}" "${first_header}" "NewUnit.cpp" "extra/Chart.h")
set(i 0)
foreach(spelling IN LISTS spellings)
  math(EXPR t "${i} % 4")
  list(GET targets ${t} target)
  math(EXPR i "${i} + 1")
  fresh_copy()
  # A line end of CR LF in every other case.
  if(t EQUAL 1)
    file(APPEND "${copy}/${target}" "\n${spelling}\r\n")
  else()
    file(APPEND "${copy}/${target}" "\n${spelling}\n")
  endif()
  run_check()
  if(passed)
    fail("${spelling} in ${target} passed the check")
  elseif(NOT output MATCHES "is a header of Qt(Gui|Widgets)")
    fail("${spelling} in ${target} failed without naming the module")
  endif()
endforeach()

# Includes that are no window headers, all in one unit.
fresh_copy()
file(APPEND "${copy}/${first_unit}" [=[
// #include <QWidget> is what a window would use
#include <QString>
#include <QtCore/QStringList>
#include <vector>
#include "Formulas.h"
#include "core/Formulas.h"
#define WIDGET_HEADER <QWidget>
]=])
run_check()
if(NOT passed)
  fail("includes that only look like window headers failed the check")
endif()

file(REMOVE_RECURSE "${WORK_DIR}")
list(LENGTH spellings planted)
if(failures GREATER 0)
  message(FATAL_ERROR "${failures} case(s) of the core layer check went wrong")
endif()
message(STATUS "Core layer check: ${planted} planted window headers caught, look-alikes passed.")
