# The package built from this build's program, copier and help library, driven with the
# dialog tests' driver; run.sh runs it in a Wine prefix of its own.
target_sources(test_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/dialog/DialogDriver.cpp)
target_include_directories(test_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/dialog)
add_dependencies(test_${name} qvkcopy2 copy2 qvhelp qvcopier qvcopier_device qvcopier_contextmgr qvcopier_devstatus)
