# Packages, made by `cpack` in the build folder.
#
# Windows: a zip with the dialog, the command-line tool, the web page (from
# the web build, `make web`), the sample Data folder and the read-me files,
# in one folder tamrix-<version>-win64 that runs wherever it is unzipped. The read-me files get CR LF line ends and a UTF-8
# byte order mark, the form every version of Notepad reads.
#
# Linux: a Debian package with the usual GNU layout: both programs, a desktop
# entry and its icon, man pages, tamrix-cli's bash completion, the sample
# Data set under share/tamrix/Data (where the programs look last), the web
# page (from the web build, as for the zip) in share/tamrix with a second
# desktop entry that opens it in the user's browser, and the documentation.
set(CPACK_PACKAGE_NAME tamrix)
set(CPACK_PACKAGE_VENDOR "Tamrix")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(tamrix_packaging "${PROJECT_SOURCE_DIR}/packaging")

# The web page both packages carry, built apart (`make web`); `make package`
# names it. Without it a package cannot be made, but the programs can.
set(TAMRIX_WEB_PAGE "" CACHE FILEPATH "The web page (tamrix.html) that the packages carry")
function(tamrix_install_web_page destination)
  if(TAMRIX_WEB_PAGE)
    install(FILES "${TAMRIX_WEB_PAGE}" DESTINATION "${destination}")
  else()
    install(CODE "message(FATAL_ERROR \"no web page to package: configure with -DTAMRIX_WEB_PAGE=<tamrix.html>\")")
  endif()
endfunction()

if(WIN32 AND TARGET tamrix AND TARGET tamrix-cli)
  install(TARGETS tamrix tamrix-cli RUNTIME DESTINATION .)
  tamrix_install_web_page(.)
  install(DIRECTORY "${PROJECT_SOURCE_DIR}/Data/" DESTINATION Data)
  string(ASCII 239 187 191 utf8_bom)
  foreach(readme OLVASSEL.txt README.txt)
    file(READ "${tamrix_packaging}/${readme}" text)
    string(CONFIGURE "${text}" text @ONLY)
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE "${PROJECT_BINARY_DIR}/notepad/${readme}" "${utf8_bom}${text}")
    install(FILES "${PROJECT_BINARY_DIR}/notepad/${readme}" DESTINATION .)
  endforeach()

  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME "tamrix-${PROJECT_VERSION}-win64")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
  include(CPack)
elseif(UNIX AND TARGET tamrix AND TARGET tamrix-cli)
  find_package(Python3 COMPONENTS Interpreter)
  if(NOT Python3_Interpreter_FOUND)
    message(STATUS "python3 not found: no Debian package (it draws the icon)")
    return()
  endif()
  set(generated "${PROJECT_BINARY_DIR}/packaging")
  set(docdir "${CMAKE_INSTALL_DATADIR}/doc/tamrix")
  set(tamrix_page_installed "${CMAKE_INSTALL_FULL_DATADIR}/tamrix/tamrix.html")
  configure_file("${tamrix_packaging}/tamrix-web.desktop.in" "${generated}/tamrix-web.desktop" @ONLY)

  # Icon and compressed man pages and changelog, made at build time.
  add_custom_command(
    OUTPUT "${generated}/tamrix.png"
    COMMAND Python3::Interpreter "${PROJECT_SOURCE_DIR}/scripts/make-icon.py"
            "${PROJECT_SOURCE_DIR}/app/icon/tamrix.xpm" "${generated}/tamrix.png"
    DEPENDS "${PROJECT_SOURCE_DIR}/app/icon/tamrix.xpm" "${PROJECT_SOURCE_DIR}/scripts/make-icon.py")
  string(TIMESTAMP tamrix_release_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
  set(compressed "${generated}/tamrix.png")
  foreach(page tamrix.1 tamrix-cli.1 changelog)
    configure_file("${tamrix_packaging}/${page}.in" "${generated}/${page}" @ONLY)
    add_custom_command(
      OUTPUT "${generated}/${page}.gz"
      COMMAND gzip -9nf -k "${generated}/${page}"
      DEPENDS "${generated}/${page}")
    list(APPEND compressed "${generated}/${page}.gz")
  endforeach()
  # The bash completion, written by the program from its own option table.
  add_custom_command(
    OUTPUT "${generated}/completions/tamrix-cli"
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${generated}/completions"
    COMMAND tamrix-cli --bash-completion > "${generated}/completions/tamrix-cli"
    DEPENDS tamrix-cli)
  add_custom_target(tamrix_package_files ALL
                    DEPENDS ${compressed} "${generated}/completions/tamrix-cli")

  install(TARGETS tamrix tamrix-cli RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
  install(DIRECTORY "${PROJECT_SOURCE_DIR}/Data/"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/tamrix/Data")
  tamrix_install_web_page("${CMAKE_INSTALL_DATADIR}/tamrix")
  install(FILES "${tamrix_packaging}/tamrix.desktop" "${generated}/tamrix-web.desktop"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
  install(FILES "${tamrix_packaging}/lintian-overrides"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/lintian/overrides" RENAME tamrix)
  install(FILES "${generated}/tamrix.png"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps")
  install(FILES "${generated}/completions/tamrix-cli"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/bash-completion/completions")
  # The editors' set-ups where Debian's vim and Neovim look for them.
  install(FILES "${PROJECT_SOURCE_DIR}/editors/vim/compiler/tamrix.vim"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/vim/vimfiles/compiler")
  install(FILES "${PROJECT_SOURCE_DIR}/editors/nvim/lua/tamrix.lua"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/nvim/site/lua")
  install(FILES "${generated}/tamrix.1.gz" "${generated}/tamrix-cli.1.gz"
          DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
  install(FILES "${PROJECT_SOURCE_DIR}/README.md" "${PROJECT_SOURCE_DIR}/docs/cli.md"
                "${PROJECT_SOURCE_DIR}/docs/data-files.md"
                "${PROJECT_SOURCE_DIR}/docs/data-files-notes.md"
                "${PROJECT_SOURCE_DIR}/docs/search.md" "${PROJECT_SOURCE_DIR}/docs/web.md"
                "${tamrix_packaging}/copyright" "${generated}/changelog.gz"
          DESTINATION "${docdir}")

  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_STRIP_FILES ON)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # The page's menu entry opens it with xdg-open.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tamrix developers <tamrix@example.org>")
  set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "item number decoder with a Hungarian sample data set")
  string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
         "Tamrix shows an item's name and bonuses for the item's number, computed\n"
         "from plain-text tables in a Data folder. The package has the dialog\n"
         "(tamrix), the same answers for terminals and scripts (tamrix-cli), the\n"
         "dialog with a search over every item as a web page that opens in the\n"
         "browser (tamrix.html) and a complete Hungarian sample data set.")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  include(CPack)
endif()
