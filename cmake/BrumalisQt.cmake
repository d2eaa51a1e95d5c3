# The Qt 6 desktop front end. Qt is allowed only in the ui/ libraries and in
# the desktop program; the engine builds and tests without it.
if(NOT BRUMALIS_GUI)
  return()
endif()

find_package(Qt6 REQUIRED COMPONENTS Widgets Svg Test)

# One precompiled header of the Qt parts every view uses, so the 2-core build
# does not parse QtWidgets in each file.
set(BRUMALIS_QT_PCH "${PROJECT_SOURCE_DIR}/cmake/qt_pch.h")

# A Qt library of this project: moc on, the precompiled Qt header, include
# paths from the root. Model headers stay Qt-free; only these libraries see Qt.
function(brumalis_qt_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;EXTERNAL" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS} Qt6::Widgets Qt6::Svg ${ARG_EXTERNAL})
  target_precompile_headers(${name} PRIVATE ${BRUMALIS_QT_PCH})
endfunction()
