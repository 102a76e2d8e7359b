# Installs the extension into a scratch prefix and loads it from there in the sqlite3 shell,
# as an administrator would after installing the programs.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DSQLITE_SHELL=... -P InstalledExtension.cmake
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
    --component sqlite_extension
  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed: ${err}")
endif()
set(ext ${PREFIX}/lib/nrvx/nrvx_sqlite)
if(NOT EXISTS ${ext}.so)
  message(FATAL_ERROR "the installed tree has no lib/nrvx/nrvx_sqlite.so")
endif()
execute_process(COMMAND ${SQLITE_SHELL} -batch -bail -cmd ".load ${ext}" :memory:
    "SELECT 'ñandú' = 'ÑANDÚ' COLLATE ES_CI_AS, 'nandu' = 'ñandú' COLLATE ES_CI_AS;"
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(REMOVE_RECURSE ${PREFIX})
if(NOT rc EQUAL 0 OR NOT out STREQUAL "1|0\n")
  message(FATAL_ERROR "the installed extension answered \"${out}\" (${rc}): ${err}")
endif()
