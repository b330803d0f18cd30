# The arrows between the folders of src/: which folder may include which, checked at configure
# time for every source file and both include forms ("core/files/x.h" and <core/files/x.h>), so
# the core stays free of Qt and of the layers above it, and no cycle between folders can form.

# Each row: a folder of src/, the folders it may include besides itself, and whether it may
# include Qt. "core" stands for every folder of the core. Every arrow points to a folder higher
# in the table, so no cycle can form.
set(lumaro_folder_arrows
  "core/locking      |                                        | no"  # one operation at a time on a folder
  "core/names        |                                        | no"  # name order, free names, UTF-8 cuts
  "core/disks        | core/names                             | no"  # what the disk of a folder allows: case, inodes
  "core/files        | core/names core/locking core/disks     | no"  # entries, renames, atomic writer, transfer
  "core/thumbnails   | core/files                             | no"  # the thumbnails file managers share
  "core/picturefile  | core/files                             | no"  # inside picture files: segments, Exif, date
  "core/turning      | core/files core/picturefile core/locking | no"  # turning pictures, Exif carried over
  "core/listing      | core/files core/disks core/names core/picturefile | no"  # ordered listings, parallel head reads
  "core/settings     | core/files core/names                  | no"  # settings, messages, program folder
  "core/datefields   | core/files core/picturefile            | no"  # where a file's dates lie, byte for byte
  "core/clockshift   | core/files core/names core/picturefile core/datefields core/settings | no"  # camera clocks: dates rewritten in place, devices
  "core/history      | core/files core/disks core/names core/settings    | no"  # each folder's history of operations
  "core/journal      | core/files core/disks core/history core/locking core/thumbnails | no"  # the rename journal and its repair
  "core/windows      | core/files core/settings               | no"  # Qt-free halves of windows
  "core/slideshow    | core/files core/names core/settings    | no"  # the slide-show project file
  "core/naming       | core/files core/names core/listing core/settings | no"  # numbered names, the picture list
  "core/renaming     | core/files core/disks core/names core/picturefile core/listing core/journal core/settings core/locking core/naming | no"  # renames of a folder's pictures
  "core/snapkeep     | core/files core/disks core/names core/naming      | no"  # the Snapkeep strip's copies and sets
  "trash             | core                             | yes" # the desktop Trash, QtCore only
  "reencoding        | core                             | yes" # turns by encoding again, QtGui only
  "operations        | core trash reencoding            | no"  # each operation that changes files, undo too
  "gui/toolkit       | core operations                  | yes" # message boxes, placing, fonts, viewer, outcomes told
  "gui/naming        | core trash operations gui/toolkit | yes" # the naming area and its dialogs
  "gui/pictures      | core trash operations gui/toolkit | yes" # the pictures area, its dialogs and windows
  "gui/app           | core trash operations gui/toolkit gui/naming gui/pictures | yes" # the main window Form1, putting the areas together
  "cli               | core trash operations            | no"  # lumaro-cli
  "app               | core gui/app                     | yes")# QApplication and Form1

# Files that may reach one folder more than their own folder's row allows, as
# "pattern => folder". None: the areas of the main window reach each other through the small
# interfaces of gui/toolkit (arealinks.h), which Form1 wires.
set(lumaro_folder_arrow_exceptions)

# The top folders of src/ that an include may name.
set(lumaro_top_folders core gui cli trash reencoding app operations)

# The folder of a path relative to src/: "core/files" for core and gui, the top folder otherwise.
function(lumaro_folder_of relative out)
  if(relative MATCHES "^(core|gui)/([^/]+)/")
    set(${out} "${CMAKE_MATCH_1}/${CMAKE_MATCH_2}" PARENT_SCOPE)
  elseif(relative MATCHES "^([^/]+)/")
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  else()
    set(${out} "" PARENT_SCOPE)
  endif()
endfunction()

function(lumaro_check_folder_arrows source_root)
  set(known "")
  foreach(row IN LISTS lumaro_folder_arrows)
    string(REPLACE "|" ";" row "${row}")
    list(GET row 0 folder)
    list(GET row 1 targets)
    list(GET row 2 qt)
    string(STRIP "${folder}" folder)
    string(STRIP "${qt}" qt)
    string(REGEX REPLACE "[ \t]+" ";" targets "${targets}")
    list(REMOVE_ITEM targets "")
    foreach(target IN LISTS targets)
      if(NOT target STREQUAL "core" AND NOT target IN_LIST known)
        message(FATAL_ERROR "src/${folder} may only point to a folder listed above it: ${target}")
      endif()
    endforeach()
    set(allowed_${folder} ${folder} ${targets})
    set(qt_${folder} ${qt})
    list(APPEND known ${folder})
  endforeach()

  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${source_root}/*.cpp ${source_root}/*.h)
  foreach(source IN LISTS sources)
    file(RELATIVE_PATH relative ${source_root} ${source})
    lumaro_folder_of("${relative}" folder)
    if(NOT folder IN_LIST known)
      message(FATAL_ERROR "src/${relative}: the folder '${folder}' is not in the arrows table "
                          "(cmake/FolderArrows.cmake)")
    endif()
    set(allowed ${allowed_${folder}})
    foreach(exception IN LISTS lumaro_folder_arrow_exceptions)
      string(FIND "${exception}" "=>" arrow)
      string(SUBSTRING "${exception}" 0 ${arrow} pattern)
      math(EXPR after "${arrow} + 2")
      string(SUBSTRING "${exception}" ${after} -1 target)
      string(STRIP "${pattern}" pattern)
      string(STRIP "${target}" target)
      if(relative MATCHES "${pattern}")
        list(APPEND allowed ${target})
      endif()
    endforeach()
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
      string(REGEX MATCH "[<\"]([^>\"]*)[>\"]" ignored "${line}")
      set(included "${CMAKE_MATCH_1}")
      lumaro_check_one_include("${relative}" "${folder}" "${allowed}" "${line}" "${included}")
    endforeach()
  endforeach()
endfunction()

function(lumaro_check_one_include relative folder allowed line included)
  if(included MATCHES "^(Q[A-Za-z0-9]*$|Q[A-Za-z0-9]*/|Qt[A-Za-z]*/|q[a-z0-9_]*\\.h$)")
    if(NOT qt_${folder} STREQUAL "yes")
      message(FATAL_ERROR "src/${relative}: src/${folder} may not include Qt: ${line}")
    endif()
    return()
  endif()
  string(REGEX MATCH "^[^/]+" top "${included}")
  if(NOT included MATCHES "/" OR NOT top IN_LIST lumaro_top_folders)
    if(line MATCHES "\"")
      message(FATAL_ERROR "src/${relative}: includes name their folder from src/: ${line}")
    endif()
    return()  # a system or library header
  endif()
  lumaro_folder_of("${included}" target)
  if(target IN_LIST allowed)
    return()
  endif()
  if(target MATCHES "^core/" AND "core" IN_LIST allowed)
    return()
  endif()
  message(FATAL_ERROR "src/${relative}: src/${folder} may not include src/${target} (${line}); "
                      "see the arrows in cmake/FolderArrows.cmake")
endfunction()
