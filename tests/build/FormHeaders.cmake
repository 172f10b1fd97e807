# Each form's header must be the output of a build rule that reads the form: only then does a single
# Ninja build after a form edit recompile the files that include the header. A header that appears
# behind Ninja's back (as AUTOUIC writes it) leaves its includers compiled against the old form until a
# second build.
# Run as: cmake -DNINJA=... -DBUILD_DIR=... -DFORMS_DIR=... -P FormHeaders.cmake
file(GLOB forms ${FORMS_DIR}/*.ui)
if(NOT forms)
  message(FATAL_ERROR "no forms found in ${FORMS_DIR}")
endif()
set(failures "")
foreach(form ${forms})
  get_filename_component(name ${form} NAME_WE)
  execute_process(COMMAND ${NINJA} -C ${BUILD_DIR} -t query ui_${name}.h
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
  string(FIND "${out}" "${form}" at)
  if(NOT rc EQUAL 0 OR at EQUAL -1)
    string(APPEND failures "  ui_${name}.h is not built from ${form}\n")
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "form headers the build does not know how to make:\n${failures}")
endif()
list(LENGTH forms count)
message(STATUS "${count} form headers are build outputs of their forms")
