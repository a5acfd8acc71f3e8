# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when an #include runs the wrong way between the folders of src/. Bottom up:
#   data -> platform -> pages, formats -> grid, widgets, appearance -> windowbase
#   -> the window folders (mainwindow, recipes, search, print, backup, colours, info, exchange) -> app.
# Each folder lists the folders it may include; a window folder never includes another window
# folder (app, the composition root, wires them by their signals), and no two folders may include
# each other. Run with -DQUELLEN=<src folder>.
set(unten data platform pages formats grid widgets appearance)
set(erlaubt_data data)
set(erlaubt_platform platform)
set(erlaubt_pages pages data)
set(erlaubt_formats formats data)
set(erlaubt_grid grid data platform)
set(erlaubt_widgets widgets data platform)
set(erlaubt_appearance appearance data platform)
set(erlaubt_windowbase windowbase appearance data platform)
set(fenster mainwindow recipes search print backup colours info exchange)
foreach(f ${fenster})
  set(erlaubt_${f} ${f} windowbase ${unten})
endforeach()
set(erlaubt_app app ${fenster} windowbase ${unten})

set(fehler "")
# The table itself: a folder that may include another may not be included by it.
set(ordnerliste ${unten} windowbase ${fenster} app)
foreach(a ${ordnerliste})
  foreach(b ${erlaubt_${a}})
    if(NOT a STREQUAL b)
      list(FIND erlaubt_${b} ${a} i)
      if(i GREATER_EQUAL 0)
        string(APPEND fehler "\n  the layers of ${a} and ${b} include each other")
      endif()
    endif()
  endforeach()
endforeach()

file(GLOB_RECURSE dateien RELATIVE ${QUELLEN} ${QUELLEN}/*.h ${QUELLEN}/*.cpp)
foreach(datei ${dateien})
  get_filename_component(ordner ${datei} DIRECTORY)
  if(NOT DEFINED erlaubt_${ordner})
    string(APPEND fehler "\n  ${datei}: the folder '${ordner}' has no layer in cmake/Schichten.cmake")
    continue()
  endif()
  file(STRINGS ${QUELLEN}/${datei} zeilen REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(zeile ${zeilen})
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" ziel "${zeile}")
    if(NOT ziel MATCHES "/")
      continue() # a header beside the file
    endif()
    string(REGEX MATCH "^[^/]+" zielordner "${ziel}")
    list(FIND erlaubt_${ordner} ${zielordner} i)
    if(i LESS 0)
      string(APPEND fehler "\n  ${datei}: #include \"${ziel}\" reaches from ${ordner} into ${zielordner}")
    endif()
  endforeach()
endforeach()
if(fehler)
  message(FATAL_ERROR "Includes against the layers:${fehler}")
endif()
