# The Windows zip, made by `cpack` in a Windows build: the dialog, the
# command-line tool, the web page (from the web build, `make web`), the
# sample Data folder and the read-me files, in one folder
# tamrix-<version>-win64 that runs wherever it is unzipped.
if(WIN32 AND TARGET tamrix AND TARGET tamrix-cli)
  set(TAMRIX_WEB_PAGE "${PROJECT_SOURCE_DIR}/build/web/tamrix.html"
      CACHE FILEPATH "The web page that the Windows zip carries")
  install(TARGETS tamrix tamrix-cli RUNTIME DESTINATION .)
  install(FILES "${TAMRIX_WEB_PAGE}" DESTINATION .)
  install(DIRECTORY "${PROJECT_SOURCE_DIR}/Data/" DESTINATION Data)
  install(FILES "${PROJECT_SOURCE_DIR}/packaging/OLVASSEL.txt"
                "${PROJECT_SOURCE_DIR}/packaging/README.txt"
          DESTINATION .)

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME tamrix)
  set(CPACK_PACKAGE_VENDOR "Tamrix")
  set(CPACK_PACKAGE_FILE_NAME "tamrix-${PROJECT_VERSION}-win64")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  include(CPack)
endif()
