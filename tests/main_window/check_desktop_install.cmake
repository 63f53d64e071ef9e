# Installs the build into a scratch prefix and checks what a desktop needs to list Vendrel:
# the program, its desktop entry and AppStream metainfo (both passing the freedesktop
# validators), and the icon in every hicolor size; and what file managers need to offer it
# on a folder: the KDE service menu (passing the validator as far as it knows KDE's
# service menus) and the Nemo action.
# Usage: cmake -DBUILD_DIR=... -DPREFIX=... -DAPP_ID=... -P check_desktop_install.cmake

function(fail message)
  message(FATAL_ERROR "${message}")
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  fail("cmake --install failed:\n${out}")
endif()

set(desktop "${PREFIX}/share/applications/${APP_ID}.desktop")
set(metainfo "${PREFIX}/share/metainfo/${APP_ID}.metainfo.xml")
set(serviceMenu "${PREFIX}/share/kio/servicemenus/vendrel.desktop")
set(expected "${PREFIX}/bin/vendrel" "${desktop}" "${metainfo}"
  "${PREFIX}/share/icons/hicolor/scalable/apps/${APP_ID}.svg" "${serviceMenu}"
  "${PREFIX}/share/nemo/actions/vendrel.nemo_action")
foreach(size 16 32 48 64 128)
  list(APPEND expected "${PREFIX}/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png")
endforeach()
foreach(path IN LISTS expected)
  if(NOT EXISTS "${path}")
    fail("not installed: ${path}")
  endif()
endforeach()

# The entry starts the installed program, with the file it is handed, and names the
# installed icon. It declares no file types, so it never becomes what opens folders.
file(STRINGS "${desktop}" exec_line REGEX "^Exec=")
file(STRINGS "${desktop}" icon_line REGEX "^Icon=")
file(STRINGS "${desktop}" mime_line REGEX "^MimeType")
if(NOT exec_line STREQUAL "Exec=vendrel %f")
  fail("desktop entry starts '${exec_line}', not the installed vendrel with a file")
endif()
if(mime_line)
  fail("desktop entry declares '${mime_line}'")
endif()
if(NOT icon_line STREQUAL "Icon=${APP_ID}")
  fail("desktop entry names '${icon_line}', not the installed icon ${APP_ID}")
endif()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(NOT DESKTOP_FILE_VALIDATE OR NOT APPSTREAMCLI)
  message("SKIP: desktop-file-validate or appstreamcli missing (tools/install-deps.sh)")
  return()
endif()
execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${desktop}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
# Hints are advice; errors and warnings fail.
if(NOT rc EQUAL 0 OR out MATCHES "(error|warning):")
  fail("desktop-file-validate:\n${out}")
endif()
# The validator knows only applications' entries: a KDE service menu, of type Service,
# carries MimeType and Actions all the same.
execute_process(COMMAND "${DESKTOP_FILE_VALIDATE}" "${serviceMenu}"
  OUTPUT_VARIABLE out ERROR_VARIABLE out)
string(REGEX REPLACE "[^\n]*: error: key \"(MimeType|Actions)\" is present in group \"Desktop Entry\", but the type is \"Service\"[^\n]*\n" "" remarks "${out}")
if(remarks MATCHES "(error|warning):")
  fail("desktop-file-validate, service menu:\n${remarks}")
endif()
execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net "${metainfo}"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
  fail("appstreamcli validate:\n${out}")
endif()
message("desktop integration installed and valid")
