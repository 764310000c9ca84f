# The look of the real program, its tooltips, about box, help and usage records: driven with
# the dialog tests' driver against the stand-ins, left to right and with the right-to-left library.
target_sources(test_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/dialog/DialogDriver.cpp)
target_include_directories(test_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/dialog)
add_dependencies(test_${name} qvkcopy2 copy2 copy2_rtl qvkspr08 qvsimctl qvsim_device qvsim_contextmgr
                 qvsim_devstatus qvsim_usage)
