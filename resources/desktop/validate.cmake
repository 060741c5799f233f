# Fails on any complaint from the desktop entry and AppStream validators, warnings included, and on
# an entry, record or icon that names another application id than the one they are installed under.
#   cmake -DAPP_ID=... -DDESKTOP_FILE=... -DMETAINFO_FILE=... -P validate.cmake

# The verdict is read from appstreamcli's words, which follow the locale.
set(ENV{LC_ALL} C.UTF-8)
set(ENV{LANGUAGE} "")

foreach(tool desktop-file-validate appstreamcli)
  find_program(path_of_${tool} ${tool})
  if(NOT path_of_${tool})
    message(FATAL_ERROR "${tool} is missing; tools/install-deps.sh installs it.")
  endif()
endforeach()

# desktop-file-validate prints nothing for a clean entry, and its hints do not change its exit code.
execute_process(COMMAND ${path_of_desktop-file-validate} ${DESKTOP_FILE}
  OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT output STREQUAL "")
  message(FATAL_ERROR "desktop-file-validate ${DESKTOP_FILE} (exit ${result}):\n${output}")
endif()

# Its verdict and its lines are read as well as its exit code: not every version fails on warnings.
execute_process(COMMAND ${path_of_appstreamcli} validate --no-net ${METAINFO_FILE}
  OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT output MATCHES "Validation was successful" OR output MATCHES "(^|\n)[EW]: ")
  message(FATAL_ERROR "appstreamcli validate --no-net ${METAINFO_FILE} (exit ${result}):\n${output}")
endif()

# Desktops tie the three together by name alone, so a mismatch shows no icon or no store entry.
file(READ ${DESKTOP_FILE} desktop)
file(READ ${METAINFO_FILE} metainfo)
foreach(expected "\nIcon=${APP_ID}\n" "<id>${APP_ID}</id>"
    "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>")
  string(FIND "${desktop}${metainfo}" "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "Expected ${expected} in ${DESKTOP_FILE} or ${METAINFO_FILE}.")
  endif()
endforeach()
message(STATUS "The desktop entry and the AppStream record of ${APP_ID} validate cleanly.")
