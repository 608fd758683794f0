# Run by `cmake --install`: writes the application folder's preferences file (the defaults of
# a new one with the path of the sample knowledge base as it lies once installed) and links
# the program and the copy tool into bin/. QV_PREFS_DEFAULTS and QV_APP_DIR are set by the
# install code first.
set(folder "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${QV_APP_DIR}")
file(READ "${QV_PREFS_DEFAULTS}" defaults)
file(MAKE_DIRECTORY "${folder}/ini")
message(STATUS "Installing: ${folder}/ini/qvprefs.ini")
file(WRITE "${folder}/ini/qvprefs.ini"
     "${defaults}[General]\nPath=${CMAKE_INSTALL_PREFIX}/${QV_APP_DIR}/quorvel.db\n")
file(MAKE_DIRECTORY "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin")
foreach(program quorvel qvcopy)
  message(STATUS "Installing: $ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin/${program}")
  file(CREATE_LINK "../${QV_APP_DIR}/${program}"
       "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin/${program}" SYMBOLIC)
endforeach()
