# quorvane-report installed with `cmake --install` and run from there, for
# every kind of output: the program must find its offscreen module there.
#   cmake -DBUILD=<build folder> -DPREFIX=<install folder> -DRACE=<race file>
#         -P report_install_test.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()
set(out "${PREFIX}/out")
file(MAKE_DIRECTORY "${out}")
foreach(args "--csv;${out}/r.csv" "--graph;${out}/r.png" "--graph;${out}/r.svg"
             "--pdf;${out}/r.pdf")
  execute_process(COMMAND "${PREFIX}/bin/quorvane-report" ${args} "${RACE}"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE list ERROR_VARIABLE err)
  list(GET args 1 file)
  file(SIZE "${file}" size)
  if(NOT rc EQUAL 0 OR size LESS 100 OR NOT list MATCHES "全区間")
    message(FATAL_ERROR "${args}: exit ${rc}, ${size} bytes: ${err}")
  endif()
endforeach()
file(READ "${out}/r.png" magic LIMIT 4 HEX)
file(READ "${out}/r.pdf" pdf LIMIT 5 HEX)
if(NOT magic STREQUAL "89504e47" OR NOT pdf STREQUAL "255044462d")
  message(FATAL_ERROR "not a PNG (${magic}) or not a PDF (${pdf})")
endif()
file(REMOVE_RECURSE "${PREFIX}")
