# Delay-load import libraries for the MinGW build. A DLL that is not one of Windows'
# Known DLLs is found by the loader's search order, which starts in the exe's own folder:
# a version.dll planted beside a portable copy would run elevated before wWinMain. Linked
# through these libraries, such a DLL is loaded only at its first call, after wWinMain has
# limited the search to the system folder (SetDefaultDllDirectories).
#
# kestrova_delay_load_libraries(<variable> <dll>...) makes lib<dll>-delay.a in the build
# folder for each DLL, from the export names of MinGW's own import library, and sets
# <variable> to their paths.

find_program(KESTROVA_NM ${KESTROVA_MINGW_TRIPLE}-nm REQUIRED)
find_program(KESTROVA_DLLTOOL ${KESTROVA_MINGW_TRIPLE}-dlltool REQUIRED)

function(kestrova_delay_load_libraries variable)
  set(libraries "")
  set(folder "${CMAKE_BINARY_DIR}/delay-load")
  file(MAKE_DIRECTORY "${folder}")
  foreach(dll ${ARGN})
    set(import_library "${CMAKE_FIND_ROOT_PATH}/lib/lib${dll}.a")
    set(delay_library "${folder}/lib${dll}-delay.a")
    if(NOT EXISTS "${delay_library}" OR "${import_library}" IS_NEWER_THAN "${delay_library}")
      execute_process(COMMAND "${KESTROVA_NM}" -g "${import_library}"
                      OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
      # Each function has an import pointer __imp_<name>; 32-bit names carry one more
      # leading underscore and their stdcall @<bytes>, which dlltool -k keeps out of the
      # name imported from the DLL.
      if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(pointer_prefix "__imp__")
      else()
        set(pointer_prefix "__imp_")
      endif()
      string(REGEX MATCHALL " I ${pointer_prefix}[^\n]+" pointers "${symbols}")
      set(definition "LIBRARY ${dll}.dll\nEXPORTS\n")
      foreach(pointer ${pointers})
        string(REPLACE " I ${pointer_prefix}" "" name "${pointer}")
        string(APPEND definition "${name}\n")
      endforeach()
      file(WRITE "${folder}/${dll}.def" "${definition}")
      execute_process(COMMAND "${KESTROVA_DLLTOOL}" -k --input-def "${folder}/${dll}.def" --dllname "${dll}.dll"
                              --output-delaylib "${delay_library}"
                      COMMAND_ERROR_IS_FATAL ANY)
    endif()
    list(APPEND libraries "${delay_library}")
  endforeach()
  set(${variable} ${libraries} PARENT_SCOPE)
endfunction()
