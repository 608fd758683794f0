# Run by `cmake --install`: writes the application folder's preferences file (the defaults of
# a new one with the path of the sample knowledge base as it lies once installed) and links
# the program into bin/. QV_PREFS_DEFAULTS and QV_APP_DIR are set by the install code first.
set(folder "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/${QV_APP_DIR}")
file(READ "${QV_PREFS_DEFAULTS}" defaults)
file(MAKE_DIRECTORY "${folder}/ini")
message(STATUS "Installing: ${folder}/ini/qvprefs.ini")
file(WRITE "${folder}/ini/qvprefs.ini"
     "${defaults}[General]\nPath=${CMAKE_INSTALL_PREFIX}/${QV_APP_DIR}/quorvel.db\n")
file(MAKE_DIRECTORY "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin")
message(STATUS "Installing: $ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin/quorvel")
file(CREATE_LINK "../${QV_APP_DIR}/quorvel" "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/bin/quorvel"
     SYMBOLIC)
