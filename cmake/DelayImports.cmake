# Import libraries that load their system library at the first call of one
# of its functions, not when the program starts: the program's import table
# then does not name the library, and the delay-load helper of the C runtime
# loads it (after the library-search guard has run) when a function of it is
# first called.
#
#   pikko_delay_import_libraries(<out variable> <library> ...)
#
# Each one is made at configure time from the toolchain's own import library:
# its function stubs become a module definition for dlltool, which writes the
# delay-load import library into the build folder. For the 64-bit build only:
# binutils 2.40's 32-bit delay-load stubs resolve to address 0.
function(pikko_delay_import_libraries out)
  string(REGEX REPLACE "g\\+\\+(-posix|-win32)?$" "" tools "${CMAKE_CXX_COMPILER}")
  set(folder "${CMAKE_BINARY_DIR}/delay-imports")
  file(MAKE_DIRECTORY "${folder}")
  set(libraries)
  foreach(name IN LISTS ARGN)
    set(import "${CMAKE_FIND_ROOT_PATH}/lib/lib${name}.a")
    set(delayed "${folder}/lib${name}_delay.a")
    if(NOT EXISTS "${delayed}" OR "${import}" IS_NEWER_THAN "${delayed}")
      execute_process(COMMAND "${tools}nm" -g "${import}" OUTPUT_VARIABLE symbols
                      RESULT_VARIABLE status)
      if(NOT status EQUAL 0)
        message(FATAL_ERROR "cannot list ${import}")
      endif()
      # Functions only: a stub in code ("T name") and its import slot. Data
      # cannot be loaded late.
      string(REGEX MATCHALL "[0-9a-f]+ T [^\n]+" stubs "${symbols}")
      set(def "LIBRARY ${name}.dll\nEXPORTS\n")
      foreach(stub IN LISTS stubs)
        string(REGEX REPLACE "^[0-9a-f]+ T " "" function "${stub}")
        string(FIND "${symbols}" "I __imp_${function}\n" slot)
        if(function MATCHES "^(_head_|__)" OR slot EQUAL -1)
          continue()
        endif()
        string(APPEND def "${function}\n")
      endforeach()
      file(WRITE "${folder}/${name}.def" "${def}")
      execute_process(COMMAND "${tools}dlltool" -d "${folder}/${name}.def"
                              -y "${delayed}" -D "${name}.dll" RESULT_VARIABLE status)
      if(NOT status EQUAL 0)
        message(FATAL_ERROR "cannot make the delay-load import library of ${name}")
      endif()
    endif()
    list(APPEND libraries "${delayed}")
  endforeach()
  set(${out} ${libraries} PARENT_SCOPE)
endfunction()
