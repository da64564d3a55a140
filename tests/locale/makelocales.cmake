# Generates the UTF-8 locales the locale tests run under into LOCALE_DIR, once. Without
# localedef (or its locale sources) nothing is made and the tests skip with the reason.
find_program(LOCALEDEF localedef)
if(NOT LOCALEDEF)
  message(STATUS "localedef not found: the locale tests will skip")
  return()
endif()
file(MAKE_DIRECTORY "${LOCALE_DIR}")
foreach(name pl_PL de_DE en_US)
  if(NOT EXISTS "${LOCALE_DIR}/${name}.UTF-8/LC_NUMERIC")
    # localedef ends with status 1 on mere warnings; the files made are what counts.
    execute_process(COMMAND "${LOCALEDEF}" -i ${name} -f UTF-8 "${LOCALE_DIR}/${name}.UTF-8"
                    RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
    if(NOT EXISTS "${LOCALE_DIR}/${name}.UTF-8/LC_NUMERIC")
      message(STATUS "localedef could not make ${name}.UTF-8 (status ${status})")
    endif()
  endif()
endforeach()
