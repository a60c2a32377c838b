# Runs every scripts/*.vbs through the host and compares standard output and error (together)
# and the exit code with scripts/<name>.out. The expected file's first line is "exit <code>".
# A script whose first line is "' host switches: <switches>" runs with those switches too.
# Expected files may say <work> for the script's own temporary folder. Scripts that start
# programs find the tests' child program as %QUILLET_TEST_CHILD%.
file(GLOB scripts "${SCRIPTS}/*.vbs")
set(failures "")
foreach(script IN LISTS scripts)
  get_filename_component(name "${script}" NAME_WE)
  file(STRINGS "${script}" first LIMIT_COUNT 1)
  set(switches "")
  if(first MATCHES "^' host switches: (.*)$")
    separate_arguments(switches UNIX_COMMAND "${CMAKE_MATCH_1}")
  endif()
  # Each script gets a fresh home of its own, never the user's, whose settings map the drive
  # letter W: to an empty folder: scripts that touch files do it there, as W:\...
  set(work "${OUT_DIR}/work/${name}")
  file(REMOVE_RECURSE "${work}")
  file(MAKE_DIRECTORY "${work}/files" "${work}/home/.config/Kelmarsh/Quillet" "${work}/home/.local/share")
  file(WRITE "${work}/home/.config/Kelmarsh/Quillet/settings.reg"
       "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\Kelmarsh\\Quillet\\Drives]\n\"W\"=\"${work}/files\"\n")
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env "HOME=${work}/home" "XDG_CONFIG_HOME=${work}/home/.config"
                          "XDG_DATA_HOME=${work}/home/.local/share" "XDG_CACHE_HOME=${work}/home/.cache"
                          "WINEPREFIX=${work}/home/.wine" "QUILLET_TEST_CHILD=${TEST_CHILD}"
                          "${HOST}" //nologo ${switches} "${script}" one /two:2
                  WORKING_DIRECTORY "${SCRIPTS}"
                  OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc TIMEOUT 60)
  string(REPLACE "\r\n" "\n" actual "exit ${rc}\n${out}${err}")
  string(REPLACE "${SCRIPTS}/" "" actual "${actual}")
  string(REPLACE "${work}" "<work>" actual "${actual}")
  file(READ "${SCRIPTS}/${name}.out" expected)
  if(NOT actual STREQUAL expected)
    file(WRITE "${OUT_DIR}/${name}.actual" "${actual}")
    list(APPEND failures "${name} (see ${OUT_DIR}/${name}.actual)")
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "Scripts with unexpected output: ${failures}")
endif()
